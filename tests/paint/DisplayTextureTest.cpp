#include <gtest/gtest.h>

#include "paint/DisplayTexture.h"

namespace {

raster::Bitmap Filled(int width, int height, std::uint8_t value) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), value);
  return bitmap;
}

raster::Bitmap Shown(const raster::Bitmap& source, const raster::Bitmap* wire, int position, int zoom) {
  paint::TextureDisplay display;
  display.DisplayTexture(source, wire, position, zoom);
  return display.Picture();
}

}  // namespace

TEST(DisplayTextureTest, TheWireOverlayMixesByItsPositionInSinglePrecision) {
  raster::Bitmap texture = Filled(4, 4, 201);
  raster::Bitmap wire = Filled(4, 4, 0);
  wire.Row(1)[3] = 255;
  EXPECT_EQ(Shown(texture, &wire, 0, 1), texture);
  EXPECT_EQ(Shown(texture, &wire, 100, 1), wire);
  const raster::Bitmap half = Shown(texture, &wire, 50, 1);
  EXPECT_EQ(half.Row(0)[0], 100);  // trunc(0 * 0.5 + 201 * 0.5)
  EXPECT_EQ(half.Row(1)[3], 228);  // trunc(255 * 0.5 + 201 * 0.5)
  // 30: the texture weighs (100 - 30) / 100 = 0.7f and the wire 1 - 0.7f.
  const float textureWeight = 70 / 100.0f;
  EXPECT_EQ(Shown(texture, &wire, 30, 1).Row(1)[3],
            static_cast<std::uint8_t>(255.0f * (1.0f - textureWeight) + 201.0f * textureWeight));
  EXPECT_EQ(Shown(texture, nullptr, 100, 1), texture);
}

TEST(DisplayTextureTest, AWireOfAnotherSizeIsStretchedAndAPaletteTextureShownInColour) {
  raster::Bitmap texture(2, 2, raster::PixelFormat::Indexed8);
  texture.Palette() = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  texture.Pixels() = {0, 1, 1, 0};
  raster::Bitmap wire = Filled(4, 4, 0);
  for (int y = 2; y < 4; ++y) std::fill(wire.Row(y), wire.Row(y) + wire.RowBytes(), 255);
  const raster::Bitmap shown = Shown(texture, &wire, 100, 1);
  ASSERT_EQ(shown.Format(), raster::PixelFormat::Bgr24);
  EXPECT_EQ(shown.Row(0)[0], 0);
  EXPECT_EQ(shown.Row(1)[0], 255);
  const raster::Bitmap plain = Shown(texture, nullptr, 0, 1);
  EXPECT_EQ(plain.Row(0)[0], 30);  // blue of palette entry 0
  EXPECT_EQ(plain.Row(0)[5], 200);  // red of palette entry 1
}

TEST(DisplayTextureTest, ZoomMakesEveryPixelASquare) {
  raster::Bitmap texture = Filled(256, 256, 0);
  texture.Row(0)[255 * 3 + 2] = 255;
  const raster::Bitmap zoomed = Shown(texture, nullptr, 0, 4);
  ASSERT_EQ(zoomed.Width(), 1024);
  ASSERT_EQ(zoomed.Height(), 1024);
  for (int y = 0; y < 4; ++y)
    for (int x = 1020; x < 1024; ++x) EXPECT_EQ(zoomed.Row(y)[x * 3 + 2], 255) << x << "," << y;
  EXPECT_EQ(zoomed.Row(4)[1023 * 3 + 2], 0);
  EXPECT_EQ(zoomed.Row(0)[1019 * 3 + 2], 0);
  EXPECT_EQ(Shown(texture, nullptr, 0, 2).Width(), 512);
}

TEST(DisplayTextureTest, RefreshingAnAreaGivesWhatAWholeDisplayWouldShow) {
  raster::Bitmap texture = Filled(16, 8, 40);
  raster::Bitmap wire = Filled(8, 8, 0);
  wire.Row(3)[6] = 255;
  paint::TextureDisplay display;
  display.DisplayTexture(texture, &wire, 30, 2);
  for (int y = 2; y < 5; ++y) std::fill(texture.Row(y) + 9, texture.Row(y) + 21, 250);
  display.Refresh(texture, {3, 2, 7, 5});
  EXPECT_EQ(display.Picture(), Shown(texture, &wire, 30, 2));
  EXPECT_THROW(display.Refresh(Filled(4, 4, 0), {0, 0, 1, 1}), std::invalid_argument);
}
