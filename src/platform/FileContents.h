#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The file's bytes; nullopt when there is no such file. A file that exists but
// cannot be read (a folder, no permission) is an error naming it.
std::optional<std::string> ReadFileContents(const std::filesystem::path& path);

}  // namespace platform
