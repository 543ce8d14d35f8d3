// The main window on the sample project with nothing to show anew: the
// preview's animation stopped, and a running animation in a hidden window;
// the shown animation for comparison.
// Counts the processor time of the whole process (every thread, the OpenGL
// driver's among them) over 10 s of event loop, as a share of one core, and
// the frames the preview drew meanwhile. Run it under xvfb-run, where Mesa
// draws in software.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QOpenGLWindow>
#include <QTimer>
#include <QToolButton>

#include "SampleHome.h"
#include "SilentQuestions.h"
#include "WindowBenchmarkMain.h"
#include "app/MainWindow.h"

namespace {

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunEventLoop(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

class IdleWindow {
public:
  IdleWindow() : home_("marbelle-idle-benchmark"), window_(home_.Home(), questions_) {
    window_.resize(1280, 900);
    window_.show();
    window_.OpenProject(home_.Home() / "MannequinSkinsSample.mrb");
    for (QWindow* window : QGuiApplication::allWindows())
      if (auto* viewer = qobject_cast<QOpenGLWindow*>(window)) viewer_ = viewer;
    if (viewer_) QObject::connect(viewer_, &QOpenGLWindow::frameSwapped, [this] { ++frames_; });
  }

  bool Previewing() const { return viewer_ != nullptr; }
  bool Animated() const { return window_.findChild<QComboBox*>("animseq_selection")->currentIndex() > 0; }
  void StopAnimation() { window_.findChild<QToolButton*>("btn_animationstopped")->setChecked(true); }
  void Hide() { window_.hide(); }

  // Lets the window settle, then measures 10 s of the event loop.
  void Measure(benchmark::State& state) {
    RunEventLoop(1000);
    double share = 0;
    int frames = 0;
    for (auto _ : state) {
      const int framesBefore = frames_;
      const double before = ProcessorSeconds();
      QElapsedTimer clock;
      clock.start();
      RunEventLoop(10000);
      share = (ProcessorSeconds() - before) / (static_cast<double>(clock.nsecsElapsed()) / 1e9);
      frames = frames_ - framesBefore;
    }
    state.counters["cpu_percent_of_core"] = 100 * share;
    state.counters["frames"] = frames;
  }

private:
  SampleHome home_;
  benchsupport::SilentQuestions questions_;
  app::MainWindow window_;
  QOpenGLWindow* viewer_ = nullptr;
  int frames_ = 0;
};

enum class Scene { StoppedAnimation, RunningAnimation, RunningAnimationHidden };

void BM_IdlePreview(benchmark::State& state, Scene scene) {
  IdleWindow window;
  if (!window.Previewing() || !window.Animated())
    return state.SkipWithError("no OpenGL preview or no animation (run under xvfb-run)");
  if (scene == Scene::StoppedAnimation) window.StopAnimation();
  if (scene == Scene::RunningAnimationHidden) window.Hide();
  window.Measure(state);
}
BENCHMARK_CAPTURE(BM_IdlePreview, stopped_animation, Scene::StoppedAnimation)->Iterations(1)->Unit(benchmark::kSecond);
// For comparison: what the shown animation costs.
BENCHMARK_CAPTURE(BM_IdlePreview, running_animation, Scene::RunningAnimation)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_IdlePreview, running_animation_hidden_window, Scene::RunningAnimationHidden)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, "marbelle-idle-benchmark-user"); }
