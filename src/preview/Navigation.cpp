#include "preview/Navigation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace preview {

namespace {

constexpr float Pi = 3.14159265358979f;
// Just short of straight above or below, where "up" would be lost.
constexpr float MaxElevation = 89.9f;

float Radians(float degrees) { return degrees * Pi / 180.0f; }
float Degrees(float radians) { return radians * 180.0f / Pi; }

// Where the ray from `from` along the unit `direction` runs inside the box: from
// Enter to Leave, in distances along it; none when it misses.
struct Crossing {
  float Enter, Leave;
};

std::optional<Crossing> CrossingOf(const Point3& from, const float (&direction)[3], const modelcompiler::Box& box) {
  const float origin[3] = {from.X, from.Y, from.Z};
  const float low[3] = {box.Low.X, box.Low.Y, box.Low.Z};
  const float high[3] = {box.High.X, box.High.Y, box.High.Z};
  Crossing crossing{0, std::numeric_limits<float>::infinity()};
  for (int a = 0; a < 3; ++a) {
    if (std::abs(direction[a]) < 1e-6f) {
      if (origin[a] < low[a] || origin[a] > high[a]) return std::nullopt;
      continue;
    }
    const float first = (low[a] - origin[a]) / direction[a], second = (high[a] - origin[a]) / direction[a];
    crossing.Enter = std::max(crossing.Enter, std::min(first, second));
    crossing.Leave = std::min(crossing.Leave, std::max(first, second));
  }
  if (crossing.Enter > crossing.Leave) return std::nullopt;
  return crossing;
}

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

void Zoom(CameraPose& pose, float ratio, const std::optional<modelcompiler::Box>& model) {
  const float x = pose.Camera.X - pose.Target.X;
  const float y = pose.Camera.Y - pose.Target.Y;
  const float z = pose.Camera.Z - pose.Target.Z;
  const float distance = std::sqrt(x * x + y * y + z * z);
  if (distance <= 0) return;
  float wanted = distance * ratio;
  if (model && !model->Empty()) {
    const float clearance = modelcompiler::Clearance(*model);
    modelcompiler::Box kept = *model;
    kept.Low = {kept.Low.X - clearance, kept.Low.Y - clearance, kept.Low.Z - clearance};
    kept.High = {kept.High.X + clearance, kept.High.Y + clearance, kept.High.Z + clearance};
    const float direction[3] = {x / distance, y / distance, z / distance};
    if (const auto crossing = CrossingOf(pose.Target, direction, kept)) {
      if (distance >= crossing->Leave)
        wanted = std::max(wanted, crossing->Leave);
      else if (distance <= crossing->Enter)
        wanted = std::min(wanted, crossing->Enter);
      else
        wanted = std::max(wanted, distance);
    }
  }
  const float factor = wanted / distance;
  pose.Camera = {pose.Target.X + x * factor, pose.Target.Y + y * factor, pose.Target.Z + z * factor};
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

void Drag(CameraPose& pose, const MouseState& state, int dx, int dy, const std::optional<modelcompiler::Box>& model) {
  switch (DragActionFor(state)) {
    case DragAction::Zoom:
      Zoom(pose, std::pow(1.1f, static_cast<float>(dx) + static_cast<float>(dy) / 120.0f), model);
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

void Wheel(CameraPose& pose, int delta, const std::optional<modelcompiler::Box>& model) {
  Zoom(pose, std::pow(1.1f, static_cast<float>(delta) / 120.0f), model);
}

}  // namespace preview
