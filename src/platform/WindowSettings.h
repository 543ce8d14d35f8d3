#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// What the desktop program keeps of its windows and file dialogs between
// runs, in the program settings file beside the other settings. Writing
// keeps everything else in the file and fails with an error naming it.

// [Window]: the main window as it last closed.
struct WindowLayout {
  // The normal (not maximised) frame.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;
  bool AdvancedMode = false;
  // The sizes of the parts of each splitter, in order; empty when not known.
  std::vector<int> Columns;
  std::vector<int> PreviewColumns;
  std::vector<int> SkinEditorRows;
};

// None until a layout with a positive size was written.
std::optional<WindowLayout> ReadWindowLayout(const std::filesystem::path& settingsFile);
void WriteWindowLayout(const std::filesystem::path& settingsFile, const WindowLayout& layout);

// [Folders]: the folder a kind of file dialog was last answered in, by the
// kind's name. Empty when none is known or it is gone.
std::filesystem::path ReadRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind);
void WriteRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind,
                           const std::filesystem::path& folder);

}  // namespace platform
