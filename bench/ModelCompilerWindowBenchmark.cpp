// The model compiler window on the largest corpus package with meshes:
// opening the window, listing the package's models (which reads and shows
// the first), choosing its largest mesh (the Skaarj, 519 frames, read and
// shown in the view) and compiling it. Run it under xvfb-run, so the view
// draws with OpenGL.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QSurfaceFormat>
#include <QTreeWidget>
#include <cstdlib>

#include "SilentQuestions.h"
#include "app/ModelCompilerWindow.h"
#include "app/PackageMeshPage.h"
#include "app/QtText.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

const std::filesystem::path Package = std::filesystem::path(MARBELLE_CORPUS_DIR) / "utpatches/System/epiccustommodels.u";
const std::filesystem::path Home = std::filesystem::temp_directory_path() / "marbelle-model-window-benchmark";

struct Session {
  benchsupport::SilentQuestions questions;
  app::ModelCompilerWindow window{Home, Home / "UTMarbelle.ini", questions, true, [] {}};
};

bool HaveCorpus(benchmark::State& state) {
  if (std::filesystem::exists(Package)) return true;
  state.SkipWithError("no corpus");
  return false;
}

void List(Session& session, benchmark::State& state) {
  session.window.findChild<QCheckBox*>("cbUseINT")->setChecked(false);
  session.window.PackagePage().ChooseFile(app::PathToQString(Package));
  QCoreApplication::processEvents();
  if (!session.window.PackagePage().Model()) state.SkipWithError("the package did not list");
}

void ChooseLargest(Session& session, benchmark::State& state) {
  auto& list = *session.window.findChild<QTreeWidget*>("mesh_list");
  const auto found = list.findItems("TSkM", Qt::MatchExactly);
  if (found.isEmpty()) return state.SkipWithError("no TSkM in the list");
  list.setCurrentItem(nullptr);
  list.setCurrentItem(found.front());
  QCoreApplication::processEvents();
}

void BM_OpenTheWindow(benchmark::State& state) {
  for (auto _ : state) {
    Session session;
    session.window.show();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_OpenTheWindow)->Unit(benchmark::kMillisecond);

void BM_ListThePackage(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  Session session;
  session.window.show();
  for (auto _ : state) List(session, state);
}
BENCHMARK(BM_ListThePackage)->Unit(benchmark::kMillisecond);

void BM_ChooseTheLargestMesh(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  Session session;
  session.window.show();
  List(session, state);
  for (auto _ : state) ChooseLargest(session, state);
}
BENCHMARK(BM_ChooseTheLargestMesh)->Unit(benchmark::kMillisecond);

void BM_CompileTheLargestMesh(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  Session session;
  session.window.show();
  List(session, state);
  ChooseLargest(session, state);
  for (auto _ : state) {
    session.window.PackagePage().Compile();
    if (session.questions.last != "Model compilation finished!") state.SkipWithError("the compile failed");
  }
}
BENCHMARK(BM_CompileTheLargestMesh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("XDG_CONFIG_HOME", (Home / "config").c_str(), 1);
  setenv("WINEPREFIX", (Home / "wine").c_str(), 1);
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setSwapInterval(0);
  QSurfaceFormat::setDefaultFormat(format);
  QApplication application(argc, argv);
  unrealpkg::RegisterAllObjectClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Home);
  return 0;
}
