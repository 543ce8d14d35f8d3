#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "ColourPictures.h"
#include "compile/Resample.h"

namespace {

using colourtest::Grey;
using colourtest::PixelAt;
using compile::Lanczos3;

raster::Bitmap Resampled(const raster::Bitmap& source, int width, int height) {
  raster::Bitmap destination(width, height, raster::PixelFormat::Bgr24);
  compile::Resample(source, destination, Lanczos3, compile::Lanczos3Support);
  return destination;
}

bool AllBytes(const raster::Bitmap& bitmap, std::uint8_t value) {
  return std::ranges::all_of(bitmap.Pixels(), [value](std::uint8_t byte) { return byte == value; });
}

TEST(Lanczos3, Values) {
  EXPECT_EQ(Lanczos3(0.0f), 1.0f);
  // sin(pi * n) of a single-precision pi is not quite 0.
  for (float n : {1.0f, 2.0f, -1.0f, -2.0f}) EXPECT_NEAR(Lanczos3(n), 0.0f, 1e-7f);
  for (float x : {3.0f, -3.0f, 3.5f, 100.0f}) EXPECT_EQ(Lanczos3(x), 0.0f);
  EXPECT_NEAR(Lanczos3(0.5f), 0.6079271f, 1e-6f);
  EXPECT_NEAR(Lanczos3(1.5f), -0.1350949f, 1e-6f);
  for (float x = 0.0f; x < 3.2f; x += 0.037f) EXPECT_EQ(Lanczos3(x), Lanczos3(-x)) << x;
}

TEST(Resample, ConstantPicturesStayConstantUpToTheUnnormalisedWeights) {
  raster::Bitmap indexed(5, 5, raster::PixelFormat::Indexed8);
  indexed.Palette() = {Grey(50)};
  for (const auto& [source, width, height] : {std::tuple{colourtest::Filled(128, 96, Grey(50)), 256, 256},
                                              std::tuple{colourtest::Filled(256, 256, Grey(50)), 64, 128},
                                              std::tuple{colourtest::Filled(1, 1, Grey(50)), 4, 3},
                                              std::tuple{indexed, 17, 9}}) {
    const raster::Bitmap result = Resampled(source, width, height);
    EXPECT_EQ(result.Format(), raster::PixelFormat::Bgr24);
    EXPECT_EQ(result.Width(), width);
    EXPECT_EQ(result.Height(), height);
    EXPECT_TRUE(AllBytes(result, 50)) << width << "x" << height;
  }
  // The weights of a halving sum to about 0.993 and are not renormalised.
  EXPECT_TRUE(AllBytes(Resampled(colourtest::Filled(256, 256, Grey(255)), 128, 128), 253));
}

TEST(Resample, EdgesMirrorAboutTheFirstPixelAndBeyondTheLast) {
  // Halving 8 columns to 4 reaches 7 columns out. Column 0 sees source column
  // 2 at 2 and again at -2; column 3, centred on 7, sees column 6 at 6 and
  // again at 9. The rows stay apart: 2 rows to 2 put every row on itself.
  std::vector<colourtest::Rgb> pixels(16, Grey(0));
  pixels[2] = Grey(255);
  pixels[8 + 6] = Grey(255);
  const raster::Bitmap result = Resampled(colourtest::Picture(8, 2, pixels), 4, 2);
  EXPECT_EQ(PixelAt(result, 0, 0), Grey(31));  // 255 * 2 * 0.0601
  EXPECT_EQ(PixelAt(result, 3, 1), Grey(92));  // 255 * (0.3000 + 0.0601)
}

TEST(Resample, Failures) {
  EXPECT_THAT([] { Resampled(raster::Bitmap(0, 3, raster::PixelFormat::Bgr24), 4, 4); },
              testing::ThrowsMessage<std::runtime_error>(testing::StrEq("Source bitmap too small")));
  // A single column from several would divide by a scale of 0.
  raster::Bitmap column(1, 4, raster::PixelFormat::Bgr24);
  EXPECT_THROW(compile::Resample(colourtest::Noise(3, 4, 1), column, Lanczos3, 3.0f), std::runtime_error);
}

model::TModeloPart Section(int width, int height, std::uint32_t flags = 0) {
  model::TModeloPart section;
  section.Width = width;
  section.Height = height;
  section.Flags = flags | 2;
  return section;
}

TEST(SizeRule, LeavesTexturesOfTheRightSizeOrWithoutASize) {
  const raster::Bitmap original = colourtest::Noise(64, 32, 4);
  for (const model::TModeloPart& section : {Section(64, 32), Section(0, 256), Section(256, 0), Section(-1, 32)}) {
    raster::Bitmap texture = original;
    EXPECT_EQ(compile::ApplySizeRule(texture, "Body", section), std::nullopt);
    EXPECT_EQ(texture, original);
  }
}

TEST(SizeRule, RefusesSectionsThatCannotResample) {
  const raster::Bitmap original = colourtest::Noise(128, 128, 5);
  raster::Bitmap texture = original;
  EXPECT_EQ(compile::ApplySizeRule(texture, "Head", Section(256, 128, model::CANNOTRESAMPLE)),
            "A texture on section \"Head\" does not have the right size (256x128) and its marked as No Resizable in "
            "the model.\r\nPlease remove the texture, resize it and load again.");
  EXPECT_EQ(texture, original);
}

TEST(SizeRule, ResamplesCornerToCorner) {
  // Scale 255 / 127: the last destination pixel sits on the last source pixel,
  // where a scale of 2 would fall between two.
  const raster::Bitmap original = colourtest::Noise(128, 128, 6);
  raster::Bitmap texture = original;
  EXPECT_EQ(compile::ApplySizeRule(texture, "Body", Section(256, 256)), std::nullopt);
  ASSERT_EQ(texture.Width(), 256);
  ASSERT_EQ(texture.Height(), 256);
  EXPECT_EQ(PixelAt(texture, 0, 0), PixelAt(original, 0, 0));
  EXPECT_EQ(PixelAt(texture, 255, 0), PixelAt(original, 127, 0));
  EXPECT_EQ(PixelAt(texture, 0, 255), PixelAt(original, 0, 127));
  EXPECT_EQ(PixelAt(texture, 255, 255), PixelAt(original, 127, 127));
}

TEST(SizeRule, CompilesTheBlankBitmapWhenTheResamplerFails) {
  raster::Bitmap texture(0, 0, raster::PixelFormat::Bgr24);
  EXPECT_EQ(compile::ApplySizeRule(texture, "Body", Section(32, 16)), std::nullopt);
  EXPECT_EQ(texture, raster::Bitmap(32, 16, raster::PixelFormat::Bgr24));
}

}  // namespace
