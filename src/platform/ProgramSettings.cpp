#include "platform/ProgramSettings.h"

#include "platform/IniFile.h"

namespace platform {

namespace {

constexpr std::string_view Configuration = "Configuration";

template <typename Change>
void UpdateSettings(const std::filesystem::path& settingsFile, Change change) {
  IniFile settings = IniFile::Load(settingsFile);
  change(settings);
  settings.Save(settingsFile);
}

}  // namespace

bool ReadLoadAnimations(const std::filesystem::path& settingsFile) {
  return IniFile::Load(settingsFile).ReadBool(Configuration, "LoadAnimations", true);
}

void WriteLoadAnimations(const std::filesystem::path& settingsFile, bool loadAnimations) {
  UpdateSettings(settingsFile,
                 [&](IniFile& settings) { settings.WriteBool(Configuration, "LoadAnimations", loadAnimations); });
}

std::string ReadGameDirectorySetting(const std::filesystem::path& settingsFile) {
  return IniFile::Load(settingsFile).ReadString(Configuration, "GameDirectory", "");
}

void WriteGameDirectorySetting(const std::filesystem::path& settingsFile, std::string_view gameDirectory) {
  UpdateSettings(settingsFile, [&](IniFile& settings) {
    if (gameDirectory.empty())
      settings.DeleteKey(Configuration, "GameDirectory");
    else
      settings.WriteString(Configuration, "GameDirectory", gameDirectory);
  });
}

}  // namespace platform
