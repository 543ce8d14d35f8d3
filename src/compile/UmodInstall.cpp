#include "compile/UmodInstall.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/FileLookup.h"
#include "platform/IniFile.h"

namespace compile {

UmodManifest ReadUmodManifest(const UmodContents& archive) {
  for (const UmodEntry& entry : archive.entries)
    if (platform::EqualsIgnoreCase(entry.archivePath, "System\\Manifest.ini")) {
      const auto bytes = archive.EntryBytes(entry);
      const platform::IniFile ini = platform::IniFile::Parse(std::string(bytes.begin(), bytes.end()));
      return {ini.ReadString("Setup", "Product", ""), ini.ReadString("Setup", "Version", "")};
    }
  return {};
}

bool IsUmodManifest(const UmodEntry& entry) {
  return platform::EqualsIgnoreCase(entry.archivePath, "System\\Manifest.ini") ||
         platform::EqualsIgnoreCase(entry.archivePath, "System\\Manifest.int");
}

std::vector<UmodPlacement> PlaceUmodEntries(const UmodContents& archive, const std::filesystem::path& folder,
                                            bool withManifests) {
  std::vector<UmodPlacement> placements;
  for (const UmodEntry& entry : archive.entries) {
    if (!withManifests && IsUmodManifest(entry)) continue;
    const std::vector<std::string> parts = UmodPathParts(entry.archivePath);
    std::filesystem::path target = folder;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      const auto found = platform::FindNameIgnoringCase(target, parts[i]);
      target = found ? *found : target / parts[i];
    }
    std::error_code error;
    placements.push_back({entry, target, std::filesystem::is_regular_file(target, error)});
  }
  return placements;
}

std::vector<UmodPlacement> PlanUmodInstall(const UmodContents& archive, const std::filesystem::path& gameDirectory) {
  std::error_code error;
  if (!std::filesystem::is_directory(gameDirectory, error))
    throw UmodError("The game directory " + gameDirectory.string() +
                    " does not exist: set the game folder in Preferences (on the command line, --game-dir)");
  return PlaceUmodEntries(archive, gameDirectory, false);
}

void WriteUmodPlacements(const UmodContents& archive, const std::vector<UmodPlacement>& placements) {
  std::vector<std::string> replaced;
  for (const UmodPlacement& placement : placements) {
    try {
      std::filesystem::create_directories(placement.Target.parent_path());
      platform::WriteFileAtomically(placement.Target, archive.EntryBytes(placement.Entry));
    } catch (const std::exception& e) {
      std::string message = "Cannot write " + placement.Target.string() + ": " + e.what();
      message += replaced.empty() ? std::string(". No file was replaced before it.")
                                  : ". Files replaced before it:";
      for (const std::string& file : replaced) message += "\n" + file;
      throw UmodError(message);
    }
    if (placement.Replaces) replaced.push_back(placement.Target.string());
  }
}

}  // namespace compile
