#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// [Configuration] of the program settings file. A missing file or key gives
// the default; writing keeps everything else in the file (it may also hold a
// model definition) and fails with an error naming the file.

// LoadAnimations: "1"/"0", any non-zero integer is true; default true.
bool ReadLoadAnimations(const std::filesystem::path& settingsFile);
void WriteLoadAnimations(const std::filesystem::path& settingsFile, bool loadAnimations);

// GameDirectory: overrides the detection of the game's directory; "" when not set.
std::string ReadGameDirectorySetting(const std::filesystem::path& settingsFile);
// An empty directory removes the setting.
void WriteGameDirectorySetting(const std::filesystem::path& settingsFile, std::string_view gameDirectory);

// [RecentProjects]: File1, File2, ... most recent first.
inline constexpr int MaxRecentProjects = 8;
std::vector<std::filesystem::path> ReadRecentProjects(const std::filesystem::path& settingsFile);
// Puts the file first, dropping an older entry for it and what lies past the last place.
void RememberRecentProject(const std::filesystem::path& settingsFile, const std::filesystem::path& project);

}  // namespace platform
