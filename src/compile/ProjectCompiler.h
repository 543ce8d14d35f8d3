#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "compile/TexturePackageWriter.h"

namespace project {
class ProjectDocument;
}

namespace compile {

// What a compilation makes beyond the package and the localisation file.
struct CompileRequest {
  // Palette generation first: off when the snapshot's palettes are current,
  // as the window keeps them.
  bool GeneratePalettes = true;
  bool Umod = false;
  bool Install = false;
  // The game directory on this system, and as the user knows it, for Install.
  std::filesystem::path GameDirectory;
  std::string GameDirectoryShown;
  bool Reproducible = false;
  int Jobs = 1;
};

// Where the work is: a step's text and the share of the whole done, 0 to 1.
struct CompileProgress {
  std::string Step;
  double Fraction = 0;
};

struct CompileOutcome {
  std::filesystem::path PackageFile;
  std::filesystem::path IntFile;
  // Empty without a UMOD archive.
  std::filesystem::path UmodFile;
  // "Project compiled!", "Project compiled and UMOD created!" or the installation's message.
  std::string Message;
  // Every file written, in that order: package, localisation file, UMOD
  // archive, then the copies in the game's folders.
  std::vector<std::filesystem::path> WrittenFiles;
  // One message per texture of a section that may not be resampled but has the wrong size.
  std::vector<std::string> Refusals;
  // One message per skin that the game's menus will not list.
  std::vector<std::string> Warnings;
};

// The whole of "Compile Project...": palettes, package, localisation file,
// UMOD archive and installation, from a snapshot of the document, so it can
// run on a worker thread while the window goes on. The files it makes are
// written beside their targets and replace them together at the end: a
// failure or a stop request (CompileCancelled) leaves every old file as it
// was and no new one behind.
class ProjectCompiler {
public:
  // Called from the compiling threads.
  using ProgressHandler = std::function<void(const CompileProgress&)>;

  ProjectCompiler(std::unique_ptr<project::ProjectDocument> snapshot, CompileRequest request);
  ~ProjectCompiler();

  CompileOutcome Run(const std::stop_token& stop = {}, const ProgressHandler& progress = {});

private:
  CompileOutcome Compile(const std::stop_token& stop, const ProgressHandler& progress);

  std::unique_ptr<project::ProjectDocument> document_;
  CompileRequest request_;
};

}  // namespace compile
