#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/GameDirectory.h"

namespace modelcompiler {

// A game of the model compiler's list: where its packages lie, and whether
// its localisation files name its player classes.
struct CompilerGame {
  const char* Caption;
  std::optional<platform::GameCommand> Command;
  bool UseInt;
};

inline constexpr std::array<CompilerGame, 4> CompilerGames{{
    {"Unreal Tournament", platform::UnrealTournamentGame, true},
    {"DeusEx", platform::DeusExGame, false},
    {"Klingon Honor Guard", platform::KlingonHonorGuardGame, false},
    {"Other", std::nullopt, false},
}};

// The game's System folder as a Windows path: its directory (for Unreal
// Tournament the settings file's GameDirectory first), then "\System"; "C:"
// for a game without a command.
std::string GamePackageFolder(const CompilerGame& game, const std::filesystem::path& settingsFile);

}  // namespace modelcompiler
