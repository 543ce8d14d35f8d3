#include "preview/CompilerView.h"

#include <algorithm>
#include <array>

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
