#include <gtest/gtest.h>

#include "ColourPictures.h"
#include "compile/PaletteMapping.h"

namespace {

using colourtest::Grey;
using colourtest::Rgb;
using compile::Palette;

std::vector<std::uint8_t> Indexes(const raster::Bitmap& picture, const Palette& palette) {
  const raster::Bitmap mapped = compile::MapToPalette(picture, palette);
  EXPECT_EQ(mapped.Format(), raster::PixelFormat::Indexed8);
  EXPECT_EQ(mapped.Palette(), palette);
  return mapped.Pixels();
}

TEST(FastColorLookup, EachCellMapsToOneEntry) {
  // (8,8,8) and (15,15,15) share a cell: the first entry wins even for the
  // colour of the second.
  compile::TFastColorLookup lookup(Palette{Grey(8), Grey(15), Grey(200)});
  EXPECT_EQ(lookup.Lookup(15, 15, 15), 0);
  EXPECT_EQ(lookup.Lookup(200, 200, 200), 2);
  EXPECT_EQ(lookup.Colour(2), Grey(200));

  // An empty cell takes the nearest entry to the first colour looked up in
  // it, the lowest index on a tie, and keeps it for the rest of the cell.
  compile::TFastColorLookup search(Palette{{0, 0, 0, 0}, {100, 0, 0, 0}, {0, 100, 0, 0}});
  EXPECT_EQ(search.Lookup(50, 50, 0), 0);
  EXPECT_EQ(search.Lookup(55, 55, 0), 0);
  EXPECT_EQ(search.Lookup(90, 0, 0), 1);
  EXPECT_EQ(search.Lookup(88, 7, 7), 1);

  EXPECT_THROW(compile::TFastColorLookup(Palette{}), std::invalid_argument);
}

TEST(MapToPalette, OnePixelMapsToTheLookupOfItsColour) {
  const Palette palette{{0, 0, 0, 0}, {255, 0, 0, 0}, {128, 30, 230, 0}, {140, 20, 255, 0}};
  const Rgb colour{130, 20, 240, 0};
  compile::TFastColorLookup lookup(palette);
  EXPECT_EQ(Indexes(colourtest::Picture(1, 1, {colour}), palette),
            std::vector<std::uint8_t>{lookup.Lookup(colour.Red, colour.Green, colour.Blue)});
}

TEST(MapToPalette, OnlyAColourThatIsItsCellsFirstEntryPassesNoErrorOn) {
  // 96 and 100 share a cell whose first entry is 96; 126 lies in the cell of
  // 120, 128 in the cell of 133.
  const Palette palette{Grey(96), Grey(100), Grey(0), Grey(255), Grey(120), Grey(133)};
  EXPECT_EQ(Indexes(colourtest::Picture(2, 1, {Grey(96), Grey(126)}), palette), (std::vector<std::uint8_t>{0, 4}));
  // 100 maps to 96 and passes 7 * 4 sixteenths on: 126 + (28 + 8) / 16 = 128.
  EXPECT_EQ(Indexes(colourtest::Picture(2, 1, {Grey(100), Grey(126)}), palette), (std::vector<std::uint8_t>{0, 5}));
}

TEST(MapToPalette, DiffusesErrorsAlongASerpentine) {
  // Worked by hand, levels per channel:
  // row 0, left to right
  //   120       -> 128 (1), error -8: right -56, below -40 and -8
  //   60 - 3    -> 57 -> 0 (0), error 57: right 399, below 171, 285, 57
  //   145       -> 128 (1), error 17: below 51 and 85
  // row 1, right to left, receiving 131, 328 and 142
  //   130 + 9   -> 139 -> 128 (1), error 11: left 77
  //   190 + 25  -> 215 -> 255 (2), error -40: left -280
  //   200 + (131 - 280 + 8) / 16 = 200 - 8 -> 192 -> 255 (2); flooring to -9
  //   would give 191 and 128, and scanning row 1 left to right 1 2 1.
  const Palette palette{Grey(0), Grey(128), Grey(255)};
  const raster::Bitmap picture =
      colourtest::Picture(3, 2, {Grey(120), Grey(60), Grey(120), Grey(200), Grey(190), Grey(130)});
  EXPECT_EQ(Indexes(picture, palette), (std::vector<std::uint8_t>{1, 0, 1, 2, 2, 1}));
}

TEST(MapToPalette, MaskedPixelsTakeIndexZero) {
  const Palette palette{Grey(0), Grey(255)};
  const raster::Bitmap picture = colourtest::Filled(2, 2, Grey(255));
  EXPECT_EQ(compile::MapToPalette(picture, palette, {0, 1, 0, 0}).Pixels(), (std::vector<std::uint8_t>{1, 0, 1, 1}));
  EXPECT_THROW(compile::MapToPalette(picture, palette, {1}), std::invalid_argument);
}

}  // namespace
