#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <set>

#include "ColourPictures.h"
#include "compile/ColorQuantizer.h"
#include "compile/HighQualityPalette.h"
#include "compile/NearestColour.h"
#include "compile/PaletteMapping.h"
#include "compile/PreparedTexture.h"

namespace {

using colourtest::Rgb;
using compile::Palette;

std::uint8_t BruteForceNearest(const Palette& palette, std::size_t first, int r, int g, int b) {
  std::size_t best = first;
  long bestDistance = LONG_MAX;
  for (std::size_t i = first; i < palette.size(); ++i) {
    const long dr = r - palette[i].Red, dg = g - palette[i].Green, db = b - palette[i].Blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

Palette RandomPalette(std::mt19937& random, int size, int spread) {
  Palette palette;
  const int base = static_cast<int>(random() % static_cast<unsigned>(256 - spread));
  for (int i = 0; i < size; ++i) {
    const auto channel = [&] { return static_cast<std::uint8_t>(base + static_cast<int>(random() % static_cast<unsigned>(spread))); };
    palette.push_back({channel(), channel(), channel(), 0});
  }
  return palette;
}

// Blocks of 216 web colours, each 16 x 16 pixels, with edges of blends between neighbours.
raster::Bitmap WebColourBlocks(std::set<std::uint32_t>& blockColours) {
  raster::Bitmap picture(16 * 18, 16 * 12, raster::PixelFormat::Bgr24);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const int block = (y / 16) * 18 + x / 16;
      const int value[3] = {block % 6 * 51, block / 6 % 6 * 51, block / 36 % 6 * 51};
      std::uint8_t* pixel = picture.Row(y) + x * 3;
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>(value[c]);
      if (x % 16 == 15 && x + 1 < picture.Width())
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>((value[c] + (block + 1) / 6 % 6 * 51) / 2 ^ (y & 3));
      else
        blockColours.insert(pixel[0] | pixel[1] << 8 | pixel[2] << 16);
    }
  return picture;
}

// Whether an entry lies within `tolerance` levels a channel of the colour.
bool Holds(const Palette& palette, std::uint32_t bgr, int tolerance) {
  const int b = static_cast<int>(bgr & 0xFF), g = static_cast<int>(bgr >> 8 & 0xFF), r = static_cast<int>(bgr >> 16);
  return std::any_of(palette.begin(), palette.end(), [&](const Rgb& e) {
    return std::abs(e.Blue - b) <= tolerance && std::abs(e.Green - g) <= tolerance && std::abs(e.Red - r) <= tolerance;
  });
}

double MeanSquaredError(const raster::Bitmap& original, const raster::Bitmap& mapped) {
  const raster::Bitmap a = original.ToBgr24(), b = mapped.ToBgr24();
  double sum = 0;
  for (std::size_t i = 0; i < a.Pixels().size(); ++i) {
    const double d = a.Pixels()[i] - b.Pixels()[i];
    sum += d * d;
  }
  return sum / static_cast<double>(a.Pixels().size());
}

// Smooth gradients and rings with a little grain, as painted skins are.
raster::Bitmap Painted(int size) {
  raster::Bitmap picture(size, size, raster::PixelFormat::Bgr24);
  std::mt19937 random(7);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 3;
      const int grain = static_cast<int>(random() % 9) - 4;
      pixel[0] = static_cast<std::uint8_t>(std::clamp(x * 255 / size + grain, 0, 255));
      pixel[1] = static_cast<std::uint8_t>(std::clamp((x + y) * 127 / size + grain, 0, 255));
      pixel[2] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(128 + 120 * std::sin(y * 0.05)) + grain, 0, 255));
    }
  return picture;
}

}  // namespace

TEST(NearestColourTest, FindsWhatASearchOfEveryEntryFinds) {
  std::mt19937 random(3);
  for (int round = 0; round < 40; ++round) {
    // Crowded palettes, with repeated entries, and a first entry held back as a mask's.
    const Palette palette = RandomPalette(random, 1 + static_cast<int>(random() % 256), 4 + round * 6);
    const std::size_t first = palette.size() > 1 ? round % 2 : 0;
    compile::NearestColour nearest(palette, first);
    for (int query = 0; query < 300; ++query) {
      const int r = static_cast<int>(random() % 256), g = static_cast<int>(random() % 256), b = static_cast<int>(random() % 256);
      const std::uint8_t expected = BruteForceNearest(palette, first, r, g, b);
      ASSERT_EQ(nearest.Find(r, g, b), expected) << round << " " << query;
    }
  }
  EXPECT_THROW(compile::NearestColour(Palette{{1, 2, 3, 0}}, 1), std::invalid_argument);
}

TEST(HighQualityPaletteTest, KeepsTheColoursThatMatterWhereTheOctreeMergesThem) {
  std::set<std::uint32_t> blocks;
  const raster::Bitmap picture = WebColourBlocks(blocks);
  ASSERT_EQ(blocks.size(), 216u);
  const Palette refined = compile::BuildRefinedPalette({&picture}, 256);
  ASSERT_EQ(refined.size(), 256u);
  // The fault it mends: the octree merges flat colours far apart, where these
  // palettes keep nearly every one within a few levels.
  const auto held = [&](const Palette& palette) {
    return std::count_if(blocks.begin(), blocks.end(), [&](std::uint32_t c) { return Holds(palette, c, 4); });
  };
  EXPECT_GE(held(refined), 210);
  EXPECT_LT(held(compile::BuildOptimizedPalette({&picture}, 256)), 200);
  // And it is the same palette every time.
  EXPECT_EQ(compile::BuildRefinedPalette({&picture}, 256), refined);
  EXPECT_THROW(compile::BuildRefinedPalette({&picture, nullptr}, 256), std::runtime_error);
  EXPECT_THROW(compile::BuildRefinedPalette({}, 256), std::runtime_error);
}

TEST(HighQualityPaletteTest, MapsCloserThanTheClassicWay) {
  const raster::Bitmap picture = Painted(128);
  const Palette classic = compile::BuildPalette({&picture}, 256, compile::PaletteQuality::Classic);
  const Palette high = compile::BuildPalette({&picture}, 256, compile::PaletteQuality::High);
  const double classicError = MeanSquaredError(picture, compile::MapToPalette(picture, classic));
  const double highError =
      MeanSquaredError(picture, compile::MapToPalette(picture, high, {}, compile::PaletteQuality::High));
  EXPECT_LT(highError, classicError * 0.8) << classicError << " " << highError;

  // Few colours are kept exactly, whichever the quality.
  const raster::Bitmap few = colourtest::Picture(3, 1, {{10, 10, 10, 0}, {12, 12, 12, 0}, {200, 0, 0, 0}});
  EXPECT_EQ(compile::BuildPalette({&few}, 256, compile::PaletteQuality::High),
            compile::BuildPalette({&few}, 256, compile::PaletteQuality::Classic));
}

double Psnr(const raster::Bitmap& original, const raster::Bitmap& mapped) {
  return 10 * std::log10(255.0 * 255.0 / MeanSquaredError(original, mapped));
}

// The same painting, its colours turned: a second skin beside the first.
raster::Bitmap Turned(const raster::Bitmap& picture) {
  raster::Bitmap turned = picture;
  for (std::size_t i = 0; i < turned.Pixels().size(); i += 3) std::swap(turned.Pixels()[i], turned.Pixels()[i + 2]);
  return turned;
}

TEST(HighQualityPaletteTest, OnePaletteServesEveryPictureOfItsGroup) {
  const raster::Bitmap first = Painted(96);
  const raster::Bitmap second = Turned(first);
  const Palette shared = compile::BuildPalette({&first, &second}, 256, compile::PaletteQuality::High);
  const Palette own = compile::BuildPalette({&first}, 256, compile::PaletteQuality::High);
  const auto psnr = [](const raster::Bitmap& picture, const Palette& palette) {
    return Psnr(picture, compile::MapToPalette(picture, palette, {}, compile::PaletteQuality::High));
  };
  // Each picture keeps most of what a palette of its own gives it.
  for (const raster::Bitmap* picture : {&first, &second}) {
    EXPECT_GT(psnr(*picture, shared), 30.0);
    EXPECT_GT(psnr(*picture, shared), psnr(first, own) - 4.0);
  }
  // Where a palette made for the first alone leaves the second far behind.
  EXPECT_LT(psnr(second, own), psnr(second, shared) - 6.0);

  // A masked picture: the mask takes entry 0 and nothing else does, whatever the palette holds.
  raster::Bitmap cutOut(96, 96, raster::PixelFormat::Bgra32);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      std::copy_n(first.Row(y) + x * 3, 3, cutOut.Row(y) + x * 4);
      cutOut.Row(y)[x * 4 + 3] = x >= 40 && x < 56 ? 0 : 255;
    }
  const raster::Bitmap working = compile::PrepareWorkingBitmap(cutOut, true, 50, 50, compile::PaletteQuality::High);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) ASSERT_EQ(working.Row(y)[x] == 0, x >= 40 && x < 56) << x << "," << y;
}

TEST(HighQualityPaletteTest, FlatAreasStayFlatAndTheMaskKeepsEntryZero) {
  const Palette palette{{0, 0, 0, 0}, {100, 100, 100, 0}, {104, 104, 104, 0}, {255, 255, 255, 0}};
  // One level from an entry: nothing diffused, every pixel that entry.
  const raster::Bitmap flat = colourtest::Filled(16, 16, {101, 100, 99, 0});
  const raster::Bitmap mapped = compile::MapRefined(flat, palette, {});
  EXPECT_TRUE(std::all_of(mapped.Pixels().begin(), mapped.Pixels().end(), [](std::uint8_t i) { return i == 1; }));
  // Half-way between two entries, the area takes both, in about equal parts.
  const raster::Bitmap between = compile::MapRefined(colourtest::Filled(16, 16, {102, 102, 102, 0}), palette, {});
  const auto ones = std::count(between.Pixels().begin(), between.Pixels().end(), 1);
  EXPECT_GT(ones, 64);
  EXPECT_LT(ones, 192);

  std::vector<std::uint8_t> mask(16 * 16, 0);
  mask[5] = 1;
  const raster::Bitmap masked = compile::MapRefined(colourtest::Filled(16, 16, {0, 0, 0, 0}), palette, mask);
  EXPECT_EQ(masked.Pixels()[5], 0);
  // Entry 0 belongs to the mask: black pixels take the nearest other entry.
  EXPECT_EQ(masked.Pixels()[6], 1);
}

TEST(ExactPaletteTest, PicturesOfFewColoursKeepEveryPixel) {
  // (8,8,8) and (15,15,15) share a cell of the classic lookup, which would give both the first.
  const Palette palette{colourtest::Grey(8), colourtest::Grey(15), colourtest::Grey(200)};
  const raster::Bitmap picture = colourtest::Picture(3, 1, {colourtest::Grey(15), colourtest::Grey(8), colourtest::Grey(200)});
  for (const auto quality : {compile::PaletteQuality::Classic, compile::PaletteQuality::High})
    EXPECT_EQ(compile::MapToPalette(picture, palette, {}, quality).Pixels(), (std::vector<std::uint8_t>{1, 0, 2}));

  // A masked picture of 255 colours besides its mask colour keeps all 255.
  raster::Bitmap source(16, 16, raster::PixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i) {
    source.Palette().push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                static_cast<std::uint8_t>(i * 7), 0});
    source.Pixels()[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  }
  const raster::Bitmap working = compile::PrepareWorkingBitmap(source, true, 50, 50);
  ASSERT_EQ(working.Format(), raster::PixelFormat::Indexed8);
  EXPECT_EQ(working.Pixels()[0], 0);
  for (int i = 1; i < 256; ++i)
    EXPECT_EQ(working.Palette()[working.Pixels()[static_cast<std::size_t>(i)]], source.Palette()[static_cast<std::size_t>(i)]) << i;
}
