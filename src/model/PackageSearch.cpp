#include "model/PackageSearch.h"

#include "platform/GameDirectory.h"
#include "platform/ProgramHome.h"
#include "platform/WineRegistry.h"

namespace model {

PackageSearchDefaults GetPackageSearchDefaults(bool forUnrealTournament, const std::filesystem::path& home) {
  if (!forUnrealTournament) return {home, ".U"};
  const platform::GameLocation game = platform::LocateGame(platform::SettingsFilePath(home));
  return {platform::WindowsPathToLocal(game.systemDirectory, platform::WinePrefix()), ".U"};
}

}  // namespace model
