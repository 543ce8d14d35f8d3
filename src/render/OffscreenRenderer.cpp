#include "render/OffscreenRenderer.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <stdexcept>

#include "render/PreviewScene.h"

namespace render {

OffscreenRenderer::OffscreenRenderer() : context_(std::make_unique<QOpenGLContext>()) {
  QSurfaceFormat format;
  format.setDepthBufferSize(24);
  context_->setFormat(format);
  if (!context_->create()) throw std::runtime_error("No OpenGL context can be made on this display.");
  surface_ = std::make_unique<QOffscreenSurface>();
  surface_->setFormat(context_->format());
  surface_->create();
  if (!surface_->isValid() || !context_->makeCurrent(surface_.get()))
    throw std::runtime_error("The OpenGL context cannot be made current on this display.");
}

OffscreenRenderer::~OffscreenRenderer() {
  if (context_->makeCurrent(surface_.get())) {
    if (drawn_) drawn_->Release();
    framebuffer_.reset();
    context_->doneCurrent();
  }
}

QImage OffscreenRenderer::Render(PreviewScene& scene, int width, int height) {
  if (!context_->makeCurrent(surface_.get())) throw std::runtime_error("The OpenGL context was lost.");
  if (drawn_ && drawn_ != &scene) drawn_->Release();
  drawn_ = &scene;
  if (!framebuffer_ || framebuffer_->width() != width || framebuffer_->height() != height) {
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
  }
  framebuffer_->bind();
  scene.Render(width, height);
  QImage image = framebuffer_->toImage();
  framebuffer_->release();
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace render
