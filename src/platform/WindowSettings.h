#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// What the desktop program keeps of its windows and file dialogs between
// runs, in the program settings file beside the other settings. Writing
// keeps everything else in the file and fails with an error naming it.

// [Folders]: the folder a kind of file dialog was last answered in, by the
// kind's name. Empty when none is known or it is gone.
std::filesystem::path ReadRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind);
void WriteRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind,
                           const std::filesystem::path& folder);

}  // namespace platform
