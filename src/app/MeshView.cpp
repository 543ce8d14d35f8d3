#include "app/MeshView.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>

#include "app/PreviewViewer.h"
#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "preview/AnimationClock.h"
#include "render/AnimationClock.h"
#include "render/CompilerViewScene.h"
#include "render/OpenGLInformation.h"

namespace app {

namespace {

// The view is square, so the camera frames the model for this side.
constexpr int ViewSide = 280;

QIcon Swatch(const raster::PaletteEntry& colour) {
  QPixmap swatch(14, 14);
  swatch.fill(QColor(colour.Red, colour.Green, colour.Blue));
  return QIcon(swatch);
}

}  // namespace

MeshView::MeshView(UserQuestions& questions, QWidget* parent) : QWidget(parent), questions_(questions) {
  setObjectName("MeshView");
  QWidget* view = nullptr;
  if (render::OpenGLAvailable()) {
    viewer_ = new PreviewViewer(scene_);
    view = QWidget::createWindowContainer(viewer_, this);
    view->setToolTip("Left-Click rotates;Wheel or Left+Right-click zooms;Right-Click pans (XY)");
  } else {
    auto* missing = new QLabel("This display offers no OpenGL: the model cannot be drawn here.", this);
    missing->setAlignment(Qt::AlignCenter);
    missing->setWordWrap(true);
    view = missing;
  }
  view->setObjectName("mesh_view");
  view->setAccessibleName("Mesh");
  view->setFixedSize(ViewSide, ViewSide);

  play_ = new QCheckBox("Play the sequence", this);
  play_->setObjectName("cbPlaySequence");
  legend_ = new QListWidget(this);
  legend_->setObjectName("mesh_legend");
  legend_->setAccessibleName("Sections");
  legend_->setSelectionMode(QAbstractItemView::NoSelection);
  legend_->setFocusPolicy(Qt::NoFocus);
  legend_->setFixedWidth(ViewSide);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);
  layout->addWidget(play_);
  layout->addWidget(legend_, 1);

  clock_ = new render::AnimationClock(this);
  connect(clock_, &render::AnimationClock::Ticked, this, [this](double elapsed) {
    scene_.SetFrame(preview::FrameAt(sequence_, elapsed));
    Redraw();
  });
  connect(play_, &QCheckBox::toggled, this, [this] { UpdateFrame(); });
  if (viewer_) {
    connect(viewer_, &PreviewViewer::Dragged, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int dx, int dy) {
              preview::Drag(camera_, MouseStateOf(buttons, modifiers), dx, dy,
                            preview::RestBox(scene_.Mesh(), scene_.Placement()));
              scene_.SetCamera(camera_);
              Redraw();
            });
    connect(viewer_, &PreviewViewer::Wheeled, this, [this](int delta) {
      preview::Wheel(camera_, delta, preview::RestBox(scene_.Mesh(), scene_.Placement()));
      scene_.SetCamera(camera_);
      Redraw();
    });
    connect(viewer_, &PreviewViewer::RenderFailed, this,
            [this](const QString& message) { questions_.Message(MessageIcon::Error, "UT Marbelle", message); });
  }
}

MeshView::~MeshView() {
  // The viewer lets go of the scene's buffers, so it must go while the scene is here.
  delete viewer_;
}

void MeshView::Show(const model3d::TObjeto3D& model, const model::TModelo& definition) {
  legend_->clear();
  for (const preview::MaterialLook& look : render::ShowForCompiling(scene_, model, definition, ViewSide))
    legend_->addItem(new QListWidgetItem(Swatch(look.Colour), ToQString(look.Legend)));
  frameCount_ = scene_.Mesh()->FrameCount;
  camera_ = scene_.Camera();
  UpdateFrame();
}

void MeshView::Clear() {
  clock_->SetEnabled(false);
  scene_.SetMesh(nullptr);
  legend_->clear();
  frameCount_ = 0;
  Redraw();
}

void MeshView::SetFrame(int frame) {
  frame_ = frame;
  UpdateFrame();
}

void MeshView::SetSequence(const preview::ActorAnimation& sequence) {
  if (sequence.StartFrame != sequence_.StartFrame || sequence.EndFrame != sequence_.EndFrame) clock_->Restart();
  sequence_ = sequence;
  // A mesh of one frame (a skeletal mesh's reference pose) plays nothing.
  sequence_.StartFrame = std::clamp(sequence_.StartFrame, 0, std::max(frameCount_ - 1, 0));
  sequence_.EndFrame = std::clamp(sequence_.EndFrame, sequence_.StartFrame, std::max(frameCount_ - 1, 0));
  UpdateFrame();
}

void MeshView::UpdateFrame() {
  const bool playing = play_->isChecked() && frameCount_ > 1;
  clock_->SetEnabled(playing);
  if (!playing) scene_.SetFrame(preview::StillAt(std::clamp(frame_, 0, std::max(frameCount_ - 1, 0))));
  Redraw();
}

void MeshView::Redraw() {
  if (viewer_) viewer_->update();
}

}  // namespace app
