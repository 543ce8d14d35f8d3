#include <gtest/gtest.h>

#include "paint/DisplayTexture.h"

namespace {

raster::Bitmap Filled(int width, int height, std::uint8_t value) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), value);
  return bitmap;
}

}  // namespace

TEST(DisplayTextureTest, TheWireOverlayMixesByItsPositionInSinglePrecision) {
  raster::Bitmap texture = Filled(4, 4, 201);
  raster::Bitmap wire = Filled(4, 4, 0);
  wire.Row(1)[3] = 255;
  EXPECT_EQ(paint::DisplayTexture(texture, &wire, 0, 1), texture);
  EXPECT_EQ(paint::DisplayTexture(texture, &wire, 100, 1), wire);
  const raster::Bitmap half = paint::DisplayTexture(texture, &wire, 50, 1);
  EXPECT_EQ(half.Row(0)[0], 100);  // trunc(0 * 0.5 + 201 * 0.5)
  EXPECT_EQ(half.Row(1)[3], 228);  // trunc(255 * 0.5 + 201 * 0.5)
  // 30: the texture weighs (100 - 30) / 100 = 0.7f and the wire 1 - 0.7f.
  const float textureWeight = 70 / 100.0f;
  EXPECT_EQ(paint::DisplayTexture(texture, &wire, 30, 1).Row(1)[3],
            static_cast<std::uint8_t>(255.0f * (1.0f - textureWeight) + 201.0f * textureWeight));
  EXPECT_EQ(paint::DisplayTexture(texture, nullptr, 100, 1), texture);
}

TEST(DisplayTextureTest, AWireOfAnotherSizeIsStretchedAndAPaletteTextureShownInColour) {
  raster::Bitmap texture(2, 2, raster::PixelFormat::Indexed8);
  texture.Palette() = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  texture.Pixels() = {0, 1, 1, 0};
  raster::Bitmap wire = Filled(4, 4, 0);
  for (int y = 2; y < 4; ++y) std::fill(wire.Row(y), wire.Row(y) + wire.RowBytes(), 255);
  const raster::Bitmap shown = paint::DisplayTexture(texture, &wire, 100, 1);
  ASSERT_EQ(shown.Format(), raster::PixelFormat::Bgr24);
  EXPECT_EQ(shown.Row(0)[0], 0);
  EXPECT_EQ(shown.Row(1)[0], 255);
  const raster::Bitmap plain = paint::DisplayTexture(texture, nullptr, 0, 1);
  EXPECT_EQ(plain.Row(0)[0], 30);  // blue of palette entry 0
  EXPECT_EQ(plain.Row(0)[5], 200);  // red of palette entry 1
}

TEST(DisplayTextureTest, ZoomMakesEveryPixelASquare) {
  raster::Bitmap texture = Filled(256, 256, 0);
  texture.Row(0)[255 * 3 + 2] = 255;
  const raster::Bitmap zoomed = paint::DisplayTexture(texture, nullptr, 0, 4);
  ASSERT_EQ(zoomed.Width(), 1024);
  ASSERT_EQ(zoomed.Height(), 1024);
  for (int y = 0; y < 4; ++y)
    for (int x = 1020; x < 1024; ++x) EXPECT_EQ(zoomed.Row(y)[x * 3 + 2], 255) << x << "," << y;
  EXPECT_EQ(zoomed.Row(4)[1023 * 3 + 2], 0);
  EXPECT_EQ(zoomed.Row(0)[1019 * 3 + 2], 0);
  EXPECT_EQ(paint::DisplayTexture(texture, nullptr, 0, 2).Width(), 512);
}
