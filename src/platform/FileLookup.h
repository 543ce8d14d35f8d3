#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The file called `name` in `directory`, found without regard to ASCII letter
// case: definitions and packages written on Windows name files in any case.
// The exact name wins when it exists; nullopt when there is no such file.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& directory,
                                                          std::string_view name);

// The file or folder called `name` in `directory`, found as FindFileIgnoringCase finds files.
std::optional<std::filesystem::path> FindNameIgnoringCase(const std::filesystem::path& directory,
                                                          std::string_view name);

// The path with every component found without regard to ASCII letter case
// where the exact one does not exist ("textures/CASE.BMP" finds
// "Textures/Case.bmp"); nullopt when a component has no match at all.
std::optional<std::filesystem::path> ResolvePathIgnoringCase(const std::filesystem::path& path);

}  // namespace platform
