// The paint tool in the window, on the sample model with one texture of
// 256 x 256 or 1024 x 1024 random pixels, shown at 4X: a dab under the mouse
// (dab, apply, display, repaint), and the end of a stroke until the preview
// has drawn its next frame (the command, the palettes regenerated, the
// preview redrawn). Draws with OpenGL: run it under xvfb-run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QOpenGLWindow>
#include <QSurfaceFormat>
#include <QTreeView>
#include <cmath>
#include <filesystem>
#include <random>

#include "SampleHome.h"
#include "SilentQuestions.h"
#include "WindowBenchmarkMain.h"
#include "app/MainWindow.h"
#include "app/SkinTreeModel.h"
#include "raster/PictureFile.h"

namespace {

// The sample home of this build, with copr1.png (Copper, Body) replaced.
class PaintHome {
public:
  explicit PaintHome(int side) : sample_("marbelle-paint-benchmark") {
    raster::Bitmap picture(side, side, raster::PixelFormat::Bgr24);
    std::mt19937 random(7);
    for (std::uint8_t& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
    raster::SavePicture(picture, Home() / "Samples" / "Mannequin" / "copr1.png");
  }

  const std::filesystem::path& Home() const { return sample_.Home(); }

private:
  SampleHome sample_;
};

class Painting {
public:
  explicit Painting(int side) : home_(side), window_(home_.Home(), questions_) {
    window_.resize(1600, 1000);
    window_.show();
    window_.OpenProject(home_.Home() / "MannequinSkinsSample.mrb");
    auto* tree = window_.findChild<QTreeView*>("ArbolTexturas");
    for (const project::SkinNode* node : project::TextureNodes(window_.Document()->Root()))
      if (node->Texture().FileName.filename() == "copr1.png")
        tree->setCurrentIndex(dynamic_cast<app::SkinTreeModel&>(*tree->model()).IndexOf(*node));
    window_.findChild<QComboBox*>("zoom")->setCurrentIndex(2);
    picture_ = window_.findChild<QWidget*>("texture_preview_image");
    for (QWindow* window : QGuiApplication::allWindows())
      if (auto* viewer = qobject_cast<QOpenGLWindow*>(window)) viewer_ = viewer;
    if (viewer_) QObject::connect(viewer_, &QOpenGLWindow::frameSwapped, [this] { ++frames_; });
    Settle();
  }

  bool ShownAt4X(int side) const { return picture_ && picture_->width() == 4 * side; }
  bool Previewing() const { return viewer_ != nullptr; }
  void Mouse(QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, picture_->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture_, &event);
  }
  // Runs the event loop until the preview has shown another frame.
  bool AwaitFrame() {
    const int before = frames_;
    QElapsedTimer clock;
    clock.start();
    while (frames_ == before && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return frames_ != before;
  }
  void Settle() {
    for (int turn = 0; turn < 20; ++turn) QCoreApplication::processEvents();
  }

private:
  PaintHome home_;
  benchsupport::SilentQuestions questions_;
  app::MainWindow window_;
  QWidget* picture_ = nullptr;
  QOpenGLWindow* viewer_ = nullptr;
  int frames_ = 0;
};

// Points on a circle over the picture at 4X.
QPoint Along(int step, int side) {
  const double angle = step * 0.05;
  const double radius = side * 1.5;
  return {static_cast<int>(side * 2 + radius * std::cos(angle)), static_cast<int>(side * 2 + radius * std::sin(angle))};
}

void BM_DabUnderTheMouseAt4X(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  Painting painting(side);
  if (!painting.ShownAt4X(side)) return state.SkipWithError("the texture is not shown at 4X");
  int step = 0;
  painting.Mouse(QEvent::MouseButtonPress, Along(step, side));
  for (auto _ : state) {
    painting.Mouse(QEvent::MouseMove, Along(++step, side));
    QCoreApplication::processEvents();
  }
  painting.Mouse(QEvent::MouseButtonRelease, Along(step, side));
  painting.Settle();
}
BENCHMARK(BM_DabUnderTheMouseAt4X)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_EndOfStrokeUntilThePreviewDrew(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  Painting painting(side);
  if (!painting.ShownAt4X(side) || !painting.Previewing())
    return state.SkipWithError("no texture at 4X or no OpenGL preview (run under xvfb-run)");
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QPoint at = Along(step += 7, side);
    painting.Mouse(QEvent::MouseButtonPress, at);
    painting.Settle();
    state.ResumeTiming();
    painting.Mouse(QEvent::MouseButtonRelease, at);
    if (!painting.AwaitFrame()) return state.SkipWithError("the preview drew no frame");
  }
}
BENCHMARK(BM_EndOfStrokeUntilThePreviewDrew)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Times the work, not the wait for the display's next refresh.
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setSwapInterval(0);
  QSurfaceFormat::setDefaultFormat(format);
  return RunWindowBenchmarks(argc, argv, "marbelle-paint-benchmark-user");
}
