#include "app/PreviewViewer.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include "render/OpenGLInformation.h"
#include "render/PreviewScene.h"

namespace app {

preview::MouseState MouseStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  preview::MouseState state;
  state.Left = buttons & Qt::LeftButton;
  state.Right = buttons & Qt::RightButton;
  state.Middle = buttons & Qt::MiddleButton;
  state.Shift = modifiers & Qt::ShiftModifier;
  state.Ctrl = modifiers & Qt::ControlModifier;
  state.Alt = modifiers & Qt::AltModifier;
  return state;
}

PreviewViewer::PreviewViewer(render::PreviewScene& scene) : scene_(scene) {
  setObjectName("GLSceneViewerWindow");
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setDepthBufferSize(24);
  setFormat(format);
}

PreviewViewer::~PreviewViewer() {
  // The context outlives this part of the widget; it must not call back into it.
  if (context()) disconnect(context(), nullptr, this, nullptr);
  ReleaseScene();
}

void PreviewViewer::ReleaseScene() {
  if (!context()) return;
  makeCurrent();
  scene_.Release();
  doneCurrent();
}

std::optional<std::vector<std::pair<std::string, std::string>>> PreviewViewer::OpenGLInformation() {
  if (!context() || !context()->isValid()) return std::nullopt;
  makeCurrent();
  auto rows = render::QueryCurrentOpenGLInformation();
  doneCurrent();
  return rows;
}

void PreviewViewer::initializeGL() {
  // A new context (the widget moved to another window) holds none of the scene's buffers.
  scene_.Release();
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &PreviewViewer::ReleaseScene, Qt::UniqueConnection);
}

void PreviewViewer::paintGL() {
  if (failed_) return;
  try {
    const qreal ratio = devicePixelRatio();
    scene_.Render(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
  } catch (const std::exception& e) {
    // Told once: every repaint would fail the same way.
    failed_ = true;
    emit RenderFailed(QString::fromStdString(e.what()));
  }
}

void PreviewViewer::exposeEvent(QExposeEvent* event) {
  QOpenGLWindow::exposeEvent(event);
  if (isExposed() == exposed_) return;
  exposed_ = isExposed();
  emit ExposureChanged();
}

void PreviewViewer::mousePressEvent(QMouseEvent* event) { last_ = event->position().toPoint(); }

void PreviewViewer::mouseMoveEvent(QMouseEvent* event) {
  const QPoint now = event->position().toPoint();
  const QPoint delta = last_ - now;
  last_ = now;
  emit Dragged(event->buttons(), event->modifiers(), delta.x(), delta.y());
}

void PreviewViewer::wheelEvent(QWheelEvent* event) {
  emit Wheeled(event->angleDelta().y());
  event->accept();
}

}  // namespace app
