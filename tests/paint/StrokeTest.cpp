#include <gtest/gtest.h>

#include "paint/Dab.h"
#include "paint/DisplayTexture.h"
#include "paint/Stroke.h"

namespace {

using raster::BlendMode;

raster::Bitmap Filled(int width, int height, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = bitmap.Row(y) + x * 3;
      pixel[0] = blue;
      pixel[1] = green;
      pixel[2] = red;
    }
  return bitmap;
}

std::array<int, 3> Rgb(const raster::Bitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.Row(y) + x * 3;
  return {pixel[2], pixel[1], pixel[0]};
}

paint::Brush Brush(int size, int intensity, std::uint32_t colour, BlendMode mode = BlendMode::Brush) {
  return {size, intensity, colour, mode};
}

constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Blue = 0xFF0000;

// The rows of a mask as '#' where it is covered.
std::vector<std::string> Coverage(const raster::Bitmap& mask) {
  std::vector<std::string> rows;
  for (int y = 0; y < mask.Height(); ++y) {
    std::string row;
    for (int x = 0; x < mask.Width(); ++x) row += mask.Row(y)[x * 3] ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

TEST(DabTest, TheGreyIsTheIntensityScaledAndRoundedHalfToEven) {
  EXPECT_EQ(paint::GreyOfIntensity(1), 3);
  EXPECT_EQ(paint::GreyOfIntensity(10), 26);
  EXPECT_EQ(paint::GreyOfIntensity(30), 76);
  EXPECT_EQ(paint::GreyOfIntensity(50), 128);
  EXPECT_EQ(paint::GreyOfIntensity(100), 255);
}

TEST(DabTest, SmallBrushesAreSquaresAndLargerOnesEllipsesWithoutTheirRightAndBottomBounds) {
  raster::Bitmap mask(8, 8, raster::PixelFormat::Bgr24);
  EXPECT_EQ(paint::PaintDab(mask, 2, 3, 1, 100), (raster::PixelArea{2, 3, 3, 4}));
  EXPECT_EQ(paint::PaintDab(mask, 5, 5, 2, 100), (raster::PixelArea{5, 5, 7, 7}));
  EXPECT_EQ(Coverage(mask), (std::vector<std::string>{"........", "........", "........", "..#.....", "........",
                                                      ".....##.", ".....##.", "........"}));

  // Size 5 at (5, 5): the box runs from round(2.5) = 2 to round(7.5) = 8.
  raster::Bitmap ellipse(10, 10, raster::PixelFormat::Bgr24);
  EXPECT_EQ(paint::PaintDab(ellipse, 5, 5, 5, 50), (raster::PixelArea{2, 2, 8, 8}));
  EXPECT_EQ(Coverage(ellipse), (std::vector<std::string>{"..........", "..........", "...####...", "..######..",
                                                         "..######..", "..######..", "..######..", "...####...",
                                                         "..........", ".........."}));
  EXPECT_EQ(ellipse.Row(5)[5 * 3], 128);
  // At (6, 6) halves round the other way: from round(3.5) = 4 to round(8.5) = 8.
  raster::Bitmap odd(10, 10, raster::PixelFormat::Bgr24);
  EXPECT_EQ(paint::PaintDab(odd, 6, 6, 5, 50), (raster::PixelArea{4, 4, 8, 8}));
}

TEST(DabTest, DabsReplaceWhatTheMaskHeldAndStopAtItsEdges) {
  raster::Bitmap mask(6, 6, raster::PixelFormat::Bgr24);
  paint::PaintDab(mask, 2, 2, 2, 100);
  paint::PaintDab(mask, 3, 3, 2, 10);
  EXPECT_EQ(mask.Row(2)[2 * 3], 255);
  EXPECT_EQ(mask.Row(3)[3 * 3], 26);
  EXPECT_EQ(paint::PaintDab(mask, 0, 0, 9, 100), (raster::PixelArea{0, 0, 4, 4}));
  EXPECT_TRUE(paint::PaintDab(mask, -20, 3, 15, 100).IsEmpty());
}

TEST(StrokeTest, TheEdgeCasesOfBrushingGiveExactPixels) {
  paint::Stroke one(Filled(4, 4, 0, 0, 0));
  one.Dab(1, 2, Brush(1, 100, Red));
  EXPECT_EQ(Rgb(one.Picture(), 1, 2), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Rgb(one.Picture(), 2, 2), (std::array<int, 3>{0, 0, 0}));

  // a = 128 / 255 in single precision, a little above 0.50196.
  paint::Stroke onBlack(Filled(2, 2, 0, 0, 0));
  onBlack.Dab(0, 0, Brush(1, 50, White));
  EXPECT_EQ(Rgb(onBlack.Picture(), 0, 0), (std::array<int, 3>{128, 128, 128}));
  paint::Stroke on200(Filled(2, 2, 200, 200, 200));
  on200.Dab(0, 0, Brush(1, 50, White));
  EXPECT_EQ(Rgb(on200.Picture(), 0, 0), (std::array<int, 3>{227, 227, 227}));
}

TEST(StrokeTest, LightenDarkenAndTintAtTheirLimits) {
  paint::Stroke lighten(Filled(3, 3, 10, 90, 200));
  lighten.Dab(0, 0, Brush(2, 100, 0, BlendMode::Lighten));
  EXPECT_EQ(Rgb(lighten.Picture(), 1, 1), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(Rgb(lighten.Picture(), 2, 2), (std::array<int, 3>{200, 90, 10}));
  paint::Stroke darken(Filled(3, 3, 10, 90, 200));
  darken.Dab(0, 0, Brush(2, 100, White, BlendMode::Darken));
  EXPECT_EQ(Rgb(darken.Picture(), 0, 1), (std::array<int, 3>{0, 0, 0}));

  paint::Stroke grey(Filled(2, 2, 120, 120, 120));
  grey.Dab(0, 0, Brush(1, 100, Blue, BlendMode::Tint));
  EXPECT_EQ(Rgb(grey.Picture(), 0, 0), (std::array<int, 3>{120, 120, 120}));
  paint::Stroke red(Filled(2, 2, 0, 0, 200));
  red.Dab(0, 0, Brush(1, 100, Blue, BlendMode::Tint));
  EXPECT_EQ(Rgb(red.Picture(), 0, 0), (std::array<int, 3>{0, 0, 200}));
}

TEST(StrokeTest, GoingBackAndForthInOneStrokeNeverBuildsUp) {
  const raster::Bitmap start = Filled(32, 32, 30, 60, 90);
  paint::Stroke once(start);
  paint::Stroke often(start);
  for (int x = 8; x <= 20; ++x) once.Dab(x, 16, Brush(7, 40, Red));
  for (int pass = 0; pass < 4; ++pass)
    for (int x = 8; x <= 20; ++x) often.Dab(pass % 2 ? 28 - x : x, 16, Brush(7, 40, Red));
  EXPECT_EQ(often.Picture(), once.Picture());
  EXPECT_EQ(often.Snapshot(), start);
  EXPECT_NE(once.Picture(), start);
  EXPECT_THROW(paint::Stroke(raster::Bitmap(2, 2, raster::PixelFormat::Indexed8)), std::invalid_argument);
}

TEST(StrokeTest, ThePickerReadsOnePixelAndTheZoomedPictureMapsBackToTexturePixels) {
  const raster::Bitmap picture = Filled(4, 4, 30, 20, 10);
  EXPECT_EQ(paint::PickColour(picture, 3, 3), 0x1E140Au);
  EXPECT_EQ(paint::PickColour(picture, 4, 0), std::nullopt);
  EXPECT_EQ(paint::PickColour(picture, -1, 0), std::nullopt);
  paint::TextureDisplay display;
  display.DisplayTexture(picture, nullptr, 0, 4);
  EXPECT_EQ(display.TexturePixel(15, 0).X, 3);
  EXPECT_EQ(display.TexturePixel(-1, 5).X, -1);
  EXPECT_EQ(display.TexturePixel(-1, 5).Y, 1);
}
