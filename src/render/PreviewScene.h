#pragma once

#include <QImage>
#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <array>
#include <memory>
#include <optional>

#include "preview/AnimationClock.h"
#include "preview/ModelPlacement.h"
#include "preview/Navigation.h"
#include "preview/PreviewMesh.h"
#include "preview/TextureSlots.h"

namespace render {

// The preview's scene: the camera looking at its target, the player with
// its eight morph-animated actors, the head-up sprite of the talk texture and
// the axes cube, drawn into whatever OpenGL context is current. What it shows
// is set as plain data at any time; the frames go up to the graphics card
// once, as vertex buffers, the first time the scene is drawn after a new mesh.
class PreviewScene {
public:
  PreviewScene();
  ~PreviewScene();
  PreviewScene(const PreviewScene&) = delete;
  PreviewScene& operator=(const PreviewScene&) = delete;

  // None empties the scene.
  void SetMesh(std::shared_ptr<const preview::PreviewMesh> mesh);
  const preview::PreviewMesh* Mesh() const { return mesh_.get(); }
  // An actor's picture (empty for none) and how it is drawn.
  void SetActorTexture(int actor, const raster::Bitmap& picture, const preview::ActorMaterial& material);
  // The talk texture in the corner, or none.
  void SetHud(std::optional<raster::Bitmap> picture);
  void SetPlacement(const preview::Placement& placement) { placement_ = placement; }
  const preview::Placement& Placement() const { return placement_; }
  void SetCamera(const preview::CameraPose& pose) { camera_ = pose; }
  const preview::CameraPose& Camera() const { return camera_; }
  void SetFrame(const preview::FrameBlend& frame) { frame_ = frame; }
  void SetAxesVisible(bool visible) { axesVisible_ = visible; }
  bool AxesVisible() const { return axesVisible_; }

  // Draws into the current context's bound framebuffer of this size. Must be
  // called with the same context current each time; Release() lets go of it.
  void Render(int width, int height);
  // Frees what the scene holds on the graphics card, with its context current.
  void Release();

  // The projection and view of the camera, as drawn.
  QMatrix4x4 ProjectionMatrix(int width, int height) const;
  QMatrix4x4 ViewMatrix() const;
  QMatrix4x4 PlayerMatrix() const;

private:
  struct ActorBuffers;
  struct ActorLook {
    QImage Image;
    preview::ActorMaterial Material;
    bool Dirty = true;
  };

  void Prepare();
  void UploadMesh();
  void DrawActor(int actor, const QMatrix4x4& projection, const QMatrix4x4& modelView);
  void DrawHud(int width, int height);
  // The axes cube and the sprite's square do not change: made once, drawn untextured or textured.
  void PrepareFixedShapes();
  void DrawFixedShape(QOpenGLBuffer& positions, QOpenGLBuffer* coords, GLenum mode, int vertices,
                      const QMatrix4x4& matrix, bool textured);

  std::shared_ptr<const preview::PreviewMesh> mesh_;
  bool meshDirty_ = true;
  std::array<ActorLook, preview::ActorCount> looks_;
  std::optional<QImage> hud_;
  bool hudDirty_ = true;
  preview::Placement placement_;
  preview::CameraPose camera_;
  preview::FrameBlend frame_;
  bool axesVisible_ = false;

  bool prepared_ = false;
  QOpenGLFunctions gl_;
  std::unique_ptr<QOpenGLShaderProgram> program_;
  std::array<std::unique_ptr<ActorBuffers>, preview::ActorCount> buffers_;
  std::unique_ptr<QOpenGLTexture> hudTexture_;
  QOpenGLBuffer axes_{QOpenGLBuffer::VertexBuffer};
  int axesVertices_ = 0;
  QOpenGLBuffer hudQuad_{QOpenGLBuffer::VertexBuffer};
  QOpenGLBuffer hudCoords_{QOpenGLBuffer::VertexBuffer};
};

// A picture as the scene draws it: RGBA, see-through where the material says.
QImage TextureImage(const raster::Bitmap& picture, const preview::ActorMaterial& material);

}  // namespace render
