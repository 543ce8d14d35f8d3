#include "render/OpenGLInformation.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <stdexcept>

namespace render {

namespace {

std::string Text(QOpenGLFunctions& gl, GLenum name) {
  const auto* text = reinterpret_cast<const char*>(gl.glGetString(name));
  return text ? text : "(not reported)";
}

std::string Integer(QOpenGLFunctions& gl, GLenum name, int count = 1) {
  GLint values[2] = {0, 0};
  gl.glGetIntegerv(name, values);
  std::string text = std::to_string(values[0]);
  if (count == 2) text += " x " + std::to_string(values[1]);
  return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> QueryCurrentOpenGLInformation() {
  QOpenGLContext* context = QOpenGLContext::currentContext();
  if (!context) throw std::runtime_error("No OpenGL context is current.");
  QOpenGLFunctions& gl = *context->functions();
  const QSurfaceFormat format = context->format();
  return {
      {"Vendor", Text(gl, GL_VENDOR)},
      {"Renderer", Text(gl, GL_RENDERER)},
      {"Version", Text(gl, GL_VERSION)},
      {"Shading language", Text(gl, GL_SHADING_LANGUAGE_VERSION)},
      {"Profile", format.profile() == QSurfaceFormat::CoreProfile ? "core"
                  : format.profile() == QSurfaceFormat::CompatibilityProfile ? "compatibility" : "none"},
      {"Colour buffer", std::to_string(format.redBufferSize()) + " red, " + std::to_string(format.greenBufferSize()) +
                            " green, " + std::to_string(format.blueBufferSize()) + " blue, " +
                            std::to_string(format.alphaBufferSize()) + " alpha bits"},
      {"Depth buffer", std::to_string(format.depthBufferSize()) + " bits"},
      {"Stencil buffer", std::to_string(format.stencilBufferSize()) + " bits"},
      {"Maximum texture size", Integer(gl, GL_MAX_TEXTURE_SIZE)},
      {"Maximum viewport", Integer(gl, GL_MAX_VIEWPORT_DIMS, 2)},
      {"Texture units", Integer(gl, GL_MAX_TEXTURE_IMAGE_UNITS)},
      {"Vertex attributes", Integer(gl, GL_MAX_VERTEX_ATTRIBS)},
  };
}

std::vector<std::pair<std::string, std::string>> QueryOpenGLInformation() {
  QOpenGLContext context;
  if (!context.create()) throw std::runtime_error("No OpenGL context can be made on this display.");
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface))
    throw std::runtime_error("The OpenGL context cannot be made current on this display.");
  auto rows = QueryCurrentOpenGLInformation();
  context.doneCurrent();
  return rows;
}

bool OpenGLAvailable() {
  static const bool available = [] {
    QOpenGLContext context;
    return context.create();
  }();
  return available;
}

}  // namespace render
