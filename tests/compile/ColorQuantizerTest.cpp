#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "ColourPictures.h"
#include "compile/ColorQuantizer.h"

namespace {

using colourtest::Grey;
using colourtest::Rgb;
using compile::Palette;

Palette Table(const raster::Bitmap& picture, int maxColors) {
  compile::TColorQuantizer quantizer(maxColors, 8);
  quantizer.ProcessImage(picture);
  return quantizer.GetColorTable();
}

// Red bit 7, green bit 7, blue bit 7, red bit 6 and so on.
std::uint32_t InterleavedKey(const Rgb& colour) {
  std::uint32_t key = 0;
  for (int bit = 7; bit >= 0; --bit)
    key = key << 3 | ((colour.Red >> bit) & 1u) << 2 | ((colour.Green >> bit) & 1u) << 1 | ((colour.Blue >> bit) & 1u);
  return key;
}

TEST(ColorQuantizer, DistinctColoursComeOutInInterleavedBitOrder) {
  const std::vector<Rgb> colours{{200, 10, 10, 0}, {10, 200, 10, 0}, {10, 10, 200, 0}, {255, 255, 255, 0},
                                 {0, 0, 0, 0},     {128, 127, 1, 0}, {127, 128, 1, 0}, {1, 1, 254, 0},
                                 {64, 64, 64, 0},  {65, 64, 64, 0}};
  std::vector<Rgb> pixels = colours;
  pixels.insert(pixels.end(), colours.rbegin(), colours.rend());
  std::vector<Rgb> expected = colours;
  std::ranges::sort(expected, {}, InterleavedKey);

  EXPECT_EQ(Table(colourtest::Picture(20, 1, pixels), 256), expected);

  raster::Bitmap indexed(10, 1, raster::PixelFormat::Indexed8);
  indexed.Palette() = colours;
  for (std::uint8_t i = 0; i < 10; ++i) indexed.Pixels()[i] = i;
  EXPECT_EQ(Table(indexed, 256), expected);
}

TEST(ColorQuantizer, ReductionMergesTheNewestNodeOfTheDeepestLevel) {
  // (0,0,0) and (1,1,1) share one node of level 7, (2,2,2) and (3,3,3) a newer
  // one; the fourth colour makes four leaves where three are allowed.
  const raster::Bitmap picture = colourtest::Picture(4, 1, {Grey(0), Grey(1), Grey(2), Grey(3)});
  EXPECT_EQ(Table(picture, 3), (Palette{Grey(0), Grey(1), Grey(2)}));

  // With one colour allowed the root itself becomes the leaf.
  EXPECT_EQ(Table(colourtest::Picture(2, 1, {Grey(0), Grey(255)}), 1), Palette{Grey(127)});
}

TEST(ColorQuantizer, NeverHoldsMoreLeavesThanAllowed) {
  compile::TColorQuantizer quantizer(16, 8);
  for (unsigned seed = 0; seed < 3; ++seed) {
    quantizer.ProcessImage(colourtest::Noise(64, 64, seed));
    EXPECT_LE(quantizer.LeafCount(), 16);
    EXPECT_GT(quantizer.LeafCount(), 1);
    EXPECT_EQ(quantizer.GetColorTable().size(), static_cast<std::size_t>(quantizer.LeafCount()));
  }
}

TEST(OptimizedPalette, RepeatsTheLastLeafColourPastTheLeaves) {
  const raster::Bitmap first = colourtest::Picture(2, 1, {{250, 0, 0, 0}, {0, 0, 250, 0}});
  const raster::Bitmap second = colourtest::Picture(1, 1, {{0, 250, 0, 0}});
  const Palette palette = compile::BuildOptimizedPalette({&first, &second}, 256);
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[0], (Rgb{0, 0, 250, 0}));
  EXPECT_EQ(palette[1], (Rgb{0, 250, 0, 0}));
  EXPECT_TRUE(std::all_of(palette.begin() + 2, palette.end(), [](const Rgb& c) { return c == Rgb{250, 0, 0, 0}; }));

  // Leaves one level down: colours grouped by their top bit.
  const raster::Bitmap greys = colourtest::Picture(3, 1, {Grey(10), Grey(21), Grey(200)});
  const Palette coarse = compile::BuildOptimizedPalette({&greys}, 4, 1);
  EXPECT_EQ(coarse, (Palette{Grey(15), Grey(200), Grey(200), Grey(200)}));

  // Without any pixel there is no colour to repeat.
  const raster::Bitmap empty(0, 0, raster::PixelFormat::Bgr24);
  EXPECT_EQ(compile::BuildOptimizedPalette({&empty}, 3), Palette(3));
}

TEST(OptimizedPalette, RefusesAnEmptyList) {
  EXPECT_THAT([] { compile::BuildOptimizedPalette({}, 256); },
              testing::ThrowsMessage<std::runtime_error>(testing::StrEq("Invalid bitmap list")));
}

}  // namespace
