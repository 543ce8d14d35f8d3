// The Bonus Pack's Skaarj, compiled from the game's packages and previewed as
// `marbelle render` and the window first show it: upright, in the middle of
// the view and most of its height, also when turned; its "Face" preset shows
// the head.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "model/ModelCatalogue.h"
#include "modelcompiler/ModelCompilation.h"
#include "modelcompiler/PackageModelList.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "preview/CameraPresets.h"
#include "preview/CompilerView.h"
#include "preview/PreviewSession.h"
#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"
#include "unrealpkg/TUTPackage.h"

namespace {

// `marbelle render`'s size.
constexpr int Width = 640, Height = 480;
const QColor Silver(192, 192, 192);

// A flat grey for every section, so the model shows as a solid shape.
raster::Bitmap Flat() {
  raster::Bitmap picture(4, 4, raster::PixelFormat::Bgr24);
  for (int y = 0; y < 4; ++y) std::fill_n(picture.Row(y), 12, std::uint8_t{90});
  return picture;
}

// The box of the model's pixels.
struct Shape {
  int Left = Width, Top = Height, Right = -1, Bottom = -1;
};

Shape ShapeOf(const QImage& image) {
  Shape shape;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == Silver) continue;
      shape.Left = std::min(shape.Left, x);
      shape.Top = std::min(shape.Top, y);
      shape.Right = std::max(shape.Right, x);
      shape.Bottom = std::max(shape.Bottom, y);
    }
  return shape;
}

class StandingModelPixelsTest : public testing::Test {
protected:
  void SetUp() override {
    const std::filesystem::path corpus = testsupport::CorpusDir();
    MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus / "utpatches/System/MultiMesh.u") &&
                          std::filesystem::exists(corpus / "utpatches/System/epiccustommodels.u"));
    // The game's System folder as a user has it; the program's home apart.
    const std::filesystem::path system = dir / "UnrealTournament/System";
    std::filesystem::create_directories(system);
    for (const char* file : {"utpatches/System/MultiMesh.u", "utpatches/System/epiccustommodels.u",
                             "utpatches/System/Core.u", "utpatches/SystemLocalized/int/multimesh.int"})
      std::filesystem::copy_file(corpus / file, system / std::filesystem::path(file).filename());
    std::filesystem::create_directories(home);
    platform::WriteGameDirectorySetting(platform::SettingsFilePath(home), (dir / "UnrealTournament").string());

    unrealpkg::TUTPackage package;
    const modelcompiler::PackageModelList list =
        modelcompiler::ListPackageModels(package, system / "multimesh.int", true);
    const auto skaarj = std::find_if(list.Entries.begin(), list.Entries.end(),
                                     [](const auto& entry) { return entry.ObjectName == "TSkaarj"; });
    ASSERT_NE(skaarj, list.Entries.end());
    const modelcompiler::PackageModel model = modelcompiler::ReadPackageModel(package, *skaarj);
    modelcompiler::CompilePackageModelFiles(model, modelcompiler::InitialFrameChoice(model), home, {}, compiled);

    definition = model::ScanModelCatalogue(home).FindByPrefix("TSkM");
    ASSERT_TRUE(definition);
    session.Load(*definition, home);
    ASSERT_TRUE(session.Mesh());
    scene.SetMesh(session.Mesh());
    scene.SetPlacement(session.Placement);
    scene.SetFrame(session.FrameAt(0));
    for (int actor = 0; actor < preview::ActorCount; ++actor)
      scene.SetActorTexture(actor, Flat(), preview::FlatMaterial());
  }

  Shape Draw(const preview::CameraPose& pose) {
    scene.SetCamera(pose);
    return ShapeOf(renderer.Render(scene, Width, Height));
  }

  // The picture's row of the rest frame's highest point on the package's Z.
  float RowOfHighest() const {
    const auto& frame = compiled.Frames[static_cast<std::size_t>(compiled.StillFrame)];
    const auto top =
        std::max_element(frame.begin(), frame.end(), [](const auto& a, const auto& b) { return a.Z < b.Z; });
    const QVector3D shown = (scene.ProjectionMatrix(Width, Height) * scene.ViewMatrix() * scene.PlayerMatrix())
                                .map({top->X, top->Y, top->Z});
    return (1 - shown.y()) / 2 * Height;
  }

  testsupport::TempDir dir;
  std::filesystem::path home = dir / "home";
  model3d::TObjeto3D compiled;
  std::shared_ptr<const model::TModelo> definition;
  preview::PreviewSession session;
  render::PreviewScene scene;
  render::OffscreenRenderer renderer;
};

}  // namespace

TEST_F(StandingModelPixelsTest, TheSkaarjStandsUprightInTheMiddleOfTheFrontViewAndAsItTurns) {
  for (const float turn : {0.0f, 90.0f, 180.0f}) {
    SCOPED_TRACE(turn);
    preview::CameraPose pose = session.Camera;
    preview::Orbit(pose, 0, turn);
    const Shape shape = Draw(pose);
    // Taller than wide, most of the height, clear of the edges, in the middle.
    EXPECT_GT(shape.Bottom - shape.Top, shape.Right - shape.Left);
    EXPECT_GT(shape.Bottom - shape.Top, Height * 6 / 10);
    EXPECT_GT(shape.Top, 0);
    EXPECT_LT(shape.Bottom, Height - 1);
    EXPECT_NEAR((shape.Left + shape.Right) / 2, Width / 2, Width / 10);
    EXPECT_NEAR((shape.Top + shape.Bottom) / 2, Height / 2, Height / 10);
    // The package's up is the picture's up: its highest point tops the shape.
    EXPECT_NEAR(RowOfHighest(), shape.Top, Height / 50);
  }
}

TEST_F(StandingModelPixelsTest, TheFacePresetShowsTheHead) {
  ASSERT_EQ(definition->Presets.size(), 2u);
  ASSERT_EQ(definition->Presets[1].Name, "Face");
  const Shape whole = Draw(session.Camera);
  const Shape face = Draw(preview::PoseOf(definition->Presets[1]));
  // The top of the head in the upper half, the body running out of the
  // bottom, and nearer than the whole model.
  EXPECT_GT(face.Top, 0);
  EXPECT_LT(face.Top, Height / 2);
  EXPECT_EQ(face.Bottom, Height - 1);
  EXPECT_GT(face.Right - face.Left, (whole.Right - whole.Left) * 3 / 2);
  EXPECT_NEAR((face.Left + face.Right) / 2, Width / 2, Width / 10);
}
