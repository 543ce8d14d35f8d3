#pragma once

#include <QOpenGLWindow>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "preview/Navigation.h"

namespace render {
class PreviewScene;
}

namespace app {

// The buttons and keys of a drag, as navigation reads them.
preview::MouseState MouseStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The 3D viewer: draws the preview's scene and turns mouse drags and the
// wheel into camera moves, which it hands on. A window of its own inside the
// panel, so that repainting the other widgets (a paint stroke) never has
// the whole main window composed through OpenGL.
class PreviewViewer final : public QOpenGLWindow {
  Q_OBJECT
public:
  explicit PreviewViewer(render::PreviewScene& scene);
  ~PreviewViewer() override;

  // What OpenGL says of the viewer's own context; none before it is first shown.
  std::optional<std::vector<std::pair<std::string, std::string>>> OpenGLInformation();

signals:
  // A drag of (dx, dy), stored position minus new, with its buttons and keys.
  void Dragged(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int dx, int dy);
  void Wheeled(int delta);
  void RenderFailed(const QString& message);
  // The viewer came on screen or left it: its window was shown, hidden, minimised or restored.
  void ExposureChanged();

protected:
  void initializeGL() override;
  void paintGL() override;
  void exposeEvent(QExposeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void ReleaseScene();

  render::PreviewScene& scene_;
  QPoint last_;
  bool failed_ = false;
  bool exposed_ = false;
};

}  // namespace app
