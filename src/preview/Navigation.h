#pragma once

#include <optional>

#include "modelcompiler/StandingPlacement.h"

namespace preview {

// In pixels: the shorter side of a view spans 2 atan(side / 2 / FocalLength).
using modelcompiler::FocalLength;

struct Point3 {
  float X = 0, Y = 0, Z = 0;
  friend bool operator==(const Point3&, const Point3&) = default;
};

// Where the camera is and what it looks at.
struct CameraPose {
  Point3 Camera{0, 0, 2000};
  Point3 Target{0, 0, 0};
  friend bool operator==(const CameraPose&, const CameraPose&) = default;
};

// Moves the camera around its target: `turn` degrees about the vertical axis
// through the target, `pitch` degrees up or down, never over the top.
void Orbit(CameraPose& pose, float pitch, float turn);
// Multiplies the camera's distance to its target. Given the model's box as it
// stands, the camera never crosses into that box grown by its clearance,
// coming nearer or backing away, and from inside it only moves out.
void Zoom(CameraPose& pose, float ratio, const std::optional<modelcompiler::Box>& model);
// Moves the target, and the camera with it.
void Pan(CameraPose& pose, float dx, float dy, float dz);

// What a mouse drag in the viewer does, by its buttons and keys.
enum class DragAction { None, Zoom, Orbit, Pan };
struct MouseState {
  bool Left = false;
  bool Right = false;
  bool Middle = false;
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};
DragAction DragActionFor(const MouseState& state);

// A drag of (dx, dy): stored position minus new, in pixels. Zooming keeps out of `model`.
void Drag(CameraPose& pose, const MouseState& state, int dx, int dy, const std::optional<modelcompiler::Box>& model);
// A wheel turn of `delta` (120 a notch): a notch away makes the camera 10 % farther.
void Wheel(CameraPose& pose, int delta, const std::optional<modelcompiler::Box>& model);

}  // namespace preview
