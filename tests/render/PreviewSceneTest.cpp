// The preview scene drawn off screen under Xvfb with Mesa, read back pixel by pixel.
#include <gtest/gtest.h>

#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"

namespace {

constexpr int Size = 64;

// A square of 200 x 200 facing the camera in frame 0, moved 400 to the right in frame 1.
std::shared_ptr<preview::PreviewMesh> Square() {
  auto mesh = std::make_shared<preview::PreviewMesh>();
  mesh->FrameCount = 2;
  preview::ActorMesh& actor = mesh->Actors[0];
  const float corners[6][2] = {{-100, -100}, {100, -100}, {100, 100}, {-100, -100}, {100, 100}, {-100, 100}};
  for (int frame = 0; frame < 2; ++frame)
    for (const auto& corner : corners) {
      actor.Positions.insert(actor.Positions.end(), {corner[0] + 400.0f * static_cast<float>(frame), corner[1], 0});
      actor.Normals.insert(actor.Normals.end(), {0, 0, 1});
    }
  for (const auto& corner : corners) actor.TexCoords.insert(actor.TexCoords.end(), {corner[0] > 0 ? 1.0f : 0.0f, corner[1] > 0 ? 1.0f : 0.0f});
  return mesh;
}

raster::Bitmap Plain(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  raster::Bitmap picture(4, 4, raster::PixelFormat::Indexed8);
  picture.Palette() = {{red, green, blue, 0}, {0, 0, 0, 0}};
  return picture;
}

preview::ActorMaterial Textured() {
  preview::ActorMaterial material;
  material.Polygons = preview::PolygonMode::Fill;
  material.Textured = true;
  material.Mode = preview::TextureMode::Modulate;
  return material;
}

class PreviewSceneTest : public testing::Test {
protected:
  PreviewSceneTest() {
    scene.SetMesh(Square());
    // 2000 away, a focal length of 600 shows 200 units as 60 of 64 pixels.
  }
  QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

  render::PreviewScene scene;
  render::OffscreenRenderer renderer;
};

}  // namespace

TEST_F(PreviewSceneTest, ATexturedActorShowsItsColoursOnSilver) {
  scene.SetActorTexture(0, Plain(200, 10, 20), Textured());
  const QImage image = renderer.Render(scene, Size, Size);
  EXPECT_EQ(At(image, Size / 2, Size / 2), QColor(200, 10, 20));
  EXPECT_EQ(At(image, 0, 0), QColor(192, 192, 192));
}

TEST_F(PreviewSceneTest, WithoutATextureTheActorIsDrawnAsWhiteLines) {
  scene.SetActorTexture(0, {}, {});
  const QImage image = renderer.Render(scene, Size, Size);
  EXPECT_EQ(At(image, Size / 2, Size / 2 - 10), QColor(192, 192, 192));
  int white = 0;
  for (int x = 0; x < Size; ++x) white += At(image, x, Size / 2 + 10) == QColor(255, 255, 255);
  EXPECT_GE(white, 1);
}

TEST_F(PreviewSceneTest, MorphFramesBlendAndTheCameraFollowsItsTarget) {
  scene.SetActorTexture(0, Plain(0, 0, 255), Textured());
  scene.SetFrame({0, 1, 1.0f});
  EXPECT_EQ(At(renderer.Render(scene, Size, Size), Size / 2, Size / 2), QColor(192, 192, 192));
  preview::CameraPose pose;
  preview::Pan(pose, 400, 0, 0);
  scene.SetCamera(pose);
  EXPECT_EQ(At(renderer.Render(scene, Size, Size), Size / 2, Size / 2), QColor(0, 0, 255));
  scene.SetFrame({0, 1, 0.5f});
  scene.SetCamera({{200, 0, 2000}, {200, 0, 0}});
  EXPECT_EQ(At(renderer.Render(scene, Size, Size), Size / 2, Size / 2), QColor(0, 0, 255));
}

TEST_F(PreviewSceneTest, MaskedTexturesSeeThroughTheirTransparentColourAndTheHudShowsTheTalkTexture) {
  raster::Bitmap masked = Plain(255, 0, 255);
  preview::ActorMaterial material = Textured();
  material.Blend = preview::Blending::Transparency;
  material.Alpha = preview::ImageAlpha::TransparentColour;
  material.TransparentColour = {255, 0, 255, 0};
  material.DrawLast = true;
  scene.SetActorTexture(0, masked, material);
  scene.SetHud(Plain(0, 255, 0));
  const QImage image = renderer.Render(scene, 128, 128);
  // The square covers 4 to 124, the sprite 32 to 96.
  EXPECT_EQ(At(image, 110, 64), QColor(192, 192, 192));
  EXPECT_EQ(At(image, 40, 40), QColor(0, 255, 0));
  EXPECT_EQ(At(image, 95, 95), QColor(0, 255, 0));
  EXPECT_EQ(At(image, 100, 100), QColor(192, 192, 192));
  material.Alpha = preview::ImageAlpha::Default;
  scene.SetActorTexture(0, masked, material);
  scene.SetHud(std::nullopt);
  EXPECT_EQ(At(renderer.Render(scene, 128, 128), 64, 64), QColor(255, 0, 255));
}

TEST_F(PreviewSceneTest, TheAxesCubeShowsOnlyWhenAsked) {
  scene.SetMesh(nullptr);
  const QImage empty = renderer.Render(scene, Size, Size);
  scene.SetAxesVisible(true);
  const QImage axes = renderer.Render(scene, Size, Size);
  EXPECT_NE(empty, axes);
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) ASSERT_EQ(At(empty, x, y), QColor(192, 192, 192));
}
