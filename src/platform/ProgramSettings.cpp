#include "platform/ProgramSettings.h"

#include "platform/IniFile.h"

namespace platform {

namespace {

constexpr std::string_view Configuration = "Configuration";
constexpr std::string_view RecentProjects = "RecentProjects";

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

std::vector<std::filesystem::path> ReadRecentProjects(const std::filesystem::path& settingsFile) {
  const IniFile settings = IniFile::Load(settingsFile);
  std::vector<std::filesystem::path> projects;
  for (int place = 1; place <= MaxRecentProjects; ++place) {
    const std::string file = settings.ReadString(RecentProjects, "File" + std::to_string(place), "");
    if (file.empty()) break;
    projects.emplace_back(file);
  }
  return projects;
}

void RememberRecentProject(const std::filesystem::path& settingsFile, const std::filesystem::path& project) {
  std::vector<std::filesystem::path> projects{project};
  for (const std::filesystem::path& older : ReadRecentProjects(settingsFile))
    if (older != project && projects.size() < MaxRecentProjects) projects.push_back(older);
  UpdateSettings(settingsFile, [&](IniFile& settings) {
    settings.EraseSection(RecentProjects);
    for (std::size_t place = 0; place < projects.size(); ++place)
      settings.WriteString(RecentProjects, "File" + std::to_string(place + 1), projects[place].string());
  });
}

}  // namespace platform
