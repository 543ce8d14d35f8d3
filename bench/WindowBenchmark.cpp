// The main window: start-up with a catalogue of 200 model definitions,
// loading the 160-texture project until its tree is shown and its palettes
// are made, and the longest the event loop waits while that project compiles
// from the menu. Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>
#include <cstdlib>

#include "BenchmarkHome.h"
#include "SilentQuestions.h"
#include "app/MainWindow.h"
#include "project/ProjectDocument.h"

namespace {

// The user's folders of a benchmark run, away from the real ones.
void IsolateUserFolders() {
  const std::filesystem::path user = SharedBenchmarkHome().Home() / "user";
  setenv("XDG_DATA_HOME", (user / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (user / "config").c_str(), 1);
  setenv("WINEPREFIX", (user / "wine").c_str(), 1);
}

void BM_StartUpWith200Definitions(benchmark::State& state) {
  const std::filesystem::path home = SharedBenchmarkHome().Home() / "Catalogue";
  benchsupport::SilentQuestions questions;
  // The first start registers the file types with the desktop; later ones find them.
  app::MainWindow(home, questions).show();
  for (auto _ : state) {
    app::MainWindow window(home, questions);
    window.show();
    QCoreApplication::processEvents();
    if (window.Catalogue().Entries.size() != 200) state.SkipWithError("the catalogue lost models");
  }
  state.counters["definitions"] = 200;
}
BENCHMARK(BM_StartUpWith200Definitions)->Unit(benchmark::kMillisecond);

void BM_LoadProject160UntilShown(benchmark::State& state) {
  const std::filesystem::path home = SharedBenchmarkHome().Home();
  benchsupport::SilentQuestions questions;
  app::MainWindow window(home, questions);
  window.show();
  for (auto _ : state) {
    if (!window.OpenProject(home / "BenchSkins.mrb")) state.SkipWithError("the project did not load");
    QCoreApplication::processEvents();
  }
  const auto textures = project::TextureNodes(window.Document()->Root());
  if (textures.size() != 160 || textures.back()->Texture().Palette.empty()) state.SkipWithError("textures are missing");
  state.counters["textures"] = 160;
}
BENCHMARK(BM_LoadProject160UntilShown)->Unit(benchmark::kMillisecond);

// The time of an iteration is the longest gap between two turns of the event
// loop while the compilation runs.
void BM_LongestStallWhileCompiling160(benchmark::State& state) {
  const std::filesystem::path home = SharedBenchmarkHome().Home();
  benchsupport::SilentQuestions questions;
  app::MainWindow window(home, questions);
  window.show();
  window.OpenProject(home / "BenchSkins.mrb");
  auto* compile = window.findChild<QAction*>("mnu_CreateUTXINT");
  double compileSeconds = 0;
  for (auto _ : state) {
    QEventLoop loop;
    QObject::connect(&window, &app::MainWindow::CompileFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      longest = std::max(longest, now - last);
      last = now;
    });
    clock.start();
    compile->trigger();
    longest = std::max(longest, clock.nsecsElapsed());
    last = clock.nsecsElapsed();
    turn.start();
    loop.exec();
    compileSeconds += static_cast<double>(clock.nsecsElapsed()) / 1e9;
    state.SetIterationTime(static_cast<double>(longest) / 1e9);
  }
  if (questions.last != "Project compiled!") state.SkipWithError(questions.last.toStdString().c_str());
  state.counters["compile_ms"] = benchmark::Counter(compileSeconds * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_LongestStallWhileCompiling160)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  IsolateUserFolders();
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
