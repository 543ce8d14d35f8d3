#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "ColourPictures.h"
#include "compile/PostProcess.h"

namespace {

using colourtest::Rgb;
using compile::AdjustColour;

Rgb Brightened(Rgb colour, int position) { return AdjustColour(colour, position, 50); }
Rgb Saturated(Rgb colour, int position) { return AdjustColour(colour, 50, position); }

TEST(PostProcess, MiddlePositionsLeaveThePictureUntouched) {
  const raster::Bitmap original = colourtest::Noise(17, 9, 1);
  raster::Bitmap picture = original;
  compile::ApplyBrightness(picture, 50);
  compile::ApplySaturation(picture, 50);
  EXPECT_EQ(picture, original);
}

TEST(PostProcess, BrightnessBlendsTowardBlackOrWhiteWithSinglePrecisionWeights) {
  raster::Bitmap picture = colourtest::Noise(8, 8, 2);
  compile::ApplyBrightness(picture, 0);
  EXPECT_TRUE(std::ranges::all_of(picture.Pixels(), [](std::uint8_t byte) { return byte == 0; }));
  picture = colourtest::Noise(8, 8, 3);
  compile::ApplyBrightness(picture, 100);
  EXPECT_TRUE(std::ranges::all_of(picture.Pixels(), [](std::uint8_t byte) { return byte == 255; }));

  // Strength 127: the weights 127/255 and its complement sum to just under 1.
  EXPECT_EQ(Brightened(colourtest::Grey(0), 75), colourtest::Grey(127));
  EXPECT_EQ(Brightened(colourtest::Grey(255), 75), colourtest::Grey(254));
  EXPECT_EQ(Brightened(colourtest::Grey(255), 25), colourtest::Grey(127));
  // Positions beyond the range saturate at full strength.
  EXPECT_EQ(Brightened(Rgb{10, 200, 30, 0}, 140), colourtest::Grey(255));
}

TEST(PostProcess, SaturationMovesTowardTheLargestChannelOrFullSaturation) {
  EXPECT_EQ(Saturated(Rgb{200, 100, 50, 0}, 0), colourtest::Grey(200));
  EXPECT_EQ(Saturated(Rgb{200, 100, 50, 0}, 100), (Rgb{200, 66, 0, 0}));

  // Each ordering of the channels lies in another sixth of the hue circle.
  std::array<int, 3> order{0, 1, 2};
  do {
    const std::array<std::uint8_t, 3> source{200, 100, 50}, saturated{200, 66, 0};
    const auto pick = [&](const std::array<std::uint8_t, 3>& values) {
      return Rgb{values[static_cast<std::size_t>(order[0])], values[static_cast<std::size_t>(order[1])],
                 values[static_cast<std::size_t>(order[2])], 0};
    };
    EXPECT_EQ(Saturated(pick(source), 100), pick(saturated));
    EXPECT_EQ(Saturated(pick(source), 0), colourtest::Grey(200));
  } while (std::ranges::next_permutation(order).found);
}

TEST(PostProcess, GreysKeepTheirLevelAtEverySaturation) {
  for (int position = 0; position <= 100; ++position)
    for (int level : {0, 1, 127, 200, 255})
      EXPECT_EQ(Saturated(colourtest::Grey(level), position), colourtest::Grey(level)) << position << " " << level;
}

TEST(PostProcess, AdjustColourAppliesBrightnessBeforeSaturationAndKeepsTheFlags) {
  // Brightness 75 gives (227, 177, 152), whose full saturation is (227, 75, 0);
  // the other order would give (227, 160, 127).
  EXPECT_EQ(AdjustColour(Rgb{200, 100, 50, 7}, 75, 100), (Rgb{227, 75, 0, 7}));
}

}  // namespace
