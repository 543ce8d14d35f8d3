#include "compile/ProjectCompiler.h"

#include <mutex>
#include <new>

#include "compile/CompileCancelled.h"
#include "compile/Installation.h"
#include "compile/PaletteGeneration.h"
#include "compile/UmodArchive.h"
#include "platform/AtomicFile.h"
#include "project/ProjectDocument.h"
#include "project/ProjectPaths.h"

namespace compile {

namespace {

UmodOptions UmodOptionsOf(const project::ProjectDocument& document) {
  const project::ProjectOptions& o = document.Options();
  auto local = [&](const std::string& stored) {
    return stored.empty() ? std::filesystem::path() : project::FromProjectPath(stored, document.Home());
  };
  return {o.UMODProductName, o.UMODURL, o.UMODDeveloper, o.UMODVersion, local(o.UMODBitmap), local(o.UMODReadMe),
          o.UMODServerSupport};
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Shares of the whole: palettes, then the textures, then the files.
constexpr double PalettesDone = 0.25;
constexpr double TexturesDone = 0.9;

}  // namespace

ProjectCompiler::ProjectCompiler(std::unique_ptr<project::ProjectDocument> snapshot, CompileRequest request)
    : document_(std::move(snapshot)), request_(std::move(request)) {}

ProjectCompiler::~ProjectCompiler() = default;

CompileOutcome ProjectCompiler::Run(const std::stop_token& stop, const ProgressHandler& progress) {
  try {
    return Compile(stop, progress);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("Cannot compile " + document_->FileName().string() +
                             ": there is not enough memory for its textures. Nothing was written.");
  }
}

CompileOutcome ProjectCompiler::Compile(const std::stop_token& stop, const ProgressHandler& progress) {
  std::mutex reporting;
  const auto report = [&](const std::string& step, double fraction) {
    if (!progress) return;
    const std::lock_guard lock(reporting);
    progress({step, fraction});
  };
  const project::ProjectDocument& document = *document_;
  const double texturesStart = request_.GeneratePalettes ? PalettesDone : 0.0;
  if (request_.GeneratePalettes) {
    report("Generating palettes", 0.0);
    PaletteGenerator().Generate(*document_, request_.Jobs, stop);
  }

  CompileSettings settings{request_.Reproducible, request_.Jobs, [&](std::size_t done, std::size_t total) {
                             report("Preparing textures", texturesStart + (TexturesDone - texturesStart) *
                                                                              static_cast<double>(done) /
                                                                              static_cast<double>(total));
                           }};
  report("Preparing textures", texturesStart);
  TexturePackage package = BuildTexturePackage(document, settings, stop);

  CompileOutcome outcome;
  outcome.Refusals = package.Refusals;
  outcome.Warnings = package.Warnings;
  outcome.PackageFile = std::filesystem::path(document.FileName()).replace_extension(".utx");
  outcome.IntFile = std::filesystem::path(document.FileName()).replace_extension(".int");
  report("Writing the package", TexturesDone);
  platform::StagedFiles files;
  files.Stage(outcome.PackageFile, package.Bytes);
  files.Stage(outcome.IntFile, AsBytes(package.IntText));
  if (request_.Umod) {
    report("Creating the UMOD archive", 0.95);
    outcome.UmodFile = std::filesystem::path(document.FileName()).replace_extension(".umod");
    const std::vector<std::uint8_t> archive =
        BuildUmodArchive(document.FileName().stem().string(), std::string(package.Bytes.begin(), package.Bytes.end()),
                         package.IntText, UmodOptionsOf(document));
    files.Stage(outcome.UmodFile, archive);
  }
  ThrowIfStopped(stop);
  files.Commit();
  outcome.WrittenFiles = {outcome.PackageFile, outcome.IntFile};
  if (request_.Umod) outcome.WrittenFiles.push_back(outcome.UmodFile);

  if (request_.Install) {
    report("Installing", 0.98);
    Installation installation =
        InstallInGame(outcome.PackageFile, outcome.IntFile, request_.GameDirectory, request_.GameDirectoryShown);
    outcome.Message = std::move(installation.Message);
    outcome.WrittenFiles.insert(outcome.WrittenFiles.end(), installation.Files.begin(), installation.Files.end());
  } else {
    outcome.Message = request_.Umod ? "Project compiled and UMOD created!" : "Project compiled!";
  }
  report("Done", 1.0);
  return outcome;
}

}  // namespace compile
