#pragma once

#include <filesystem>
#include <string>

#include "platform/GameDirectory.h"

namespace platform {

// How the game's folder was found, in the order they are tried.
enum class GameSource { Setting, NativeInstall, DesktopEntry, WineRegistry, WineDefault, NotFound };

struct FoundGame {
  // As the rest of the program uses it; without a game, the registry's answer or "C:\UnrealTournament".
  GameLocation Location;
  // The game's folder on this system.
  std::filesystem::path Directory;
  GameSource Source = GameSource::NotFound;
  // The setting, entry or registry file that named it.
  std::filesystem::path NamedBy;

  bool Found() const { return Source != GameSource::NotFound; }
};

// The first of these that holds a System folder (any letter case): the
// settings file's GameDirectory (skipped for an empty `settingsFile`), the
// Linux install under $XDG_DATA_HOME/OldUnreal/UnrealTournament, a folder
// that a desktop entry in $XDG_DATA_HOME/applications points into, the game
// the user's registry or the Wine prefix's system.reg names, and
// C:\UnrealTournament in the Wine prefix.
FoundGame FindGame(const std::filesystem::path& settingsFile);

// One line on where the game is and how it was found, or that none was and how to set one.
std::string DescribeFoundGame(const FoundGame& game);

}  // namespace platform
