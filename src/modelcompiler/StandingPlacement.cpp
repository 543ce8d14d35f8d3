#include "modelcompiler/StandingPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace modelcompiler {

namespace {

using model3d::TVertex3D;

// Definitions have always given package meshes 1.5, which suits the game's
// player meshes: some 170 to 190 units tall at rest, about 270 in the view.
// A mesh far from that size gets the scale that brings it to the nearer end
// of 100 to 600 units, where pans, position steps and the camera's depth of
// view still suit it.
constexpr float UsualScale = 1.5f;
constexpr float ShortestStanding = 100.0f;
constexpr float TallestStanding = 600.0f;

// The share of the framed view's height and width the model may take.
constexpr float FrontFill = 0.85f;
// The head is the top fifth of a standing model. It takes two fifths of the
// view's height, with the shoulders below it, and may take all of its width,
// since its box holds the tops of the shoulders.
constexpr float HeadShare = 0.2f;
constexpr float FaceHeightFill = 0.4f;
constexpr float FaceWidthFill = 1.0f;

// In the (a, b) plane, counter-clockwise.
void Turn(float& a, float& b, float degrees) {
  const float radians = degrees * 3.14159265f / 180.0f;
  const float c = std::cos(radians), s = std::sin(radians);
  const float na = a * c - b * s, nb = a * s + b * c;
  a = na;
  b = nb;
}

// Rotations as matrices: rows of the turned unit vectors' coordinates.
using Matrix = std::array<std::array<float, 3>, 3>;

Matrix Product(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

float Sin(float degrees) { return std::sin(degrees * 3.14159265f / 180.0f); }
float Cos(float degrees) { return std::cos(degrees * 3.14159265f / 180.0f); }

// As Turn turns: about X takes Y towards Z, about Y takes Z towards X, about Z takes X towards Y.
Matrix AboutX(float d) { return {{{1, 0, 0}, {0, Cos(d), -Sin(d)}, {0, Sin(d), Cos(d)}}}; }
Matrix AboutY(float d) { return {{{Cos(d), 0, Sin(d)}, {0, 1, 0}, {-Sin(d), 0, Cos(d)}}}; }
Matrix AboutZ(float d) { return {{{Cos(d), -Sin(d), 0}, {Sin(d), Cos(d), 0}, {0, 0, 1}}}; }

struct Angles {
  float Roll = 0, Pitch = 0, Turn = 0;
};

float Degrees(float radians) { return radians * 180.0f / 3.14159265f; }

// The placement's roll, pitch and turn of a rotation: it is AboutY(turn) *
// AboutX(pitch) * AboutZ(roll). Straight up or down, the roll is 0.
Angles PlacementAngles(const Matrix& m) {
  Angles angles;
  angles.Pitch = Degrees(std::asin(std::clamp(-m[1][2], -1.0f, 1.0f)));
  if (std::abs(m[1][2]) < 0.9999f) {
    angles.Roll = Degrees(std::atan2(m[1][0], m[1][1]));
    angles.Turn = Degrees(std::atan2(m[0][2], m[2][2]));
  } else {
    angles.Turn = Degrees(std::atan2(-m[2][0], m[0][0]));
  }
  // Whole degrees stay whole, and -0 reads 0.
  for (float* angle : {&angles.Roll, &angles.Pitch, &angles.Turn}) *angle = std::round(*angle * 1000.0f) / 1000.0f + 0.0f;
  return angles;
}

// How far in front of the box's centre a camera looking along the preview's Z
// must stand for the front of the box to take at most the shares of the view.
float FramingDistance(const Box& box, float heightShare, float widthShare, int viewWidth, int viewHeight) {
  const float tall = (box.High.Y - box.Low.Y) / (heightShare * static_cast<float>(std::max(viewHeight, 1)));
  const float wide = (box.High.X - box.Low.X) / (widthShare * static_cast<float>(std::max(viewWidth, 1)));
  return (box.High.Z - box.Low.Z) / 2 + FocalLength * std::max(tall, wide);
}

// The camera `distance` in front of the target, looking at it along the preview's Z.
model::TCameraPreset Facing(const char* name, const TVertex3D& target, float distance) {
  return {name, target.X, target.Y, target.Z + distance, target.X, target.Y, target.Z};
}

}  // namespace

TVertex3D Placed(const TVertex3D& point, const Placement& p) {
  TVertex3D v{point.X * p.ScaleX, point.Y * p.ScaleY, point.Z * p.ScaleZ};
  Turn(v.X, v.Y, p.Roll);
  Turn(v.Y, v.Z, p.Pitch);
  Turn(v.Z, v.X, p.Turn);
  return {v.X + p.OffsetX, v.Y + p.OffsetY, v.Z + p.OffsetZ};
}

void Box::Add(const TVertex3D& point) {
  Low = {std::min(Low.X, point.X), std::min(Low.Y, point.Y), std::min(Low.Z, point.Z)};
  High = {std::max(High.X, point.X), std::max(High.Y, point.Y), std::max(High.Z, point.Z)};
}

TVertex3D Box::Centre() const {
  const auto middle = [](float low, float high) { return static_cast<float>((double{low} + double{high}) * 0.5); };
  return {middle(Low.X, High.X), middle(Low.Y, High.Y), middle(Low.Z, High.Z)};
}

float Box::LongestSide() const {
  return Empty() ? 0.0f : std::max({High.X - Low.X, High.Y - Low.Y, High.Z - Low.Z});
}

Box BoxOf(std::span<const TVertex3D> vertices, const Placement& placement) {
  Box box;
  for (const TVertex3D& v : vertices) box.Add(Placed(v, placement));
  return box;
}

std::span<const TVertex3D> RestFrame(const model3d::TObjeto3D& model) {
  if (model.Frames.empty()) return {};
  const auto still = static_cast<std::size_t>(model.StillFrame);
  return model.StillFrame >= 0 && still < model.Frames.size() ? model.Frames[still] : model.Frames.front();
}

float Clearance(const Box& box) { return box.LongestSide() / 20.0f; }

float StandingScale(const model3d::TObjeto3D& model, const MeshRotation& rotation) {
  const Box box = BoxOf(RestFrame(model), StandingPlacement(model, 1.0f, rotation));
  const float height = box.Empty() ? 0.0f : box.High.Y - box.Low.Y;
  // A flat mesh has no height to scale by, turned or not.
  if (height <= box.LongestSide() * 1e-4f) return UsualScale;
  return std::clamp(UsualScale * height, ShortestStanding, TallestStanding) / height;
}

Placement StandingPlacement(const model3d::TObjeto3D& model, float scale, const MeshRotation& rotation) {
  // Standing up after the mesh's own rotation, in the placement's order of turns.
  const Matrix standing = Product(AboutY(-90), AboutX(-90));
  const Matrix mesh = Product(AboutZ(rotation.Yaw), Product(AboutY(-rotation.Pitch), AboutX(-rotation.Roll)));
  const Angles turns = PlacementAngles(Product(standing, mesh));
  Placement placement{scale, scale, scale, 0, 0, 0, turns.Pitch, turns.Roll, turns.Turn};
  const Box box = BoxOf(RestFrame(model), placement);
  if (box.Empty()) return placement;
  const TVertex3D centre = box.Centre();
  placement.OffsetX = -centre.X;
  placement.OffsetY = -centre.Y;
  placement.OffsetZ = -centre.Z;
  return placement;
}

model::TCameraPreset FrontPreset(const model3d::TObjeto3D& model, const Placement& placement, int viewWidth,
                                 int viewHeight) {
  const Box box = BoxOf(RestFrame(model), placement);
  if (box.Empty()) return {"Front", 0, 0, 2000, 0, 0, 0};
  return Facing("Front", box.Centre(), FramingDistance(box, FrontFill, FrontFill, viewWidth, viewHeight));
}

model::TCameraPreset FacePreset(const model3d::TObjeto3D& model, const Placement& placement, int viewWidth,
                                int viewHeight, const std::vector<bool>& headMaterials) {
  const std::span<const TVertex3D> frame = RestFrame(model);
  const Box whole = BoxOf(frame, placement);
  if (whole.Empty()) return {"Face", 0, 0, 2000, 0, 0, 0};
  // The vertices of the materials that may hold the head; all without a choice.
  std::vector<bool> counted(frame.size(), headMaterials.empty());
  for (const model3d::TTriangle3D& triangle : model.Triangles) {
    const auto material = static_cast<std::size_t>(triangle.Material);
    if (material < headMaterials.size() && headMaterials[material])
      for (const std::uint16_t vertex : triangle.Vertex)
        if (vertex < counted.size()) counted[vertex] = true;
  }
  // The head looks ahead: the top of the front half of those vertices.
  const float middle = whole.Centre().Z;
  std::vector<TVertex3D> ahead;
  Box front;
  for (std::size_t i = 0; i < frame.size(); ++i)
    if (const TVertex3D at = Placed(frame[i], placement); counted[i] && at.Z >= middle) {
      ahead.push_back(at);
      front.Add(at);
    }
  if (front.Empty()) front = whole;
  const float neck = front.High.Y - HeadShare * (whole.High.Y - whole.Low.Y);
  Box head;
  for (const TVertex3D& at : ahead)
    if (at.Y >= neck) head.Add(at);
  if (head.Empty()) head = whole;
  const TVertex3D target = head.Centre();
  // Nothing of the model may come between the camera and the head.
  const float clear = whole.High.Z + Clearance(whole) - target.Z;
  return Facing("Face", target,
                std::max(FramingDistance(head, FaceHeightFill, FaceWidthFill, viewWidth, viewHeight), clear));
}

}  // namespace modelcompiler
