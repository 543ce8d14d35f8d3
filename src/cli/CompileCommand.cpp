#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <ctime>
#include <iostream>
#include <thread>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/CompileCancelled.h"
#include "compile/ProjectCompiler.h"
#include "model/ModelCatalogue.h"
#include "platform/GameDetection.h"
#include "platform/ParallelFor.h"
#include "platform/ProgramHome.h"
#include "project/ProjectDocument.h"

namespace cli {

namespace {

// Ctrl+C (or a termination request) asks the compilation to stop, so that it
// leaves every old file as it was. The signals are taken by a thread of
// their own, never in the middle of the work.
class StopOnInterrupt {
public:
  StopOnInterrupt() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
    watcher_ = std::thread([this] {
      const timespec wait{0, 100'000'000};
      while (!done_)
        if (sigtimedwait(&signals_, nullptr, &wait) > 0) source_.request_stop();
    });
  }
  ~StopOnInterrupt() {
    done_ = true;
    watcher_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  StopOnInterrupt(const StopOnInterrupt&) = delete;
  StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

  std::stop_token Token() const { return source_.get_token(); }

private:
  sigset_t signals_{};
  sigset_t previous_{};
  std::stop_source source_;
  std::atomic<bool> done_{false};
  std::thread watcher_;
};

}  // namespace

int RunCompile(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--install", "--umod", "--reproducible"}, {"--home", "--game-dir", "--jobs"});
  args.ExpectPositionals(1, 1);
  const std::filesystem::path home = platform::ResolveProgramHome(args.Value("--home"));
  compile::CompileRequest request;
  request.Jobs = args.IntValue("--jobs").value_or(platform::HardwareJobs());
  request.Reproducible = args.Has("--reproducible");
  request.Umod = args.Has("--umod");
  request.Install = args.Has("--install");
  if (request.Install) {
    if (const auto gameDir = args.Value("--game-dir")) {
      request.GameDirectory = std::filesystem::absolute(*gameDir);
      request.GameDirectoryShown = request.GameDirectory.string();
    } else {
      const platform::FoundGame game = platform::FindGame(platform::SettingsFilePath(home));
      request.GameDirectoryShown = game.Location.gameDirectory;
      request.GameDirectory = game.Directory;
    }
  }
  const auto catalogue = model::ScanModelCatalogue(home);
  auto document = project::ProjectDocument::Load(std::filesystem::absolute(args.Positionals()[0]), catalogue, home);
  for (const std::string& line : document->LoadReport()) std::cerr << "marbelle compile: note: " << OneLine(line) << '\n';

  StopOnInterrupt interrupt;
  std::string lastStep;
  compile::ProjectCompiler compiler(std::move(document), request);
  compile::CompileOutcome outcome;
  try {
    outcome = compiler.Run(interrupt.Token(), [&](const compile::CompileProgress& progress) {
      if (progress.Step == lastStep) return;
      lastStep = progress.Step;
      std::cerr << "marbelle compile: " << progress.Step << '\n';
    });
  } catch (const compile::CompileCancelled& e) {
    std::cerr << "marbelle compile: " << e.what() << " No file was changed.\n";
    return 130;
  }
  for (const auto* messages : {&outcome.Refusals, &outcome.Warnings})
    for (const std::string& message : *messages) std::cerr << "marbelle compile: warning: " << OneLine(message) << '\n';
  out << outcome.PackageFile.string() << '\n' << outcome.IntFile.string() << '\n';
  if (!outcome.UmodFile.empty()) out << outcome.UmodFile.string() << '\n';
  if (request.Install) out << outcome.Message << '\n';
  return 0;
}

}  // namespace cli
