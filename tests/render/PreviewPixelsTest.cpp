// A model of five flat squares, one per material, drawn in a project's skin
// off screen: every section shows its colour where it lies, holes and
// translucency as the materials say, and team and face change only the slots
// that have such variants.
#include <gtest/gtest.h>

#include "compile/PaletteGeneration.h"
#include "model/ModelCatalogue.h"
#include "preview/PreviewSession.h"
#include "raster/BmpFile.h"
#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"
#include "render/SceneTextures.h"
#include "support/MeshPackage.h"
#include "support/ProjectFixture.h"

namespace {

constexpr int Size = 256;

// Class Mesh vertices hold about 128 units either way: the model is 150 wide,
// and the camera stands 500 away.
constexpr float Distance = 500;

// A square of material `material` centred at (x, y), 50 units a side, facing the camera.
void AddSquare(testsupport::MeshSpec& spec, float x, float y, int material) {
  const auto first = static_cast<std::int32_t>(spec.Frames[0].size());
  for (const auto& [dx, dy] : {std::pair{-25.0f, -25.0f}, {25.0f, -25.0f}, {25.0f, 25.0f}, {-25.0f, 25.0f}})
    spec.Frames[0].push_back({x + dx, y + dy, 0});
  const std::array<std::uint8_t, 2> uv[4] = {{0, 255}, {255, 255}, {255, 0}, {0, 0}};
  spec.Triangles.push_back({{first, first + 1, first + 2}, {uv[0], uv[1], uv[2]}, 0, material});
  spec.Triangles.push_back({{first, first + 2, first + 3}, {uv[0], uv[2], uv[3]}, 0, material});
}

raster::Bitmap Flat(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  raster::Bitmap picture(16, 16, raster::PixelFormat::Bgr24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      picture.Row(y)[x * 3] = blue;
      picture.Row(y)[x * 3 + 1] = green;
      picture.Row(y)[x * 3 + 2] = red;
    }
  return picture;
}

class PreviewPixelsTest : public testing::Test {
protected:
  PreviewPixelsTest() {
    testsupport::MeshSpec spec;
    spec.Name = "Squares";
    spec.Frames.emplace_back();
    spec.Textures = {0, 0, 0, 0, 0};
    AddSquare(spec, -50, 0, 0);
    AddSquare(spec, 50, 0, 1);
    AddSquare(spec, 0, 50, 2);
    AddSquare(spec, 0, -50, 3);
    AddSquare(spec, 0, 0, 4);
    spec.Sequences = {{"Breath1", 0, 1, 10}};
    testsupport::MeshPackage package("Squares");
    package.AddMesh(spec);
    package.Write(fixture.home.Path());
    fixture.WriteText(fixture.home / "Squares.mrbe",
                      "[Model]\nFormatVersion=2\nName=Squares\nPrefix=Squares\nGame=Other\nMesh=Squares.Squares\n"
                      "[Section1]\nName=Left\nTeam=Yes\n[Section2]\nName=Right\nFace=Yes\n[Section3]\nName=Top\nMasked=Yes\n"
                      "[Section4]\nName=Bottom\nTranslucent=Yes\n[Section5]\nName=Middle\n");
    fixture.catalogue = model::ScanModelCatalogue(fixture.home.Path());
    document = project::ProjectDocument::New(fixture.catalogue.FindByPrefix("Squares"), fixture.home / "SquaresSkins.mrb",
                                             fixture.home.Path());
    const project::SkinNode& skin = document->NewSkin("Flat", "flat");
    const auto add = [&](int section, const raster::Bitmap& picture, const char* name, const char* team = "< Default >",
                         const char* face = "") {
      raster::SaveBmpFile(picture, fixture.home / name);
      document->AddTexture(SectionNode(*document, skin, section), fixture.home / name, team, face);
    };
    add(1, Flat(255, 0, 0), "left.bmp");
    add(1, Flat(255, 255, 0), "leftred.bmp", "<Red Team>");
    add(2, Flat(0, 255, 0), "right.bmp");
    add(2, Flat(0, 128, 128), "rightbob.bmp", "< Default >", "bob");
    raster::Bitmap holed(16, 16, raster::PixelFormat::Indexed8);
    holed.Palette() = {{255, 0, 255, 0}, {0, 0, 255, 0}};
    for (int y = 0; y < 16; ++y)
      for (int x = 8; x < 16; ++x) holed.Row(y)[x] = 1;
    add(3, holed, "top.bmp");
    add(4, Flat(255, 255, 255), "bottom.bmp");
    compile::PaletteGenerator().Generate(*document);
    session.Load(document->Model(), fixture.home.Path());
    session.RefreshChoices(document->Root());
    scene.SetMesh(session.Mesh());
    scene.SetCamera({{0, 0, Distance}, {0, 0, 0}});
  }

  QImage Draw(const preview::SlotResolution* previous = nullptr) {
    shown = session.Textures(document->Model());
    applied = render::ApplyTextures(scene, document->Model(), shown, true, previous);
    return renderer.Render(scene, Size, Size);
  }
  // A point of the model's plane as the camera sees it, 600 pixels of focal length away.
  static QPoint Screen(float x, float y) {
    return {static_cast<int>(Size / 2 + x * 600 / Distance), static_cast<int>(Size / 2 - y * 600 / Distance)};
  }

  ProjectFixture fixture;
  std::unique_ptr<project::ProjectDocument> document;
  preview::PreviewSession session;
  preview::SlotResolution shown;
  int applied = 0;
  render::PreviewScene scene;
  render::OffscreenRenderer renderer;
};

}  // namespace

TEST_F(PreviewPixelsTest, EverySectionShowsItsColourHolesAndTranslucencyWhereItLies) {
  const QImage image = Draw();
  EXPECT_EQ(image.pixelColor(Screen(-50, 0)), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(Screen(50, 0)), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(Screen(-12, 50)), QColor(192, 192, 192));  // the hole
  EXPECT_EQ(image.pixelColor(Screen(12, 50)), QColor(0, 0, 255));
  const QColor mixed = image.pixelColor(Screen(0, -50));
  EXPECT_NEAR(mixed.red(), (255 * 128 + 192 * 127) / 255, 2);
  // The middle square has no texture: white lines, its diagonal among them, over silver.
  EXPECT_EQ(image.pixelColor(Screen(10, -10)), QColor(192, 192, 192));
  int white = 0;
  for (int x = Size / 2 - 1; x <= Size / 2 + 1; ++x) white += image.pixelColor(x, Size / 2) == QColor(255, 255, 255);
  EXPECT_GE(white, 1);
  EXPECT_EQ(image.pixelColor(5, 5), QColor(192, 192, 192));
  EXPECT_EQ(session.FrameAt(5000), preview::StillAt(0));
}

TEST_F(PreviewPixelsTest, TeamAndFaceChangeOnlyTheSlotsWithSuchVariants) {
  Draw();
  const preview::SlotResolution before = shown;
  session.ChooseTeam(1);
  const QImage team = Draw(&before);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(team.pixelColor(Screen(-50, 0)), QColor(255, 255, 0));
  EXPECT_EQ(team.pixelColor(Screen(50, 0)), QColor(0, 255, 0));
  const preview::SlotResolution teamShown = shown;
  session.ChooseFace(1);
  const QImage face = Draw(&teamShown);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(face.pixelColor(Screen(50, 0)), QColor(0, 128, 128));
}

TEST_F(PreviewPixelsTest, TheTalkTextureIsTheSpriteAt32And32) {
  fixture.WriteText(fixture.home / "Squares.mrbe",
                    "[Model]\nFormatVersion=2\nName=Squares\nPrefix=Squares\nGame=Other\nMesh=Squares.Squares\n"
                    "[Section5]\nName=Talk\nTalkTexture=Yes\n");
  fixture.catalogue = model::ScanModelCatalogue(fixture.home.Path());
  auto talking = project::ProjectDocument::New(fixture.catalogue.FindByPrefix("Squares"), fixture.home / "SquaresSkins.mrb",
                                               fixture.home.Path());
  const project::SkinNode& skin = talking->NewSkin("Talk", "talk");
  raster::SaveBmpFile(Flat(10, 20, 30), fixture.home / "talk.bmp");
  talking->AddTexture(SectionNode(*talking, skin, 5), fixture.home / "talk.bmp", "< Default >", "");
  compile::PaletteGenerator().Generate(*talking);
  preview::PreviewSession speaker;
  speaker.RefreshChoices(talking->Root());
  render::ApplyTextures(scene, talking->Model(), speaker.Textures(talking->Model()), true);
  const QImage image = renderer.Render(scene, Size, Size);
  EXPECT_EQ(image.pixelColor(32, 32), QColor(10, 20, 30));
  EXPECT_EQ(image.pixelColor(95, 95), QColor(10, 20, 30));
  EXPECT_NE(image.pixelColor(96, 96), QColor(10, 20, 30));
  EXPECT_NE(image.pixelColor(31, 31), QColor(10, 20, 30));
}
