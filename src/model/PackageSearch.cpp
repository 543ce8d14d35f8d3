#include "model/PackageSearch.h"

#include "platform/FileLookup.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"
#include "platform/WineRegistry.h"

namespace model {

PackageSearchDefaults GetPackageSearchDefaults(bool forUnrealTournament, const std::filesystem::path& home) {
  if (!forUnrealTournament) return {home, ".U"};
  const platform::FoundGame game = platform::FindGame(platform::SettingsFilePath(home));
  // The game's folders may be spelt "system" on this system.
  const std::filesystem::path system =
      platform::WindowsPathToLocal(game.Location.systemDirectory, platform::WinePrefix());
  return {platform::ResolvePathIgnoringCase(system).value_or(system), ".U"};
}

std::optional<std::filesystem::path> FindModelPackage(bool forUnrealTournament, const std::filesystem::path& home,
                                                      std::string_view packageName,
                                                      const std::filesystem::path& alsoIn) {
  const PackageSearchDefaults defaults = GetPackageSearchDefaults(forUnrealTournament, home);
  const std::string fileName = std::string(packageName) + defaults.Extension;
  if (!defaults.Directory.empty())
    if (auto found = platform::FindFileIgnoringCase(defaults.Directory, fileName)) return found;
  if (auto found = platform::FindFileIgnoringCase(home, fileName)) return found;
  if (alsoIn.empty()) return std::nullopt;
  return platform::FindFileIgnoringCase(alsoIn, fileName);
}

}  // namespace model
