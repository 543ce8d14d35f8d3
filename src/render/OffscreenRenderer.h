#pragma once

#include <QImage>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace render {

class PreviewScene;

// Draws a scene without a window, into a framebuffer of its own: for
// pictures from the command line and for tests. Errors say why when the
// display offers no OpenGL. The scene last drawn keeps its buffers in this
// renderer's context until the renderer goes, so it must outlive the renderer.
class OffscreenRenderer {
public:
  OffscreenRenderer();
  ~OffscreenRenderer();
  OffscreenRenderer(const OffscreenRenderer&) = delete;
  OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

  QImage Render(PreviewScene& scene, int width, int height);

private:
  std::unique_ptr<QOpenGLContext> context_;
  std::unique_ptr<QOffscreenSurface> surface_;
  std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
  PreviewScene* drawn_ = nullptr;
};

}  // namespace render
