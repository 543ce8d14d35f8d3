#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace project {

// A texture path as the project file stores it: relative to the program home,
// with "\" separators, when it lies inside the home (compared exactly, letter
// case included); otherwise the full path as it stands.
std::string ToProjectPath(const std::filesystem::path& file, const std::filesystem::path& home);
// A stored path back to a full one: "\" and "/" both separate; a path without a
// drive, a server or a leading "/" is relative to the program home.
std::filesystem::path FromProjectPath(std::string_view stored, const std::filesystem::path& home);

}  // namespace project
