#include "preview/Navigation.h"

#include <algorithm>
#include <cmath>

namespace preview {

namespace {

constexpr float Pi = 3.14159265358979f;
// Just short of straight above or below, where "up" would be lost.
constexpr float MaxElevation = 89.9f;

float Radians(float degrees) { return degrees * Pi / 180.0f; }
float Degrees(float radians) { return radians * 180.0f / Pi; }

}  // namespace

void Orbit(CameraPose& pose, float pitch, float turn) {
  const float x = pose.Camera.X - pose.Target.X;
  const float y = pose.Camera.Y - pose.Target.Y;
  const float z = pose.Camera.Z - pose.Target.Z;
  const float distance = std::sqrt(x * x + y * y + z * z);
  if (distance <= 0) return;
  const float elevation = std::clamp(Degrees(std::asin(std::clamp(y / distance, -1.0f, 1.0f))) + pitch, -MaxElevation,
                                     MaxElevation);
  const float azimuth = Degrees(std::atan2(x, z)) + turn;
  const float flat = distance * std::cos(Radians(elevation));
  pose.Camera = {pose.Target.X + flat * std::sin(Radians(azimuth)), pose.Target.Y + distance * std::sin(Radians(elevation)),
                 pose.Target.Z + flat * std::cos(Radians(azimuth))};
}

void Zoom(CameraPose& pose, float ratio) {
  pose.Camera = {pose.Target.X + (pose.Camera.X - pose.Target.X) * ratio,
                 pose.Target.Y + (pose.Camera.Y - pose.Target.Y) * ratio,
                 pose.Target.Z + (pose.Camera.Z - pose.Target.Z) * ratio};
}

void Pan(CameraPose& pose, float dx, float dy, float dz) {
  for (Point3* point : {&pose.Target, &pose.Camera}) {
    point->X += dx;
    point->Y += dy;
    point->Z += dz;
  }
}

DragAction DragActionFor(const MouseState& state) {
  const bool modifier = state.Shift || state.Ctrl || state.Alt;
  if (state.Left && state.Right && !state.Middle && !modifier) return DragAction::Zoom;
  if (state.Left && !state.Right && !state.Middle && !modifier) return DragAction::Orbit;
  if (state.Right && !(state.Left && !state.Middle && !modifier)) return DragAction::Pan;
  return DragAction::None;
}

void Drag(CameraPose& pose, const MouseState& state, int dx, int dy) {
  switch (DragActionFor(state)) {
    case DragAction::Zoom:
      Zoom(pose, std::pow(1.1f, static_cast<float>(dx) + static_cast<float>(dy) / 120.0f));
      break;
    case DragAction::Orbit:
      Orbit(pose, static_cast<float>(dy), static_cast<float>(dx));
      break;
    case DragAction::Pan:
      if (state.Ctrl)
        Pan(pose, 0, -static_cast<float>(dy), static_cast<float>(dx));
      else
        Pan(pose, static_cast<float>(dx), -static_cast<float>(dy), 0);
      break;
    case DragAction::None:
      break;
  }
}

void Wheel(CameraPose& pose, int delta) { Zoom(pose, std::pow(1.1f, static_cast<float>(delta) / 120.0f)); }

}  // namespace preview
