#pragma once

#include <filesystem>
#include <string>
#include <string_view>

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

}  // namespace platform
