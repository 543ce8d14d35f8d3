// How a compiled package model stands and is framed, written into its definition.
#include <gtest/gtest.h>

#include "model/TModelo.h"
#include "modelcompiler/ModelOutput.h"
#include "modelcompiler/StandingPlacement.h"

namespace {

using namespace modelcompiler;
using model3d::TObjeto3D;
using model3d::TVertex3D;

// A box 180 tall on the package's Z, 60 wide on Y and 40 deep on X, with a
// nose near the top looking along X. Frame 0 lies on its back; it rests in frame 1.
TObjeto3D Figure(float size = 1) {
  TObjeto3D model;
  std::vector<TVertex3D> standing;
  for (const float x : {-20.0f, 20.0f})
    for (const float y : {-30.0f, 30.0f})
      for (const float z : {-90.0f, 90.0f}) standing.push_back({x * size, y * size, z * size});
  standing.push_back({25 * size, 0, 75 * size});
  std::vector<TVertex3D> lying;
  for (const TVertex3D& v : standing) lying.push_back({v.Z, v.Y, -v.X});
  model.Frames = {lying, standing};
  model.StillFrame = 1;
  model.TexCoords = {{0, 0}};
  model.Materials = {{"SKIN0", 0}};
  model.Triangles = {{{0, 1, 8}, {0, 0, 0}, 0}};
  return model;
}

}  // namespace

TEST(StandingPlacementTest, AMeshStandsCentredFacingTheCameraAtAUsualHeight) {
  const TObjeto3D figure = Figure();
  EXPECT_FLOAT_EQ(StandingScale(figure), 1.5f);
  const Placement placement = StandingPlacement(figure, 1.5f);
  const Box box = BoxOf(RestFrame(figure), placement);
  EXPECT_NEAR(box.Low.Y, -135, 1e-3);
  EXPECT_NEAR(box.High.Y, 135, 1e-3);
  EXPECT_NEAR(box.High.X - box.Low.X, 90, 1e-3);
  EXPECT_NEAR(box.Low.Z + box.High.Z, 0, 1e-3);
  // The nose is at the top, in front, towards a camera on +Z.
  const TVertex3D nose = Placed(RestFrame(figure).back(), placement);
  EXPECT_NEAR(nose.Z, box.High.Z, 1e-3);
  EXPECT_GT(nose.Y, 100);

  // Meshes far from the usual size come out between 100 and 600 units tall.
  EXPECT_NEAR(StandingScale(Figure(0.01f)) * 1.8f, 100, 1e-3);
  EXPECT_NEAR(StandingScale(Figure(10)) * 1800, 600, 1e-2);
}

TEST(StandingPlacementTest, TheDefinitionStandsTheModelAndItsPresetsFrameTheBodyAndTheHead) {
  const TObjeto3D figure = Figure();
  ModelOutputSettings settings;
  settings.ModelName = "Figure";
  const auto definition = DefinitionOfLines(ModelDefinitionLines(figure, settings), "/nowhere/Figure.mrbe");
  const Placement placement = StandingPlacement(figure, 1.5f);
  const float written[] = {definition->ScaleX,  definition->ScaleY, definition->ScaleZ,
                           definition->OffsetX, definition->OffsetY, definition->OffsetZ,
                           definition->Pitch,   definition->Roll,   definition->Turn};
  const float standing[] = {1.5f, 1.5f, 1.5f, placement.OffsetX, placement.OffsetY, placement.OffsetZ, -90, 0, -90};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(written[i], standing[i], 1e-3) << i;
  ASSERT_EQ(definition->Presets.size(), 2u);
  const model::TCameraPreset& front = definition->Presets[0];
  const model::TCameraPreset& face = definition->Presets[1];
  EXPECT_EQ(front.Name, "Front");
  EXPECT_EQ(face.Name, "Face");

  // Front: looking at the centre, the model's front takes most of the view's height, and all of it fits.
  const Box box = BoxOf(RestFrame(figure), placement);
  EXPECT_EQ(front.TargetY, 0);
  const float shown = (box.High.Y - box.Low.Y) * FocalLength / (front.CameraZ - box.High.Z);
  EXPECT_NEAR(shown, 0.85f * FramedViewHeight, 1);
  EXPECT_LT((box.High.X - box.Low.X) * FocalLength / (front.CameraZ - box.High.Z), FramedViewWidth);
  // Face: looking at the top fifth, nearer, from outside the model.
  EXPECT_GT(face.TargetY, box.High.Y - 0.2f * 270);
  EXPECT_LT(face.CameraZ, front.CameraZ / 2);
  EXPECT_GE(face.CameraZ, box.High.Z + Clearance(box) - 1e-3f);
}

// A mesh the game turns by its own rotation (the Nali's: yaw 90, roll -90)
// stands as any other once the placement undoes it.
TEST(StandingPlacementTest, AMeshsOwnRotationIsUndone) {
  const TObjeto3D figure = Figure();
  TObjeto3D turned = figure;
  // Stored as the Nali is: the game rolls it by -90 about X, then yaws it by 90 about Z.
  for (TVertex3D& v : turned.Frames[1]) v = {v.Y, v.Z, v.X};
  const MeshRotation nali{0, 90, -90};
  const Placement expected = StandingPlacement(figure, 1.5f);
  const Placement placement = StandingPlacement(turned, StandingScale(turned, nali), nali);
  for (std::size_t i = 0; i < figure.Frames[1].size(); ++i) {
    const TVertex3D a = Placed(figure.Frames[1][i], expected), b = Placed(turned.Frames[1][i], placement);
    EXPECT_NEAR(a.X, b.X, 1e-3);
    EXPECT_NEAR(a.Y, b.Y, 1e-3);
    EXPECT_NEAR(a.Z, b.Z, 1e-3);
  }
}

// What a model carries on its back is no head: the Face preset looks at the
// top of the front half, of the materials that may hold the head.
TEST(StandingPlacementTest, TheFacePresetLooksAtTheHeadNotAtAPackOnTheBack) {
  TObjeto3D figure = Figure();
  // A pack, material 1, above the head, reaching from the back over the front.
  const auto first = static_cast<std::uint16_t>(figure.Frames[1].size());
  for (TVertex3D& v : std::vector<TVertex3D>{{-20, -20, 100}, {20, 20, 100}, {10, 0, 140}}) {
    figure.Frames[0].push_back(v);
    figure.Frames[1].push_back(v);
  }
  figure.Materials.push_back({"SKIN1", 0});
  figure.Triangles.push_back({{first, static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2)}, {0, 0, 0}, 1});
  const Placement placement = StandingPlacement(figure, 1.5f);
  const auto target = [&](const std::vector<bool>& materials) {
    const model::TCameraPreset face = FacePreset(figure, placement, FramedViewWidth, FramedViewHeight, materials);
    return Placed({face.TargetX, face.TargetY, face.TargetZ}, {}).Y;
  };
  const float nose = Placed(figure.Frames[1][8], placement).Y;
  EXPECT_GT(target({true, false}), nose - 30);
  EXPECT_LT(target({true, false}), nose + 30);
  // Counting the pack, the view rises to it.
  EXPECT_GT(target({}), target({true, false}) + 20);
}
