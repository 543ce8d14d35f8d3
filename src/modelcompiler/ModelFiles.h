#pragma once

#include <filesystem>
#include <string>

namespace modelcompiler {

// Every output of a compile is named after the model name (a mesh object name,
// or the path of an external model file): its file part without extension.
std::string OutputBaseName(const std::string& modelName);

// Where compiled models go: CustomModels under the program home.
std::filesystem::path CustomModelsDirectory(const std::filesystem::path& home);

}  // namespace modelcompiler
