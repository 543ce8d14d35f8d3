#pragma once

#include <QWidget>
#include <memory>

#include "preview/Navigation.h"
#include "preview/PreviewMesh.h"
#include "render/PreviewScene.h"

class QCheckBox;
class QListWidget;

namespace model {
class TModelo;
}
namespace model3d {
class TObjeto3D;
}
namespace render {
class AnimationClock;
}

namespace app {

class PreviewViewer;
class UserQuestions;

// The model compiler's look at a mesh before it is compiled: every material
// in a colour of its own with a legend naming its section, standing in the
// chosen frame or playing the chosen sequence. Drags and the wheel move the
// camera as in the preview.
class MeshView final : public QWidget {
  Q_OBJECT
public:
  explicit MeshView(UserQuestions& questions, QWidget* parent = nullptr);
  ~MeshView() override;

  // Shows every frame of the model, with the sections of its definition.
  void Show(const model3d::TObjeto3D& model, const model::TModelo& definition);
  void Clear();
  // The frame shown while the sequence is not played.
  void SetFrame(int frame);
  void SetSequence(const preview::ActorAnimation& sequence);

  const render::PreviewScene& Scene() const { return scene_; }

private:
  void UpdateFrame();
  void Redraw();

  UserQuestions& questions_;
  render::PreviewScene scene_;
  preview::CameraPose camera_;
  int frameCount_ = 0;
  int frame_ = 0;
  preview::ActorAnimation sequence_;
  PreviewViewer* viewer_ = nullptr;
  QListWidget* legend_;
  QCheckBox* play_;
  render::AnimationClock* clock_;
};

}  // namespace app
