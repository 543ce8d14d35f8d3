#include "preview/CompilerView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/TModelo.h"
#include "modelcompiler/PackageModel.h"
#include "modelcompiler/WireBitmapDrawing.h"

namespace preview {

namespace {

// Far apart in hue and brightness, so neighbouring materials never look alike.
constexpr std::array<raster::PaletteEntry, ActorCount> Colours{{
    {200, 60, 50, 0},
    {60, 150, 220, 0},
    {90, 190, 70, 0},
    {230, 190, 40, 0},
    {170, 80, 200, 0},
    {40, 190, 180, 0},
    {235, 130, 40, 0},
    {150, 150, 150, 0},
}};

raster::PaletteEntry Lighter(raster::PaletteEntry colour) {
  const auto up = [](std::uint8_t value) { return static_cast<std::uint8_t>(value + (255 - value) * 3 / 5); };
  return {up(colour.Red), up(colour.Green), up(colour.Blue), 0};
}

std::string LegendOf(const model3d::TObjeto3D& model, int material, const model::TModelo& definition) {
  const int number = material + 1;
  const model::TModeloPart* section = definition.SectionByNumber(number);
  if (!section || model.Materials[static_cast<std::size_t>(material)].Name.empty())
    return "Material " + std::to_string(number) + ": no section";
  std::string legend = "Section " + std::to_string(number) + ": " +
                       definition.Sections[static_cast<std::size_t>(definition.SectionIndexByNumber(number))].Name;
  const bool face = section->Has(model::FACE);
  const bool team = section->Has(model::TEAM);
  if (face && team) legend += " (face, team)";
  else if (face) legend += " (face)";
  else if (team) legend += " (team)";
  return legend;
}

struct Turned {
  float X, Y, Z;
};

// The player matrix's rotations, in its order: roll about Z, pitch about X, turn about Y.
Turned Rotate(Turned v, const Placement& p) {
  const float radians = 3.14159265f / 180.0f;
  const auto turn = [](float& a, float& b, float degrees) {
    const float c = std::cos(degrees), s = std::sin(degrees);
    const float na = a * c - b * s, nb = a * s + b * c;
    a = na;
    b = nb;
  };
  turn(v.X, v.Y, p.Roll * radians);
  turn(v.Y, v.Z, p.Pitch * radians);
  turn(v.Z, v.X, p.Turn * radians);
  return v;
}

}  // namespace

std::vector<MaterialLook> MaterialLooks(const model3d::TObjeto3D& model, const PreviewMesh& mesh,
                                        const model::TModelo& definition) {
  std::vector<MaterialLook> looks;
  for (int actor = 0; actor < ActorCount; ++actor) {
    if (mesh.Actors[static_cast<std::size_t>(actor)].CornerCount() == 0) continue;
    if (static_cast<std::size_t>(actor) >= model.Materials.size()) continue;
    MaterialLook look;
    look.Actor = actor;
    look.Colour = Colours[static_cast<std::size_t>(actor)];
    int drawn = 0;
    look.Picture = modelcompiler::DrawWireBitmap(model, actor, drawn);
    look.Picture.Palette()[modelcompiler::WireBackground] = look.Colour;
    look.Picture.Palette()[modelcompiler::WireLine] = Lighter(look.Colour);
    look.Legend = LegendOf(model, actor, definition);
    looks.push_back(std::move(look));
  }
  return looks;
}

ActorMaterial FlatMaterial() {
  ActorMaterial material;
  material.Polygons = PolygonMode::Fill;
  material.Textured = true;
  return material;
}

Placement StandingPlacement(const model3d::TObjeto3D& model, const model::TModelo& definition) {
  Placement placement;
  placement.ScaleX = definition.ScaleX;
  placement.ScaleY = definition.ScaleY;
  placement.ScaleZ = definition.ScaleZ;
  placement.Pitch = -90;
  placement.Turn = -90;
  if (model.Frames.empty() || model.Frames.front().empty()) return placement;
  Turned low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
  for (const model3d::TVertex3D& v : model.Frames.front()) {
    low = {std::min(low.X, v.X), std::min(low.Y, v.Y), std::min(low.Z, v.Z)};
    high = {std::max(high.X, v.X), std::max(high.Y, v.Y), std::max(high.Z, v.Z)};
  }
  const Turned centre = Rotate({(low.X + high.X) / 2 * placement.ScaleX, (low.Y + high.Y) / 2 * placement.ScaleY,
                                (low.Z + high.Z) / 2 * placement.ScaleZ},
                               placement);
  placement.OffsetX = -centre.X;
  placement.OffsetY = -centre.Y;
  placement.OffsetZ = -centre.Z;
  return placement;
}

CameraPose FramingCamera(const model3d::TObjeto3D& model, const Placement& placement, int viewSize) {
  float radius = 1;
  if (!model.Frames.empty())
    for (const model3d::TVertex3D& v : model.Frames.front()) {
      const Turned at = Rotate({v.X * placement.ScaleX, v.Y * placement.ScaleY, v.Z * placement.ScaleZ}, placement);
      const float x = at.X + placement.OffsetX, y = at.Y + placement.OffsetY, z = at.Z + placement.OffsetZ;
      radius = std::max(radius, std::sqrt(x * x + y * y + z * z));
    }
  // The view's half side spans radius at distance radius * FocalLength / half side; a tenth more leaves a margin.
  const float halfSide = static_cast<float>(std::max(viewSize, 2)) / 2.0f;
  CameraPose pose;
  pose.Camera = {0, 0, radius * FocalLength / halfSide * 1.1f + radius};
  pose.Target = {0, 0, 0};
  return pose;
}

ActorAnimation SequenceAnimation(const modelcompiler::TLMAnimSeq& sequence) {
  ActorAnimation animation;
  animation.Name = sequence.Name;
  animation.StartFrame = sequence.StartFrame;
  animation.EndFrame = sequence.StartFrame + std::max(sequence.NumFrames, 1) - 1;
  // FrameInterval takes a rate of none as 20.
  animation.Rate = sequence.Rate >= 1 && sequence.Rate < 1000 ? static_cast<int>(sequence.Rate) : 0;
  return animation;
}

}  // namespace preview
