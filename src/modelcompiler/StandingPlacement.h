#pragma once

#include <span>
#include <vector>

#include "model/TCameraPreset.h"
#include "model3d/TObjeto3D.h"

// How a compiled package model stands in the preview, and the camera presets
// that frame it: written into its definition, and used by the model
// compiler's own view.
namespace modelcompiler {

// In pixels, along either side of a view: a point at depth d and height h
// from the line of sight shows h * FocalLength / d pixels from the centre.
inline constexpr float FocalLength = 600.0f;

// A model's scale, position and rotation (degrees) in the preview, as a
// definition keeps them. The frames are scaled, rolled about Z, pitched about
// X, turned about Y, then moved by the offset.
struct Placement {
  float ScaleX = 1, ScaleY = 1, ScaleZ = 1;
  float OffsetX = 0, OffsetY = 0, OffsetZ = 0;
  float Pitch = 0, Roll = 0, Turn = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

// Where a point of the model's frames lands in the preview.
model3d::TVertex3D Placed(const model3d::TVertex3D& point, const Placement& placement);

// A box along the preview's axes; empty until a point is added.
struct Box {
  model3d::TVertex3D Low{1e30f, 1e30f, 1e30f};
  model3d::TVertex3D High{-1e30f, -1e30f, -1e30f};

  bool Empty() const { return Low.X > High.X; }
  void Add(const model3d::TVertex3D& point);
  model3d::TVertex3D Centre() const;
  float LongestSide() const;
};

// The box of the vertices as placed; as they are without a placement.
Box BoxOf(std::span<const model3d::TVertex3D> vertices, const Placement& placement = {});

// The frame the model rests in (its StillFrame, frame 0 when that is not
// held); empty for a model without frames.
std::span<const model3d::TVertex3D> RestFrame(const model3d::TObjeto3D& model);

// How far the camera keeps from a model's box: a twentieth of its longest side.
float Clearance(const Box& box);


// A package mesh's own rotation (its RotOrigin), degrees, which the game
// gives the mesh before the actor's: roll about X, then pitch, then yaw about Z.
struct MeshRotation {
  float Pitch = 0, Yaw = 0, Roll = 0;
};

// Package meshes, once the game has turned them by their own rotation, stand
// on their Z axis and look along X: pitch -90 and turn -90 stand one up
// facing a camera on the preview's Z axis. The placement turns by both, and
// its offset puts the centre of the rest frame at the origin.
Placement StandingPlacement(const model3d::TObjeto3D& model, float scale, const MeshRotation& rotation = {});

// The scale a package mesh is written with, for its height as it stands.
float StandingScale(const model3d::TObjeto3D& model, const MeshRotation& rotation = {});

// The view presets are framed for: the preview's viewer at its smallest.
// Other views show the model as tall, since the focal length holds for both
// sides of every view.
inline constexpr int FramedViewWidth = 330;
inline constexpr int FramedViewHeight = 480;

// "Front": the camera in front of the placed model, looking at its centre,
// with the whole rest frame in the view and most of its height.
model::TCameraPreset FrontPreset(const model3d::TObjeto3D& model, const Placement& placement, int viewWidth,
                                 int viewHeight);
// "Face": the camera in front of the head (the top fifth of the front half of
// the placed rest frame, of the materials flagged in `headMaterials`, or of
// all), framing it with the shoulders below, and never nearer to the model's
// box than its clearance.
model::TCameraPreset FacePreset(const model3d::TObjeto3D& model, const Placement& placement, int viewWidth,
                                int viewHeight, const std::vector<bool>& headMaterials = {});

}  // namespace modelcompiler
