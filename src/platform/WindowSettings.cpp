#include "platform/WindowSettings.h"

#include "platform/IniFile.h"

namespace platform {

namespace {

constexpr std::string_view Folders = "Folders";

}  // namespace

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
