#include "MannequinModel.h"

#include <array>
#include <cmath>
#include <numbers>

#include "support/MeshPackage.h"

namespace samplegen {

namespace {

using testsupport::MeshVertex;

struct Rect {
  int U0, V0, U1, V1;
};

enum class Motion { None, Breathe, LeftSwing, RightSwing };

struct Box {
  MeshVertex Centre, Half;
  int Material;
  Rect Skin;
  Motion Move;
  // The point a limb swings about.
  MeshVertex Pivot;
};

const std::array<Box, 8> Boxes = {{
    {{0, 0, 20}, {7, 12, 12}, 0, {0, 0, 127, 127}, Motion::Breathe, {}},
    {{0, 0, 2}, {6, 10, 5}, 0, {128, 0, 255, 63}, Motion::None, {}},
    {{0, 0, 41}, {7, 6, 8}, 1, {0, 0, 255, 255}, Motion::Breathe, {}},
    {{7.5f, 0, 43}, {0.5f, 5, 2}, 2, {0, 0, 255, 255}, Motion::Breathe, {}},
    {{0, 16, 20}, {3, 3, 12}, 0, {128, 64, 191, 191}, Motion::RightSwing, {0, 16, 31}},
    {{0, -16, 20}, {3, 3, 12}, 0, {192, 64, 255, 191}, Motion::LeftSwing, {0, -16, 31}},
    {{0, 5, -17}, {4, 4, 14}, 0, {0, 128, 63, 255}, Motion::LeftSwing, {0, 5, -3}},
    {{0, -5, -17}, {4, 4, 14}, 0, {64, 128, 127, 255}, Motion::RightSwing, {0, -5, -3}},
}};

constexpr int BreathFrames = 6;
constexpr int RunFrames = 8;

// Corner c of a box has the signs of bits 0, 1 and 2 on X, Y and Z.
MeshVertex Corner(const Box& box, int c) {
  return {box.Centre.X + ((c & 1) ? box.Half.X : -box.Half.X), box.Centre.Y + ((c & 2) ? box.Half.Y : -box.Half.Y),
          box.Centre.Z + ((c & 4) ? box.Half.Z : -box.Half.Z)};
}

// The box at a phase (0 to 1) of a sequence: breathing lifts the upper body,
// running swings the limbs about their pivots in opposite pairs.
MeshVertex Posed(const Box& box, MeshVertex v, bool running, double phase) {
  const double wave = std::sin(2 * std::numbers::pi * phase);
  if (!running) {
    if (box.Move != Motion::None) v.Z += static_cast<float>(0.75 * wave);
    return v;
  }
  if (box.Move != Motion::LeftSwing && box.Move != Motion::RightSwing) return v;
  const double angle = 0.6 * wave * (box.Move == Motion::LeftSwing ? 1 : -1);
  const double x = v.X - box.Pivot.X, z = v.Z - box.Pivot.Z;
  v.X = static_cast<float>(box.Pivot.X + x * std::cos(angle) + z * std::sin(angle));
  v.Z = static_cast<float>(box.Pivot.Z - x * std::sin(angle) + z * std::cos(angle));
  return v;
}

// Each side of a box: four corners, listed so their winding faces outwards.
std::array<std::array<int, 4>, 6> Sides() {
  return {{{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}}};
}

testsupport::MeshSpec MannequinMesh() {
  testsupport::MeshSpec mesh;
  mesh.Name = "Mannequin";
  mesh.Textures = {0, 0, 0};
  mesh.Materials = {{0, 0}, {0, 1}, {0x102, 2}};
  mesh.Sequences = {{"Breath1", 0, BreathFrames, 6.0f}, {"Run", BreathFrames, RunFrames, 15.0f}};
  for (int f = 0; f < BreathFrames + RunFrames; ++f) {
    const bool running = f >= BreathFrames;
    const double phase = running ? (f - BreathFrames) / double(RunFrames) : f / double(BreathFrames);
    std::vector<MeshVertex>& frame = mesh.Frames.emplace_back();
    for (const Box& box : Boxes)
      for (int c = 0; c < 8; ++c) frame.push_back(Posed(box, Corner(box, c), running, phase));
  }
  // Each side takes a cell of its box's skin rectangle, three across and two down.
  for (std::size_t b = 0; b < Boxes.size(); ++b) {
    const Box& box = Boxes[b];
    const auto sides = Sides();
    for (int s = 0; s < 6; ++s) {
      const int width = (box.Skin.U1 - box.Skin.U0) / 3, height = (box.Skin.V1 - box.Skin.V0) / 2;
      const int u0 = box.Skin.U0 + (s % 3) * width + 1, v0 = box.Skin.V0 + (s / 3) * height + 1;
      const int u1 = u0 + width - 2, v1 = v0 + height - 2;
      const std::array<std::array<int, 2>, 4> uv = {{{u0, v1}, {u1, v1}, {u1, v0}, {u0, v0}}};
      const auto first = static_cast<std::int32_t>(mesh.Wedges.size());
      for (int k = 0; k < 4; ++k)
        mesh.Wedges.push_back({static_cast<std::int32_t>(b * 8) + sides[s][k], static_cast<std::uint8_t>(uv[k][0]),
                               static_cast<std::uint8_t>(uv[k][1])});
      mesh.Faces.push_back({{first, first + 1, first + 2}, box.Material});
      mesh.Faces.push_back({{first, first + 2, first + 3}, box.Material});
    }
  }
  return mesh;
}

}  // namespace

void WriteMannequinPackage(const std::filesystem::path& folder) {
  testsupport::MeshPackage package("Mannequin");
  const std::int32_t mesh = package.AddLodMesh(MannequinMesh());
  package.AddPlayerClass({.Name = "Mannequin", .Mesh = mesh, .MenuName = "Mannequin", .FaceSkin = 1,
                          .TeamSkin1 = 0, .TeamSkin2 = 1, .Description = "Mannequin"});
  package.Write(folder);
}

}  // namespace samplegen
