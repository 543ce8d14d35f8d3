#include <gtest/gtest.h>

#include "ColourPictures.h"
#include "compile/MipMaps.h"

namespace {

using colourtest::Rgb;
using compile::Palette;

TEST(MipLevelCount, CountsHalvingsOfTheSmallerSide) {
  const auto count = [](int width, int height, bool section = false, bool project = false) {
    return compile::MipLevelCount(raster::Bitmap(width, height, raster::PixelFormat::Bgr24), section, project);
  };
  EXPECT_EQ(count(256, 256), 9);
  EXPECT_EQ(count(256, 128), 8);
  EXPECT_EQ(count(200, 200), 8);
  EXPECT_EQ(count(255, 300), 8);
  EXPECT_EQ(count(1, 1), 1);
  EXPECT_EQ(count(0, 0), 1);
  EXPECT_EQ(count(256, 256, true, false), 1);
  EXPECT_EQ(count(256, 256, false, true), 1);
}

// Four colours, each the first entry of its own cell, so mapping them passes
// no error on and every level shows which source pixels it kept.
const Palette Colours{{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};

raster::Bitmap Pattern(int width, int height) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(Colours[static_cast<std::size_t>((x * 3 + y * 5 + x * y) % 4)]);
  return colourtest::Picture(width, height, pixels);
}

TEST(MipChain, HalvesByKeepingOneSourcePixel) {
  const std::vector<raster::Bitmap> levels = compile::BuildMipChain(Pattern(200, 200), Colours, 8);
  ASSERT_EQ(levels.size(), 8u);
  const int sizes[] = {200, 100, 50, 25, 12, 6, 3, 1};
  for (std::size_t i = 0; i < levels.size(); ++i) {
    EXPECT_EQ(levels[i].Width(), sizes[i]);
    EXPECT_EQ(levels[i].Height(), sizes[i]);
    EXPECT_EQ(levels[i].Palette(), Colours);
  }
  // Even sides keep the top-left pixel of each 2 x 2 block.
  for (std::size_t i = 0; i + 1 < 4; ++i)
    for (int y = 0; y < levels[i + 1].Height(); ++y)
      for (int x = 0; x < levels[i + 1].Width(); ++x)
        ASSERT_EQ(levels[i + 1].Row(y)[x], levels[i].Row(2 * y)[2 * x]) << i << " " << x << "," << y;
}

TEST(MipChain, MaskedPixelsStayAtIndexZeroInEveryLevel) {
  std::vector<std::uint8_t> mask(16);
  mask[0] = 1;
  const std::vector<raster::Bitmap> levels =
      compile::BuildMipChain(colourtest::Filled(4, 4, Colours[1]), Colours, 3, mask);
  ASSERT_EQ(levels.size(), 3u);
  EXPECT_EQ(levels[0].Pixels(), (std::vector<std::uint8_t>{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(levels[1].Pixels(), (std::vector<std::uint8_t>{0, 1, 1, 1}));
  EXPECT_EQ(levels[2].Pixels(), std::vector<std::uint8_t>{0});
}

TEST(AverageColor, IsThePaletteColourOfOneSampledPixel) {
  std::vector<Rgb> pixels(16, Rgb{0, 0, 250, 0});
  pixels[0] = {240, 20, 10, 0};
  EXPECT_EQ(compile::ComputeAverageColor(colourtest::Picture(4, 4, pixels), Colours), Colours[1]);
}

}  // namespace
