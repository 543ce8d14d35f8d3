#include "modelcompiler/ModelFiles.h"

namespace modelcompiler {

std::string OutputBaseName(const std::string& modelName) {
  const std::size_t separator = modelName.find_last_of("/\\");
  std::string file = separator == std::string::npos ? modelName : modelName.substr(separator + 1);
  const std::size_t dot = file.rfind('.');
  if (dot != std::string::npos) file.erase(dot);
  return file;
}

std::filesystem::path CustomModelsDirectory(const std::filesystem::path& home) { return home / "CustomModels"; }

}  // namespace modelcompiler
