#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// The key whose default value is the command that opens the game.
inline constexpr std::string_view GameCommandKey = "\\unreal\\Shell\\open\\command";
inline constexpr std::string_view DefaultGameDirectory = "C:\\UnrealTournament";

// Where Unreal Tournament is installed, as Windows paths.
struct GameLocation {
  // `GameDirectory`: without trailing backslash.
  std::string gameDirectory;
  // The folder `GetPackageSearchDefaults` gives for Unreal Tournament, ending in "\System\".
  std::string systemDirectory;
};

// A non-empty GameDirectory setting wins. Otherwise each registry is asked in
// turn: its game command cut before the first "\System\UnrealTournament.exe"
// (for the game directory) or the first "\System\" (for the System folder),
// matched with letter case; the first non-empty text wins, else
// "C:\UnrealTournament".
GameLocation LocateGame(std::string_view gameDirectorySetting, std::span<const Registry* const> registries);

// Where the game's Linux release installs it: $XDG_DATA_HOME/OldUnreal/UnrealTournament.
std::filesystem::path NativeGameDirectory();

// A game whose packages the model compiler reads, by the key of its command.
struct GameCommand {
  std::string_view commandKey;
  std::string_view defaultDirectory;
};
inline constexpr GameCommand UnrealTournamentGame{GameCommandKey, DefaultGameDirectory};
inline constexpr GameCommand DeusExGame{"\\deusex\\Shell\\open\\command", "C:\\DeusEx"};
inline constexpr GameCommand KlingonHonorGuardGame{"\\khg\\Shell\\open\\command", "C:\\Klingon Honor Guard"};

// The game's directory as a Windows path: the first registry's command cut
// before its first "\System\", else the game's default directory.
std::string LocateGameDirectory(const GameCommand& game, std::span<const Registry* const> registries);

// LocateGameDirectory over the user's registry and the Wine prefix's system.reg.
std::string LocateGameDirectory(const GameCommand& game);

// A Windows path as a local one, "\" read as "/": "C:\x\y" lies in the
// prefix's drive_c, another drive letter under its dosdevices; paths without
// a drive letter (Linux paths among them) stay as they are.
std::filesystem::path WindowsPathToLocal(std::string_view windowsPath, const std::filesystem::path& winePrefix);

// A folder of the game ("System", "Textures") in whatever letter case the
// game directory has it; the name as given when there is none.
std::filesystem::path GameFolder(const std::filesystem::path& gameDirectory, std::string_view name);

// The game's folders that a game directory lacks, of "System" and "Textures",
// looked up as GameFolder does: what installing needs.
std::vector<std::string> MissingGameFolders(const std::filesystem::path& gameDirectory);

}  // namespace platform
