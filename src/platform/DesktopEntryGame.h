#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The game folder a desktop entry points into: the nearest folder holding the
// game's System and Textures folders (any letter case), looking up from its
// Path= folder, else from the folder of the program its Exec= line starts.
std::optional<std::filesystem::path> GameFolderOfDesktopEntry(std::string_view entryText);

// The first game folder that a desktop entry of `applicationsFolder` points
// into, entries taken in name order, with the entry that named it.
struct DesktopEntryGame {
  std::filesystem::path Folder;
  std::filesystem::path Entry;
};
std::optional<DesktopEntryGame> FindGameInDesktopEntries(const std::filesystem::path& applicationsFolder);

}  // namespace platform
