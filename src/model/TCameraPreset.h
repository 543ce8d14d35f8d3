#pragma once

#include <string>
#include <string_view>

namespace model {

// A named camera position and target for the preview.
struct TCameraPreset {
  std::string Name;
  float CameraX = 0, CameraY = 0, CameraZ = 0;
  float TargetX = 0, TargetY = 0, TargetZ = 0;

  friend bool operator==(const TCameraPreset&, const TCameraPreset&) = default;
};

// "name;camera X;camera Y;camera Z;target X;target Y;target Z" as definition
// files hold it; a value with fewer pieces, or a piece that is not a number,
// is an error saying which.
TCameraPreset ParseCameraPreset(std::string_view text);

}  // namespace model
