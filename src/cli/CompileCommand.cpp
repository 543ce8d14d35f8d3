#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/Installation.h"
#include "compile/PaletteGeneration.h"
#include "compile/TexturePackageWriter.h"
#include "compile/UmodArchive.h"
#include "model/ModelCatalogue.h"
#include "platform/GameDirectory.h"
#include "platform/ParallelFor.h"
#include "platform/ProgramHome.h"
#include "platform/WineRegistry.h"
#include "project/ProjectDocument.h"
#include "project/ProjectPaths.h"

namespace cli {

namespace {

compile::UmodOptions UmodOptionsOf(const project::ProjectDocument& document) {
  const project::ProjectOptions& o = document.Options();
  auto local = [&](const std::string& stored) {
    return stored.empty() ? std::filesystem::path() : project::FromProjectPath(stored, document.Home());
  };
  return {o.UMODProductName, o.UMODURL, o.UMODDeveloper, o.UMODVersion, local(o.UMODBitmap), local(o.UMODReadMe),
          o.UMODServerSupport};
}

}  // namespace

int RunCompile(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--install", "--umod", "--reproducible"}, {"--home", "--game-dir", "--jobs"});
  args.ExpectPositionals(1, 1);
  const std::filesystem::path home = platform::ResolveProgramHome(args.Value("--home"));
  const int jobs = args.IntValue("--jobs").value_or(platform::HardwareJobs());
  const auto catalogue = model::ScanModelCatalogue(home);
  const auto document = project::ProjectDocument::Load(std::filesystem::absolute(args.Positionals()[0]), catalogue, home);
  compile::PaletteGenerator().Generate(*document, jobs);
  const compile::CompiledFiles files = compile::CompileProject(*document, {args.Has("--reproducible"), jobs});
  for (const std::string& refusal : files.Refusals) std::cerr << "marbelle compile: warning: " << OneLine(refusal) << '\n';
  out << files.PackageFile.string() << '\n' << files.IntFile.string() << '\n';
  if (args.Has("--umod")) out << compile::WriteUmodArchive(document->FileName(), UmodOptionsOf(*document)).string() << '\n';
  if (args.Has("--install")) {
    std::string shown;
    std::filesystem::path local;
    if (const auto gameDir = args.Value("--game-dir")) {
      local = std::filesystem::absolute(*gameDir);
      shown = local.string();
    } else {
      shown = platform::LocateGame(platform::SettingsFilePath(home)).gameDirectory;
      local = platform::WindowsPathToLocal(shown, platform::WinePrefix());
    }
    out << compile::InstallInGame(files.PackageFile, files.IntFile, local, shown) << '\n';
  }
  return 0;
}

}  // namespace cli
