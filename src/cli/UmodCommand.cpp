#include <filesystem>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/UmodInstall.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"

namespace cli {

namespace {

void List(const compile::UmodContents& archive, std::ostream& out) {
  const compile::UmodManifest manifest = compile::ReadUmodManifest(archive);
  out << "Product: " << manifest.Product << "\nVersion: " << manifest.Version << '\n';
  for (const compile::UmodEntry& entry : archive.entries)
    out << entry.size << '\t' << entry.archivePath << (compile::IsUmodManifest(entry) ? "\t(manifest)" : "") << '\n';
}

void Write(const compile::UmodContents& archive, const std::vector<compile::UmodPlacement>& placements, bool dryRun,
           std::ostream& out) {
  for (const compile::UmodPlacement& placement : placements)
    out << (dryRun ? (placement.Replaces ? "Would replace " : "Would write ")
                   : (placement.Replaces ? "Replacing " : "Writing "))
        << placement.Target.string() << '\n';
  if (dryRun) return;
  compile::WriteUmodPlacements(archive, placements);
  out << placements.size() << " files written\n";
}

}  // namespace

int RunUmod(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--dry-run"}, {"--game-dir", "--home"});
  args.ExpectPositionals(2, 3);
  const std::string& verb = args.Positionals()[0];
  const compile::UmodContents archive = compile::ReadUmodArchive(args.Positionals()[1]);
  if (verb == "list") {
    args.ExpectPositionals(2, 2);
    List(archive, out);
  } else if (verb == "extract") {
    args.ExpectPositionals(3, 3);
    Write(archive, compile::PlaceUmodEntries(archive, args.Positionals()[2], true), args.Has("--dry-run"), out);
  } else if (verb == "install") {
    args.ExpectPositionals(2, 2);
    const std::filesystem::path game =
        args.Value("--game-dir")
            ? std::filesystem::absolute(*args.Value("--game-dir"))
            : platform::FindGame(platform::SettingsFilePath(platform::ResolveProgramHome(args.Value("--home")))).Directory;
    out << "Installing " << compile::ReadUmodManifest(archive).Product << " into " << game.string() << '\n';
    Write(archive, compile::PlanUmodInstall(archive, game), args.Has("--dry-run"), out);
  } else {
    throw UsageError("umod takes list, extract or install, not \"" + verb + "\"");
  }
  return 0;
}

}  // namespace cli
