#include "platform/GameDirectory.h"

#include <algorithm>
#include <array>

#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "platform/ProgramHome.h"
#include "platform/WineRegistry.h"

namespace platform {

namespace {

std::string FirstCommandPrefix(std::span<const Registry* const> registries, std::string_view marker,
                               const GameCommand& game = UnrealTournamentGame) {
  for (const Registry* registry : registries) {
    const std::string command = registry->ReadDefaultValue(game.commandKey).value_or("");
    const std::size_t at = command.find(marker);
    if (at != std::string::npos && at > 0) return command.substr(0, at);
  }
  return std::string(game.defaultDirectory);
}

}  // namespace

GameLocation LocateGame(std::string_view gameDirectorySetting, std::span<const Registry* const> registries) {
  // The setting names the directory itself, so a trailing separator must not double the one added below.
  std::string_view setting = gameDirectorySetting;
  while (setting.size() > 1 && (setting.ends_with('\\') || setting.ends_with('/'))) setting.remove_suffix(1);
  if (!setting.empty()) return {std::string(setting), std::string(setting) + "\\System\\"};
  return {FirstCommandPrefix(registries, "\\System\\UnrealTournament.exe"),
          FirstCommandPrefix(registries, "\\System\\") + "\\System\\"};
}

std::filesystem::path NativeGameDirectory() { return XdgDataHome() / "OldUnreal" / "UnrealTournament"; }

std::string LocateGameDirectory(const GameCommand& game, std::span<const Registry* const> registries) {
  return FirstCommandPrefix(registries, "\\System\\", game);
}

std::string LocateGameDirectory(const GameCommand& game) {
  const UserRegistry user(DefaultUserRegistryPath());
  const WineRegistry wine(WinePrefix() / "system.reg");
  const std::array<const Registry*, 2> registries{&user, &wine};
  return LocateGameDirectory(game, registries);
}

std::filesystem::path WindowsPathToLocal(std::string_view windowsPath, const std::filesystem::path& winePrefix) {
  std::string path(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  const std::string drive = ToLowerAscii(path.substr(0, 1));
  const bool hasDrive = path.size() >= 2 && path[1] == ':' && drive[0] >= 'a' && drive[0] <= 'z';
  if (!hasDrive) return path;
  const std::string rest = path.substr(std::min(path.find_first_not_of('/', 2), path.size()));
  const std::filesystem::path root = drive == "c" ? winePrefix / "drive_c" : winePrefix / "dosdevices" / (drive + ":");
  return rest.empty() ? root : root / rest;
}

std::filesystem::path GameFolder(const std::filesystem::path& gameDirectory, std::string_view name) {
  const std::optional<std::filesystem::path> found = FindNameIgnoringCase(gameDirectory, name);
  std::error_code error;
  return found && std::filesystem::is_directory(*found, error) ? *found : gameDirectory / name;
}

std::vector<std::string> MissingGameFolders(const std::filesystem::path& gameDirectory) {
  std::vector<std::string> missing;
  for (const char* folder : {"System", "Textures"}) {
    std::error_code error;
    if (!std::filesystem::is_directory(GameFolder(gameDirectory, folder), error)) missing.emplace_back(folder);
  }
  return missing;
}

}  // namespace platform
