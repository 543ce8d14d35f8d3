// The preview's camera, the model's placement keys, and what is saved into definitions.
#include <gtest/gtest.h>

#include <cmath>

#include "model/ModelDefinition.h"
#include "platform/IniFile.h"
#include "preview/CameraPresets.h"
#include "preview/ModelPlacement.h"
#include "preview/Navigation.h"
#include "support/TestFiles.h"

namespace {

float Distance(const preview::CameraPose& pose) {
  const float x = pose.Camera.X - pose.Target.X, y = pose.Camera.Y - pose.Target.Y, z = pose.Camera.Z - pose.Target.Z;
  return std::sqrt(x * x + y * y + z * z);
}

preview::MouseState Buttons(bool left, bool right, bool ctrl = false) {
  preview::MouseState state;
  state.Left = left;
  state.Right = right;
  state.Ctrl = ctrl;
  return state;
}

std::string Text(const std::filesystem::path& file) {
  const auto bytes = testsupport::ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(NavigationTest, DragsOrbitZoomAndPanAsTheirButtonsSay) {
  preview::CameraPose pose;
  preview::Drag(pose, Buttons(true, false), 10, 0, std::nullopt);
  EXPECT_NEAR(std::atan2(pose.Camera.X, pose.Camera.Z) * 180 / 3.14159265, 10, 1e-3);
  EXPECT_NEAR(Distance(pose), 2000, 1e-2);
  preview::Drag(pose, Buttons(true, false), 0, 10, std::nullopt);
  EXPECT_NEAR(std::asin(pose.Camera.Y / Distance(pose)) * 180 / 3.14159265, 10, 1e-3);
  preview::Drag(pose, Buttons(true, false), 0, 500, std::nullopt);
  EXPECT_LT(std::asin(pose.Camera.Y / Distance(pose)) * 180 / 3.14159265, 90);
  // A drag to the left takes the camera round to the model's right, about the
  // vertical through the target: the model's front follows the pointer.
  preview::CameraPose raised{{0, 100, 400}, {0, 100, 0}};
  preview::Drag(raised, Buttons(true, false), 90, 0, std::nullopt);
  EXPECT_NEAR(raised.Camera.X, 400, 1e-2);
  EXPECT_NEAR(raised.Camera.Y, 100, 1e-3);
  EXPECT_NEAR(raised.Camera.Z, 0, 1e-2);

  preview::CameraPose zoom;
  preview::Drag(zoom, Buttons(true, true), 1, 0, std::nullopt);
  EXPECT_NEAR(Distance(zoom), 2200, 1e-2);
  preview::Drag(zoom, Buttons(true, true), 0, 120, std::nullopt);
  EXPECT_NEAR(Distance(zoom), 2420, 1e-2);
  preview::Wheel(zoom, -120, std::nullopt);
  EXPECT_NEAR(Distance(zoom), 2200, 1e-2);

  preview::CameraPose pan;
  preview::Drag(pan, Buttons(false, true), 5, 7, std::nullopt);
  EXPECT_EQ(pan.Target, (preview::Point3{5, -7, 0}));
  EXPECT_EQ(pan.Camera, (preview::Point3{5, -7, 2000}));
  preview::Drag(pan, Buttons(true, true, true), 3, 0, std::nullopt);
  EXPECT_EQ(pan.Target, (preview::Point3{5, -7, 3}));
  preview::MouseState shifted = Buttons(true, false);
  shifted.Shift = true;
  EXPECT_EQ(preview::DragActionFor(shifted), preview::DragAction::None);
}

// A model 300 tall, 100 wide and 60 deep about the origin keeps the camera 15 off its box.
TEST(NavigationTest, ZoomingNeverTakesTheCameraIntoTheModel) {
  const std::optional<modelcompiler::Box> model = modelcompiler::Box{{-50, -150, -30}, {50, 150, 30}};
  preview::CameraPose front;
  front.Camera = {0, 0, 500};
  preview::Wheel(front, -120, model);
  EXPECT_NEAR(Distance(front), 500 / 1.1f, 1e-2);
  for (int notch = 0; notch < 50; ++notch) preview::Wheel(front, -120, model);
  EXPECT_NEAR(front.Camera.Z, 45, 1e-3);
  preview::Wheel(front, 120, model);
  EXPECT_NEAR(front.Camera.Z, 49.5, 1e-3);
  // Both buttons zoom as far, here from the side, where the model is wider.
  preview::CameraPose side{{400, 0, 0}, {0, 0, 0}};
  preview::Drag(side, Buttons(true, true), -50, 0, model);
  EXPECT_NEAR(side.Camera.X, 65, 1e-3);

  // A close look at the head stops at the model's front too.
  preview::CameraPose face{{0, 120, 100}, {0, 120, 0}};
  for (int notch = 0; notch < 20; ++notch) preview::Wheel(face, -120, model);
  EXPECT_EQ(face.Camera, (preview::Point3{0, 120, 45}));

  // A camera inside only moves out; one looking away from the model stops
  // before backing into it.
  preview::CameraPose inside{{0, 0, 10}, {0, 0, 0}};
  preview::Wheel(inside, -120, model);
  EXPECT_NEAR(inside.Camera.Z, 10, 1e-3);
  preview::Wheel(inside, 120, model);
  EXPECT_NEAR(inside.Camera.Z, 11, 1e-3);
  preview::CameraPose away{{0, 0, 100}, {0, 0, 300}};
  preview::Wheel(away, 1200, model);
  EXPECT_NEAR(away.Camera.Z, 45, 1e-3);
}

TEST(NavigationTest, KeysMoveTurnAndScaleTheModelByTheIncrements) {
  preview::Placement placement{1.5f, 1.5f, 1.5f, 0, 0, 0, 0, 0, 0};
  preview::ApplyPlacementKey('s', preview::Increments::Big, placement);
  EXPECT_FLOAT_EQ(placement.ScaleX, 0.5f);
  preview::ApplyPlacementKey('s', preview::Increments::Big, placement);
  EXPECT_FLOAT_EQ(placement.ScaleZ, 0.5f);
  preview::ApplyPlacementKey('S', preview::Increments::Medium, placement);
  EXPECT_FLOAT_EQ(placement.ScaleY, 0.6f);
  preview::ApplyPlacementKey('X', preview::Increments::Small, placement);
  preview::ApplyPlacementKey('t', preview::Increments::Medium, placement);
  preview::ApplyPlacementKey('P', preview::Increments::Big, placement);
  EXPECT_FLOAT_EQ(placement.OffsetX, 0.5f);
  EXPECT_FLOAT_EQ(placement.Turn, -22.5f);
  EXPECT_FLOAT_EQ(placement.Pitch, 90.0f);
  EXPECT_TRUE(preview::ApplyPlacementKey('A', preview::Increments::Small, placement));
  EXPECT_FALSE(preview::ApplyPlacementKey('q', preview::Increments::Small, placement));
  EXPECT_EQ(preview::ScaleText(placement), "Scale=(0.60 0.60 0.60)");
  EXPECT_EQ(preview::PositionText(placement), "Position=(0.5 0.0 0.0)");
  EXPECT_EQ(preview::RotationText(placement), "Rotation=(90 0 -22)");
}

TEST(NavigationTest, PositionAndPresetsAreSavedIntoTheDefinition) {
  testsupport::TempDir home;
  const std::filesystem::path file = home / "Thing.mrbe";
  testsupport::WriteFile(file, std::vector<std::uint8_t>{});
  {
    platform::IniFile ini;
    ini.WriteString("Model", "Name", "Thing");
    for (int i = 1; i <= 4; ++i) ini.WriteString("Model", "Preset" + std::to_string(i), "P" + std::to_string(i) + ";1;2;3;4;5;6");
    ini.WriteString("Other", "Key", "kept");
    ini.Save(file);
  }
  model::TModelo definition;
  definition.DefinitionId = file.string() + "|Model";
  preview::SaveModelPosition(definition, {1.25f, 1, 1, -3.5f, 0, 0, 0, 0, 90});
  const platform::IniFile saved = platform::IniFile::Load(file);
  EXPECT_EQ(saved.ReadString("Model", "ScaleX", ""), "1.25000");
  EXPECT_EQ(saved.ReadString("Model", "OffsetX", ""), "-3.50000");
  EXPECT_EQ(saved.ReadString("Model", "Turn", ""), "90.00000");
  EXPECT_EQ(saved.ReadString("Other", "Key", ""), "kept");

  const std::vector<model::TCameraPreset> presets =
      preview::SavePresets(definition, {{"Front", 0, 0, 2000, 0, 0, 0}, preview::PresetOf("Face", {{0, 40, 300}, {0, 40, 0}})});
  ASSERT_EQ(presets.size(), 2u);
  EXPECT_EQ(presets[1], (model::TCameraPreset{"Face", 0, 40, 300, 0, 40, 0}));
  const platform::IniFile reread = platform::IniFile::Load(file);
  EXPECT_EQ(reread.ReadString("Model", "Preset2", ""), "Face;0.00;40.00;300.00;0.00;40.00;0.00");
  EXPECT_TRUE(reread.Value("Model", "Preset3").has_value());
  EXPECT_EQ(reread.ReadString("Model", "Preset3", "x"), "");
  EXPECT_NE(Text(file).find("Preset4="), std::string::npos);
  EXPECT_EQ(preview::PoseOf(presets[1]).Camera, (preview::Point3{0, 40, 300}));
  EXPECT_EQ(preview::ProposedPresetName(3), "Preset#4");
  EXPECT_FALSE(preview::CanRemovePreset(1));
}

TEST(NavigationTest, PresetsEndAtTheFirstMissingKey) {
  platform::IniFile ini;
  ini.WriteString("Model", "Preset1", "One;0;0;100;0;0;0");
  ini.WriteString("Model", "Preset3", "Three;0;0;300;0;0;0");
  EXPECT_EQ(model::ReadCameraPresets(ini, "Model").size(), 1u);
  EXPECT_EQ(model::ReadCameraPresets(platform::IniFile(), "Model").front().Name, "Front");
}
