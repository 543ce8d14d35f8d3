#include "platform/WindowSettings.h"

#include <charconv>
#include <string>

#include "platform/IniFile.h"

namespace platform {

namespace {

constexpr std::string_view Window = "Window";
constexpr std::string_view Folders = "Folders";

// "300,120,900"; a part that is not a positive number drops the whole list,
// as a splitter would take it whole or not at all.
std::vector<int> ParseSizes(std::string_view text) {
  std::vector<int> sizes;
  while (!text.empty()) {
    const std::size_t comma = std::min(text.find(','), text.size());
    int size = 0;
    const std::string_view part = text.substr(0, comma);
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), size);
    if (error != std::errc() || end != part.data() + part.size() || size <= 0) return {};
    sizes.push_back(size);
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return sizes;
}

std::string SizesText(const std::vector<int>& sizes) {
  std::string text;
  for (const int size : sizes) text += (text.empty() ? "" : ",") + std::to_string(size);
  return text;
}

}  // namespace

std::optional<WindowLayout> ReadWindowLayout(const std::filesystem::path& settingsFile) {
  const IniFile settings = IniFile::Load(settingsFile);
  WindowLayout layout;
  layout.Width = settings.ReadInteger(Window, "Width", 0);
  layout.Height = settings.ReadInteger(Window, "Height", 0);
  if (layout.Width <= 0 || layout.Height <= 0) return std::nullopt;
  layout.Left = settings.ReadInteger(Window, "Left", 0);
  layout.Top = settings.ReadInteger(Window, "Top", 0);
  layout.Maximized = settings.ReadBool(Window, "Maximized", false);
  layout.AdvancedMode = settings.ReadBool(Window, "AdvancedMode", false);
  layout.Columns = ParseSizes(settings.ReadString(Window, "Columns", ""));
  layout.PreviewColumns = ParseSizes(settings.ReadString(Window, "PreviewColumns", ""));
  layout.SkinEditorRows = ParseSizes(settings.ReadString(Window, "SkinEditorRows", ""));
  return layout;
}

void WriteWindowLayout(const std::filesystem::path& settingsFile, const WindowLayout& layout) {
  IniFile settings = IniFile::Load(settingsFile);
  settings.WriteInteger(Window, "Left", layout.Left);
  settings.WriteInteger(Window, "Top", layout.Top);
  settings.WriteInteger(Window, "Width", layout.Width);
  settings.WriteInteger(Window, "Height", layout.Height);
  settings.WriteBool(Window, "Maximized", layout.Maximized);
  settings.WriteBool(Window, "AdvancedMode", layout.AdvancedMode);
  settings.WriteString(Window, "Columns", SizesText(layout.Columns));
  settings.WriteString(Window, "PreviewColumns", SizesText(layout.PreviewColumns));
  settings.WriteString(Window, "SkinEditorRows", SizesText(layout.SkinEditorRows));
  settings.Save(settingsFile);
}

std::filesystem::path ReadRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind) {
  const std::filesystem::path folder = IniFile::Load(settingsFile).ReadString(Folders, kind, "");
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(folder, error) ? folder : std::filesystem::path();
}

void WriteRememberedFolder(const std::filesystem::path& settingsFile, std::string_view kind,
                           const std::filesystem::path& folder) {
  IniFile settings = IniFile::Load(settingsFile);
  settings.WriteString(Folders, kind, folder.string());
  settings.Save(settingsFile);
}

}  // namespace platform
