#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

namespace {

using raster::Bitmap;
using raster::PixelFormat;

Bitmap Indexed(int width, int height, const std::vector<std::uint8_t>& pixels) {
  Bitmap bitmap(width, height, PixelFormat::Indexed8);
  bitmap.Pixels() = pixels;
  return bitmap;
}

TEST(BitmapStretch, SamplesTheSourcePixelAtTheFlooredScaledPosition) {
  Bitmap source = Indexed(4, 2, {10, 20, 30, 40,  //
                                 50, 60, 70, 80});
  source.Palette() = {{1, 2, 3, 0}, {4, 5, 6, 0}};

  // x * 4 / 6 = 0 0 1 2 2 3; y * 2 / 3 = 0 0 1.
  const Bitmap enlarged = source.StretchNearest(6, 3);
  EXPECT_EQ(enlarged.Pixels(), (std::vector<std::uint8_t>{10, 10, 20, 30, 30, 40,  //
                                                          10, 10, 20, 30, 30, 40,  //
                                                          50, 50, 60, 70, 70, 80}));
  EXPECT_EQ(enlarged.Palette(), source.Palette());

  // x * 4 / 3 = 0 1 2; y * 2 / 1 = 0.
  EXPECT_EQ(source.StretchNearest(3, 1).Pixels(), (std::vector<std::uint8_t>{10, 20, 30}));
  EXPECT_EQ(source.StretchNearest(1, 1).Pixels(), (std::vector<std::uint8_t>{10}));
  EXPECT_EQ(source.StretchNearest(4, 2), source);

  Bitmap colour(2, 1, PixelFormat::Bgr24);
  colour.Pixels() = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(colour.StretchNearest(3, 1).Pixels(), (std::vector<std::uint8_t>{1, 2, 3, 1, 2, 3, 4, 5, 6}));
}

TEST(BitmapStretch, EdgeSizes) {
  // 70000 * 70000 overflows 32 bits: a same-size stretch must stay the identity.
  Bitmap wide(70000, 1, PixelFormat::Indexed8);
  for (std::size_t i = 0; i < wide.Pixels().size(); ++i) wide.Pixels()[i] = static_cast<std::uint8_t>(i % 251);
  EXPECT_EQ(wide.StretchNearest(70000, 1), wide);

  EXPECT_EQ(Bitmap(0, 0, PixelFormat::Bgr24).StretchNearest(2, 2).Pixels(), std::vector<std::uint8_t>(12, 0));
}

}  // namespace
