#include <gtest/gtest.h>

#include "raster/BlendThroughMask.h"
#include "raster/HsvColour.h"

namespace {

using raster::Bitmap;
using raster::BlendMode;

Bitmap Filled(int width, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  Bitmap bitmap(width, 1, raster::PixelFormat::Bgr24);
  for (int x = 0; x < width; ++x) {
    bitmap.Row(0)[3 * x] = blue;
    bitmap.Row(0)[3 * x + 1] = green;
    bitmap.Row(0)[3 * x + 2] = red;
  }
  return bitmap;
}

// The pixel as (red, green, blue) after blending one pixel through a mask of one grey level.
raster::Rgb BlendOne(raster::Rgb pixel, std::uint8_t strength, std::uint32_t colour, BlendMode mode) {
  const Bitmap source = Filled(1, static_cast<std::uint8_t>(pixel.Blue), static_cast<std::uint8_t>(pixel.Green),
                               static_cast<std::uint8_t>(pixel.Red));
  Bitmap destination(1, 1, raster::PixelFormat::Bgr24);
  raster::BlendThroughMask(source, Filled(1, strength, strength, strength), colour, mode, destination);
  const std::uint8_t* p = destination.Row(0);
  return {p[2], p[1], p[0]};
}

}  // namespace

TEST(BlendThroughMaskTest, PaintToolsBlendByTheMasksStrength) {
  constexpr std::uint32_t Red = 0x0000FF, White = 0xFFFFFF, Blue = 0xFF0000;
  EXPECT_EQ(BlendOne({0, 0, 0}, 255, Red, BlendMode::Brush), (raster::Rgb{255, 0, 0}));
  // Intensity 50 is grey 128: a slightly above one half.
  EXPECT_EQ(BlendOne({0, 0, 0}, 128, White, BlendMode::Brush), (raster::Rgb{128, 128, 128}));
  EXPECT_EQ(BlendOne({200, 200, 200}, 128, White, BlendMode::Brush), (raster::Rgb{227, 227, 227}));
  EXPECT_EQ(BlendOne({10, 100, 250}, 255, 0, BlendMode::Lighten), (raster::Rgb{255, 255, 255}));
  EXPECT_EQ(BlendOne({10, 100, 250}, 255, 0, BlendMode::Darken), (raster::Rgb{0, 0, 0}));
  EXPECT_EQ(BlendOne({100, 100, 100}, 26, 0, BlendMode::Lighten), (raster::Rgb{126, 126, 126}));
  // Tint keeps saturation and value: a grey stays grey, a saturated red becomes a saturated blue.
  EXPECT_EQ(BlendOne({90, 90, 90}, 255, Blue, BlendMode::Tint), (raster::Rgb{90, 90, 90}));
  EXPECT_EQ(BlendOne({200, 0, 0}, 255, Blue, BlendMode::Tint), (raster::Rgb{0, 0, 200}));
  // Where the mask is black the source comes through untouched.
  EXPECT_EQ(BlendOne({1, 2, 3}, 0, White, BlendMode::Brush), (raster::Rgb{1, 2, 3}));
}

TEST(BlendThroughMaskTest, HsvConversionsRoundTripPrimariesAndGreys) {
  const raster::Hsv orange = raster::ToHsv({255, 128, 0});
  EXPECT_FLOAT_EQ(orange.Saturation, 1.0f);
  EXPECT_NEAR(orange.Hue, 30.1176f, 1e-3);
  EXPECT_EQ(raster::FromHsv(orange), (raster::Rgb{255, 128, 0}));
  EXPECT_EQ(raster::ToHsv({7, 7, 7}).Saturation, 0.0f);
  EXPECT_EQ(raster::FromHsv({360.0f, 1.0f, 255.0f}), (raster::Rgb{255, 0, 0}));
  const Bitmap small = Filled(2, 0, 0, 0);
  Bitmap narrow(1, 1, raster::PixelFormat::Bgr24);
  EXPECT_THROW(raster::BlendThroughMask(small, narrow, 0, BlendMode::Brush, narrow), std::invalid_argument);
}
