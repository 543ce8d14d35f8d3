#include "render/PreviewScene.h"

#include <QOpenGLContext>
#include <cmath>

namespace render {

namespace {

// Depth of view of the preview's camera; its focal length is preview::FocalLength.
constexpr float DepthOfView = 10000.0f;
constexpr float NearPlane = 1.0f;
const QColor Silver(192, 192, 192);

const char* VertexShader = R"(
attribute vec3 positionA;
attribute vec3 positionB;
attribute vec2 texCoord;
uniform float blend;
uniform mat4 matrix;
varying vec2 uv;
void main() {
  uv = texCoord;
  gl_Position = matrix * vec4(mix(positionA, positionB, blend), 1.0);
}
)";

// White materials, emission included, so a texture shows its own colours.
const char* FragmentShader = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform sampler2D image;
uniform int textured;
uniform int mode;
uniform float cutout;
varying vec2 uv;
void main() {
  if (textured == 0) {
    gl_FragColor = vec4(1.0);
    return;
  }
  vec4 texel = texture2D(image, uv);
  if (texel.a < cutout) discard;
  if (mode == 0)
    gl_FragColor = vec4(mix(vec3(1.0), texel.rgb, texel.a), 1.0);
  else
    gl_FragColor = texel;
}
)";

QColor PaletteColour(const raster::PaletteEntry& entry) { return QColor(entry.Red, entry.Green, entry.Blue); }

// The lines of the axes cube, X, Y and Z of both ends each.
std::vector<float> AxesLines() {
  // A cube of 256 with white edges, and its three axes.
  std::vector<float> lines;
  const float h = 128.0f;
  for (int axis = 0; axis < 3; ++axis)
    for (int a = -1; a <= 1; a += 2)
      for (int b = -1; b <= 1; b += 2) {
        float from[3], to[3];
        from[axis] = -h;
        to[axis] = h;
        from[(axis + 1) % 3] = to[(axis + 1) % 3] = static_cast<float>(a) * h;
        from[(axis + 2) % 3] = to[(axis + 2) % 3] = static_cast<float>(b) * h;
        lines.insert(lines.end(), from, from + 3);
        lines.insert(lines.end(), to, to + 3);
      }
  for (int axis = 0; axis < 3; ++axis) {
    float to[3] = {0, 0, 0};
    to[axis] = 2 * h;
    lines.insert(lines.end(), {0.0f, 0.0f, 0.0f});
    lines.insert(lines.end(), to, to + 3);
  }
  return lines;
}

}  // namespace

struct PreviewScene::ActorBuffers {
  QOpenGLBuffer positions{QOpenGLBuffer::VertexBuffer};
  QOpenGLBuffer texCoords{QOpenGLBuffer::VertexBuffer};
  QOpenGLBuffer lines{QOpenGLBuffer::IndexBuffer};
  int corners = 0;
  std::unique_ptr<QOpenGLTexture> texture;
};

QImage TextureImage(const raster::Bitmap& picture, const preview::ActorMaterial& material) {
  if (picture.IsEmpty()) return {};
  const raster::Bitmap colour = picture.ToBgr24();
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGBA8888);
  const bool keyed = material.Alpha == preview::ImageAlpha::TransparentColour;
  const int alpha = material.Alpha == preview::ImageAlpha::Fixed ? material.FixedAlpha : 255;
  const QColor key = PaletteColour(material.TransparentColour);
  for (int y = 0; y < colour.Height(); ++y) {
    const std::uint8_t* in = colour.Row(y);
    std::uint8_t* out = image.scanLine(y);
    for (int x = 0; x < colour.Width(); ++x, in += 3, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      const bool hole = keyed && in[2] == key.red() && in[1] == key.green() && in[0] == key.blue();
      out[3] = static_cast<std::uint8_t>(hole ? 0 : alpha);
    }
  }
  return image;
}

PreviewScene::PreviewScene() = default;

PreviewScene::~PreviewScene() = default;

void PreviewScene::SetMesh(std::shared_ptr<const preview::PreviewMesh> mesh) {
  mesh_ = std::move(mesh);
  meshDirty_ = true;
  frame_ = preview::StillAt(mesh_ ? mesh_->StillFrame : 0);
}

void PreviewScene::SetActorTexture(int actor, const raster::Bitmap& picture, const preview::ActorMaterial& material) {
  ActorLook& look = looks_.at(static_cast<std::size_t>(actor));
  look.Image = TextureImage(picture, material);
  look.Material = material;
  look.Dirty = true;
}

void PreviewScene::SetHud(std::optional<raster::Bitmap> picture) {
  hud_.reset();
  if (picture && !picture->IsEmpty()) hud_ = TextureImage(*picture, {});
  hudDirty_ = true;
}

QMatrix4x4 PreviewScene::ProjectionMatrix(int width, int height) const {
  const float shorter = static_cast<float>(std::max(1, std::min(width, height)));
  const float fieldOfView = 2.0f * std::atan(shorter / 2.0f / preview::FocalLength) * 180.0f / 3.14159265f;
  // The focal length holds for the shorter side of the view.
  const float aspect = static_cast<float>(std::max(1, width)) / static_cast<float>(std::max(1, height));
  const float vertical = width >= height ? fieldOfView
                                         : 2.0f * std::atan(std::tan(fieldOfView * 3.14159265f / 360.0f) / aspect) *
                                               180.0f / 3.14159265f;
  QMatrix4x4 projection;
  projection.perspective(vertical, aspect, NearPlane, DepthOfView);
  return projection;
}

QMatrix4x4 PreviewScene::ViewMatrix() const {
  QMatrix4x4 view;
  view.lookAt({camera_.Camera.X, camera_.Camera.Y, camera_.Camera.Z}, {camera_.Target.X, camera_.Target.Y, camera_.Target.Z},
              {0, 1, 0});
  return view;
}

QMatrix4x4 PreviewScene::PlayerMatrix() const {
  QMatrix4x4 player;
  player.translate(placement_.OffsetX, placement_.OffsetY, placement_.OffsetZ);
  player.rotate(placement_.Turn, 0, 1, 0);
  player.rotate(placement_.Pitch, 1, 0, 0);
  player.rotate(placement_.Roll, 0, 0, 1);
  player.scale(placement_.ScaleX, placement_.ScaleY, placement_.ScaleZ);
  return player;
}

void PreviewScene::Prepare() {
  if (prepared_) return;
  gl_.initializeOpenGLFunctions();
  program_ = std::make_unique<QOpenGLShaderProgram>();
  if (!program_->addShaderFromSourceCode(QOpenGLShader::Vertex, VertexShader) ||
      !program_->addShaderFromSourceCode(QOpenGLShader::Fragment, FragmentShader) || !program_->link())
    throw std::runtime_error("The preview's shaders do not build: " + program_->log().toStdString());
  for (auto& buffers : buffers_) buffers = std::make_unique<ActorBuffers>();
  PrepareFixedShapes();
  prepared_ = true;
}

void PreviewScene::UploadMesh() {
  for (std::size_t actor = 0; actor < buffers_.size(); ++actor) {
    ActorBuffers& buffers = *buffers_[actor];
    buffers.positions.destroy();
    buffers.texCoords.destroy();
    buffers.lines.destroy();
    buffers.corners = 0;
    if (!mesh_) continue;
    const preview::ActorMesh& mesh = mesh_->Actors[actor];
    buffers.corners = static_cast<int>(mesh.CornerCount());
    if (buffers.corners == 0) continue;
    buffers.positions.create();
    buffers.positions.bind();
    buffers.positions.allocate(mesh.Positions.data(), static_cast<int>(mesh.Positions.size() * sizeof(float)));
    buffers.texCoords.create();
    buffers.texCoords.bind();
    buffers.texCoords.allocate(mesh.TexCoords.data(), static_cast<int>(mesh.TexCoords.size() * sizeof(float)));
    std::vector<GLuint> lines;
    lines.reserve(static_cast<std::size_t>(buffers.corners) * 2);
    for (GLuint first = 0; first < static_cast<GLuint>(buffers.corners); first += 3)
      for (GLuint edge = 0; edge < 3; ++edge) {
        lines.push_back(first + edge);
        lines.push_back(first + (edge + 1) % 3);
      }
    buffers.lines.create();
    buffers.lines.bind();
    buffers.lines.allocate(lines.data(), static_cast<int>(lines.size() * sizeof(GLuint)));
  }
  QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
  QOpenGLBuffer::release(QOpenGLBuffer::IndexBuffer);
  meshDirty_ = false;
}

void PreviewScene::DrawActor(int actor, const QMatrix4x4& projection, const QMatrix4x4& modelView) {
  ActorBuffers& buffers = *buffers_[static_cast<std::size_t>(actor)];
  ActorLook& look = looks_[static_cast<std::size_t>(actor)];
  if (buffers.corners == 0) return;
  if (look.Dirty) {
    buffers.texture.reset();
    if (!look.Image.isNull()) {
      buffers.texture = std::make_unique<QOpenGLTexture>(look.Image, QOpenGLTexture::DontGenerateMipMaps);
      buffers.texture->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
      buffers.texture->setWrapMode(QOpenGLTexture::ClampToEdge);
    }
    look.Dirty = false;
  }
  const preview::ActorMaterial& material = look.Material;
  const bool textured = material.Textured && buffers.texture && material.Polygons == preview::PolygonMode::Fill;
  const int frames = std::max(1, mesh_->FrameCount);
  const int from = std::clamp(frame_.From, 0, frames - 1);
  const int to = std::clamp(frame_.To, 0, frames - 1);
  const int frameBytes = buffers.corners * 3 * static_cast<int>(sizeof(float));

  program_->setUniformValue("matrix", projection * modelView);
  program_->setUniformValue("blend", frame_.Blend);
  program_->setUniformValue("textured", textured ? 1 : 0);
  program_->setUniformValue("mode", material.Mode == preview::TextureMode::Decal ? 0 : 1);
  program_->setUniformValue("cutout", material.Alpha == preview::ImageAlpha::TransparentColour ? 0.5f : 0.0f);
  buffers.positions.bind();
  program_->enableAttributeArray("positionA");
  program_->enableAttributeArray("positionB");
  program_->setAttributeBuffer("positionA", GL_FLOAT, from * frameBytes, 3);
  program_->setAttributeBuffer("positionB", GL_FLOAT, to * frameBytes, 3);
  buffers.texCoords.bind();
  program_->enableAttributeArray("texCoord");
  program_->setAttributeBuffer("texCoord", GL_FLOAT, 0, 2);
  if (material.Blend == preview::Blending::Transparency) {
    gl_.glEnable(GL_BLEND);
    // The view stays opaque: whoever shows the framebuffer must not see through it.
    gl_.glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
  } else {
    gl_.glDisable(GL_BLEND);
  }
  if (textured) {
    gl_.glActiveTexture(GL_TEXTURE0);
    buffers.texture->bind();
    program_->setUniformValue("image", 0);
    gl_.glDrawArrays(GL_TRIANGLES, 0, buffers.corners);
    buffers.texture->release();
  } else {
    buffers.lines.bind();
    gl_.glDrawElements(GL_LINES, buffers.corners * 2, GL_UNSIGNED_INT, nullptr);
    buffers.lines.release();
  }
  program_->disableAttributeArray("positionA");
  program_->disableAttributeArray("positionB");
  program_->disableAttributeArray("texCoord");
  QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
}

void PreviewScene::PrepareFixedShapes() {
  const std::vector<float> axes = AxesLines();
  axesVertices_ = static_cast<int>(axes.size() / 3);
  axes_.create();
  axes_.bind();
  axes_.allocate(axes.data(), static_cast<int>(axes.size() * sizeof(float)));
  // 64 x 64 at (32, 32) from the top left corner of the view, with its texture coordinates.
  const float quad[] = {32, 32, 0, 96, 32, 0, 96, 96, 0, 32, 32, 0, 96, 96, 0, 32, 96, 0};
  const float uv[] = {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1};
  hudQuad_.create();
  hudQuad_.bind();
  hudQuad_.allocate(quad, sizeof quad);
  hudCoords_.create();
  hudCoords_.bind();
  hudCoords_.allocate(uv, sizeof uv);
  QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
}

void PreviewScene::DrawFixedShape(QOpenGLBuffer& positions, QOpenGLBuffer* coords, GLenum mode, int vertices,
                                  const QMatrix4x4& matrix, bool textured) {
  program_->setUniformValue("matrix", matrix);
  program_->setUniformValue("blend", 0.0f);
  program_->setUniformValue("textured", textured ? 1 : 0);
  program_->setUniformValue("mode", 1);
  program_->setUniformValue("cutout", 0.0f);
  positions.bind();
  program_->enableAttributeArray("positionA");
  program_->enableAttributeArray("positionB");
  program_->setAttributeBuffer("positionA", GL_FLOAT, 0, 3);
  program_->setAttributeBuffer("positionB", GL_FLOAT, 0, 3);
  if (coords) {
    coords->bind();
    program_->enableAttributeArray("texCoord");
    program_->setAttributeBuffer("texCoord", GL_FLOAT, 0, 2);
  } else {
    program_->setAttributeValue("texCoord", 0.0f, 0.0f);
  }
  gl_.glDisable(GL_BLEND);
  gl_.glDrawArrays(mode, 0, vertices);
  program_->disableAttributeArray("positionA");
  program_->disableAttributeArray("positionB");
  program_->disableAttributeArray("texCoord");
  QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
}

void PreviewScene::DrawHud(int width, int height) {
  if (hudDirty_) {
    hudTexture_.reset();
    if (hud_) {
      hudTexture_ = std::make_unique<QOpenGLTexture>(*hud_, QOpenGLTexture::DontGenerateMipMaps);
      hudTexture_->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
      hudTexture_->setWrapMode(QOpenGLTexture::ClampToEdge);
    }
    hudDirty_ = false;
  }
  if (!hudTexture_) return;
  QMatrix4x4 screen;
  screen.ortho(0, static_cast<float>(width), static_cast<float>(height), 0, -1, 1);
  gl_.glDisable(GL_DEPTH_TEST);
  gl_.glActiveTexture(GL_TEXTURE0);
  hudTexture_->bind();
  program_->setUniformValue("image", 0);
  DrawFixedShape(hudQuad_, &hudCoords_, GL_TRIANGLES, 6, screen, true);
  hudTexture_->release();
  gl_.glEnable(GL_DEPTH_TEST);
}

void PreviewScene::Render(int width, int height) {
  Prepare();
  if (meshDirty_) UploadMesh();
  gl_.glViewport(0, 0, width, height);
  gl_.glClearColor(Silver.redF(), Silver.greenF(), Silver.blueF(), 1.0f);
  gl_.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_.glEnable(GL_DEPTH_TEST);
  gl_.glDisable(GL_CULL_FACE);
  program_->bind();
  const QMatrix4x4 projection = ProjectionMatrix(width, height);
  const QMatrix4x4 view = ViewMatrix();
  if (mesh_) {
    const QMatrix4x4 modelView = view * PlayerMatrix();
    // Blended actors come after the others, as the scene keeps them last.
    for (bool last : {false, true})
      for (int actor = 0; actor < preview::ActorCount; ++actor)
        if (looks_[static_cast<std::size_t>(actor)].Material.DrawLast == last) DrawActor(actor, projection, modelView);
  }
  if (axesVisible_) DrawFixedShape(axes_, nullptr, GL_LINES, axesVertices_, projection * view, false);
  DrawHud(width, height);
  gl_.glDisable(GL_BLEND);
  program_->release();
}

void PreviewScene::Release() {
  if (!prepared_) return;
  for (auto& buffers : buffers_) buffers.reset();
  axes_.destroy();
  hudQuad_.destroy();
  hudCoords_.destroy();
  hudTexture_.reset();
  program_.reset();
  prepared_ = false;
  meshDirty_ = true;
  hudDirty_ = true;
  for (ActorLook& look : looks_) look.Dirty = true;
}

}  // namespace render
