#include "preview/AnimationClock.h"

#include <algorithm>
#include <cmath>

namespace preview {

FrameBlend FrameAt(const ActorAnimation& animation, double elapsed) {
  const int frames = std::max(1, animation.EndFrame - animation.StartFrame + 1);
  const double position = std::max(0.0, elapsed) / static_cast<double>(FrameInterval(animation));
  const double whole = std::floor(position);
  const int step = static_cast<int>(std::fmod(whole, static_cast<double>(frames)));
  return {animation.StartFrame + step, animation.StartFrame + (step + 1) % frames,
          frames == 1 ? 0.0f : static_cast<float>(position - whole)};
}

FrameBlend StillAt(int frame) { return {frame, frame, 0.0f}; }

}  // namespace preview
