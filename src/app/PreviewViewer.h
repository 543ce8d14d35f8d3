#pragma once

#include <QOpenGLWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace render {
class PreviewScene;
}

namespace app {

// The 3D viewer: draws the preview's scene and turns mouse drags and the
// wheel into camera moves, which it hands on.
class PreviewViewer final : public QOpenGLWidget {
  Q_OBJECT
public:
  PreviewViewer(render::PreviewScene& scene, QWidget* parent = nullptr);
  ~PreviewViewer() override;

  // What OpenGL says of the viewer's own context; none before it is first shown.
  std::optional<std::vector<std::pair<std::string, std::string>>> OpenGLInformation();

signals:
  // A drag of (dx, dy), stored position minus new, with its buttons and keys.
  void Dragged(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int dx, int dy);
  void Wheeled(int delta);
  void RenderFailed(const QString& message);

protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void ReleaseScene();

  render::PreviewScene& scene_;
  QPoint last_;
  bool failed_ = false;
};

}  // namespace app
