#include <gtest/gtest.h>

#include "model/TModelo.h"
#include "modelcompiler/ModelOutput.h"
#include "modelcompiler/PackageModel.h"
#include "modelcompiler/WireBitmapDrawing.h"
#include "preview/CompilerView.h"

namespace {

using model3d::TObjeto3D;

// Three materials with a triangle each; material 0 has no name, as a mesh
// whose textures are all imported leaves it.
TObjeto3D ThreeMaterials() {
  TObjeto3D model;
  model.Frames = {{{0, 0, 0}, {10, 0, 0}, {0, 20, 40}}, {{0, 0, 0}, {10, 0, 0}, {0, 20, 80}}};
  model.TexCoords = {{0.25f, 0.75f}, {0.75f, 0.75f}, {0.25f, 0.25f}};
  model.Materials = {{"", 0}, {"SKIN1", 0}, {"SKIN2", 0}};
  for (std::int8_t m = 0; m < 3; ++m) model.Triangles.push_back({{0, 1, 2}, {0, 1, 2}, m});
  return model;
}

// The face on section 2, teams on section 3.
std::shared_ptr<model::TModelo> RobotDefinition() {
  return modelcompiler::DefinitionOfLines({"[Model]", "FormatVersion=2", "Name=Robot", "Prefix=Robot", "[Section2]",
                                           "Name=SKIN1", "Face=Yes", "[Section3]", "Name=SKIN2", "Team=Yes"},
                                          "/nowhere/Robot.mrbe");
}

}  // namespace

TEST(CompilerViewTest, EachMaterialHasAColourOfItsOwnAndNamesItsSection) {
  const TObjeto3D model = ThreeMaterials();
  const preview::PreviewMesh mesh = preview::BuildMesh(model);
  const std::vector<preview::MaterialLook> looks = preview::MaterialLooks(model, mesh, *RobotDefinition());
  ASSERT_EQ(looks.size(), 3u);
  EXPECT_EQ(looks[0].Legend, "Material 1: no section");
  EXPECT_EQ(looks[1].Legend, "Section 2: SKIN1 (face)");
  EXPECT_EQ(looks[2].Legend, "Section 3: SKIN2 (team)");
  for (std::size_t a = 0; a < looks.size(); ++a) {
    EXPECT_EQ(looks[a].Actor, static_cast<int>(a));
    for (std::size_t b = a + 1; b < looks.size(); ++b) EXPECT_NE(looks[a].Colour, looks[b].Colour);
    // The wire bitmap in the material's colour: its background is the colour, its lines lighter.
    const raster::Bitmap& picture = looks[a].Picture;
    ASSERT_EQ(picture.Width(), modelcompiler::WireBitmapSize);
    EXPECT_EQ(picture.Palette()[picture.Row(0)[0]], looks[a].Colour);
    const raster::PaletteEntry line = picture.Palette()[modelcompiler::WireLine];
    EXPECT_GT(line.Red + line.Green + line.Blue, looks[a].Colour.Red + looks[a].Colour.Green + looks[a].Colour.Blue);
  }
  EXPECT_EQ(looks[0].Picture.Row(64)[64], modelcompiler::WireLine);
}

TEST(CompilerViewTest, ASequencePlaysItsOwnFrames) {
  const preview::ActorAnimation walk = preview::SequenceAnimation({"Walk", 12, 8, 15.5f});
  EXPECT_EQ(walk.Name, "Walk");
  EXPECT_EQ(walk.StartFrame, 12);
  EXPECT_EQ(walk.EndFrame, 19);
  EXPECT_EQ(walk.Rate, 15);
  EXPECT_EQ(preview::FrameInterval(preview::SequenceAnimation({"Still", 3, 0, 0})), 50);
  EXPECT_EQ(preview::SequenceAnimation({"Still", 3, 0, 0}).EndFrame, 3);
}
