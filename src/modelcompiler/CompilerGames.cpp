#include "modelcompiler/CompilerGames.h"

#include "platform/GameDetection.h"

namespace modelcompiler {

std::string GamePackageFolder(const CompilerGame& game, const std::filesystem::path& settingsFile) {
  if (!game.Command) return "C:";
  if (game.Command->commandKey == platform::GameCommandKey) {
    std::string folder = platform::FindGame(settingsFile).Location.systemDirectory;
    folder.pop_back();
    return folder;
  }
  return platform::LocateGameDirectory(*game.Command) + "\\System";
}

}  // namespace modelcompiler
