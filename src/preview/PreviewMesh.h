#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"

namespace preview {

inline constexpr int ActorCount = 8;

// What one actor draws: material a of the model. Corners are never shared:
// every triangle has its own three positions and normals in each frame.
struct ActorMesh {
  // Frame after frame, corner after corner: X, Y, Z.
  std::vector<float> Positions;
  // The face normal of each corner's triangle, normalised, laid out as Positions.
  std::vector<float> Normals;
  // U, V per corner, the same in every frame.
  std::vector<float> TexCoords;

  std::size_t CornerCount() const { return TexCoords.size() / 2; }
};

// An animation as actors play it: frames StartFrame to EndFrame.
struct ActorAnimation {
  std::string Name;
  int StartFrame = 0;
  int EndFrame = 0;
  // Frames a second: the sequence's rate, 20 when it has none.
  int Rate = 20;
};

// The eight actors of the preview, ready for the renderer.
struct PreviewMesh {
  std::array<ActorMesh, ActorCount> Actors;
  std::vector<ActorAnimation> Animations;
  int FrameCount = 0;
  int StillFrame = 0;
};

// Builds the actors: actor a draws the triangles of material a, except the
// weapon material (the first whose flags hold 8). `progress` hears the work
// done and the whole, frame by frame.
using BuildProgress = std::function<void(long long done, long long total)>;
PreviewMesh BuildMesh(const model3d::TObjeto3D& model, const BuildProgress& progress = {});

// Milliseconds between frames of an animation played at `rate`.
int FrameInterval(const ActorAnimation& animation);

}  // namespace preview
