#include "platform/GameDetection.h"

#include <array>
#include <utility>

#include "platform/DesktopEntryGame.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "platform/WineRegistry.h"

namespace platform {

namespace {

bool HoldsSystemFolder(const std::filesystem::path& folder) {
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(GameFolder(folder, "System"), error);
}

FoundGame Candidate(const GameLocation& location, GameSource source, std::filesystem::path namedBy = {}) {
  return {location, WindowsPathToLocal(location.gameDirectory, WinePrefix()), source, std::move(namedBy)};
}

FoundGame LocalCandidate(const std::filesystem::path& folder, GameSource source, std::filesystem::path namedBy = {}) {
  return Candidate(LocateGame(folder.string(), {}), source, std::move(namedBy));
}

}  // namespace

FoundGame FindGame(const std::filesystem::path& settingsFile) {
  const auto usable = [](const FoundGame& game) { return HoldsSystemFolder(game.Directory); };
  if (!settingsFile.empty()) {
    const std::string setting = ReadGameDirectorySetting(settingsFile);
    if (!setting.empty())
      if (FoundGame game = Candidate(LocateGame(setting, {}), GameSource::Setting, settingsFile); usable(game))
        return game;
  }
  if (FoundGame game = LocalCandidate(NativeGameDirectory(), GameSource::NativeInstall); usable(game)) return game;
  const std::filesystem::path applications = XdgDataHome() / "applications";
  if (const auto entry = FindGameInDesktopEntries(applications))
    return LocalCandidate(entry->Folder, GameSource::DesktopEntry, entry->Entry);

  const std::filesystem::path userFile = DefaultUserRegistryPath();
  const std::filesystem::path wineFile = WinePrefix() / "system.reg";
  const UserRegistry user(userFile);
  const WineRegistry wine(wineFile);
  const std::array<std::pair<const Registry*, const std::filesystem::path*>, 2> registries{
      {{&user, &userFile}, {&wine, &wineFile}}};
  for (const auto& [registry, file] : registries) {
    if (!registry->ReadDefaultValue(GameCommandKey)) continue;
    const Registry* const one[] = {registry};
    if (FoundGame game = Candidate(LocateGame("", one), GameSource::WineRegistry, *file); usable(game)) return game;
  }
  if (FoundGame game = Candidate(LocateGame("", {}), GameSource::WineDefault, WinePrefix()); usable(game))
    return game;

  const std::array<const Registry*, 2> both{&user, &wine};
  return Candidate(LocateGame("", both), GameSource::NotFound);
}

std::string DescribeFoundGame(const FoundGame& game) {
  const std::string folder = game.Directory.string();
  const std::string by = game.NamedBy.string();
  switch (game.Source) {
    case GameSource::Setting:
      return "Unreal Tournament in " + folder + ", the game folder set in Preferences (" + by + ")";
    case GameSource::NativeInstall:
      return "Unreal Tournament in " + folder + ", where the game's Linux release installs it";
    case GameSource::DesktopEntry:
      return "Unreal Tournament in " + folder + ", named by the desktop entry " + by;
    case GameSource::WineRegistry:
      return "Unreal Tournament in " + folder + ", named by the game's command in " + by;
    case GameSource::WineDefault:
      return "Unreal Tournament in " + folder + ", the default folder of the Wine prefix " + by;
    case GameSource::NotFound:
      break;
  }
  return "No game found. Set the game's folder (the one holding System and Textures) in Edit > Preferences..., "
         "or with: marbelle game --set DIR";
}

}  // namespace platform
