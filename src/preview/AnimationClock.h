#pragma once

#include "preview/PreviewMesh.h"

namespace preview {

// The two frames an actor shows between and how far it is from the first to
// the second (0 to 1): morph animation blends them linearly over the frame interval.
struct FrameBlend {
  int From = 0;
  int To = 0;
  float Blend = 0;
  friend bool operator==(const FrameBlend&, const FrameBlend&) = default;
};

// An animation played in a loop, `elapsed` milliseconds after it began.
FrameBlend FrameAt(const ActorAnimation& animation, double elapsed);
// A still frame: the frame itself, blended with nothing.
FrameBlend StillAt(int frame);

}  // namespace preview
