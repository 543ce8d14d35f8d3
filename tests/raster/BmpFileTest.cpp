#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "raster/BmpFile.h"
#include "support/TestFiles.h"

namespace {

using raster::Bitmap;
using raster::PixelFormat;

std::uint32_t Field(const std::vector<std::uint8_t>& file, std::size_t at, int bytes = 4) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | file[at + static_cast<std::size_t>(i)];
  return value;
}

// Reads an uncompressed bottom-up file back the way any bitmap reader does,
// trusting only its header fields.
Bitmap ReadBack(const std::vector<std::uint8_t>& file) {
  const bool indexed = Field(file, 28, 2) == 8;
  Bitmap bitmap(static_cast<int>(Field(file, 18)), static_cast<int>(Field(file, 22)),
                indexed ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
  for (std::size_t i = 0; indexed && i < Field(file, 46); ++i)
    bitmap.Palette().push_back({file[56 + 4 * i], file[55 + 4 * i], file[54 + 4 * i], 0});
  const std::size_t stride = (bitmap.RowBytes() + 3) / 4 * 4;
  for (int y = 0; y < bitmap.Height(); ++y)
    std::memcpy(bitmap.Row(y), &file[Field(file, 10) + static_cast<std::size_t>(bitmap.Height() - 1 - y) * stride],
                bitmap.RowBytes());
  return bitmap;
}

Bitmap Pattern(int width, int height, PixelFormat format) {
  Bitmap bitmap(width, height, format);
  for (std::size_t i = 0; i < bitmap.Pixels().size(); ++i) bitmap.Pixels()[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bitmap;
}

TEST(BmpFile, WritesStandardHeadersAndPaddedBottomUpRowsThatReadBack) {
  testsupport::TempDir dir;
  Bitmap indexed = Pattern(3, 2, PixelFormat::Indexed8);
  indexed.Palette() = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  testsupport::WriteFile(dir / "indexed.bmp", {1, 2, 3});
  raster::SaveBmpFile(indexed, dir / "indexed.bmp");
  const auto file = testsupport::ReadFile(dir / "indexed.bmp");

  const std::size_t pixelOffset = 14 + 40 + 256 * 4;
  ASSERT_EQ(file.size(), pixelOffset + 2 * 4);
  EXPECT_EQ(Field(file, 0, 2), 0x4D42u);  // "BM"
  EXPECT_EQ(Field(file, 2), file.size());
  EXPECT_EQ(Field(file, 10), pixelOffset);
  EXPECT_EQ(Field(file, 14), 40u);
  EXPECT_EQ(Field(file, 26, 2), 1u);
  EXPECT_EQ(Field(file, 30), 0u);
  EXPECT_EQ(Field(file, 34), 2u * 4);
  EXPECT_EQ(Field(file, 46), 256u);
  EXPECT_EQ(file[pixelOffset], indexed.Row(1)[0]);
  EXPECT_EQ(file[pixelOffset + 3], 0);
  Bitmap expected = indexed;
  expected.Palette().resize(256);
  EXPECT_EQ(ReadBack(file), expected);
  EXPECT_FALSE(std::filesystem::exists(dir / "indexed.bmp.tmp"));

  const Bitmap colour = Pattern(5, 3, PixelFormat::Bgr24);
  raster::SaveBmpFile(colour, dir / "colour.bmp");
  const auto colourFile = testsupport::ReadFile(dir / "colour.bmp");
  EXPECT_EQ(colourFile.size(), 54u + 3 * 16);
  EXPECT_EQ(Field(colourFile, 28, 2), 24u);
  EXPECT_EQ(ReadBack(colourFile), colour);
}

TEST(BmpFile, WritesFourBitPixelsInPairsWithASixteenColourTable) {
  Bitmap bitmap(3, 2, PixelFormat::Indexed8);
  bitmap.Pixels() = {1, 2, 15,  //
                     0, 9, 4};
  bitmap.Palette() = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
  const auto file = raster::EncodeBmp(bitmap, raster::BmpDepth::Indexed4);

  const std::size_t pixelOffset = 14 + 40 + 16 * 4;
  ASSERT_EQ(file.size(), pixelOffset + 2 * 4);
  EXPECT_EQ(Field(file, 2), file.size());
  EXPECT_EQ(Field(file, 10), pixelOffset);
  EXPECT_EQ(Field(file, 28, 2), 4u);
  EXPECT_EQ(Field(file, 34), 2u * 4);
  EXPECT_EQ(Field(file, 46), 16u);
  const std::vector<std::uint8_t> table(file.begin() + 54, file.begin() + 54 + 16 * 4);
  EXPECT_EQ(std::vector<std::uint8_t>(table.begin(), table.begin() + 12),
            (std::vector<std::uint8_t>{30, 20, 10, 0, 60, 50, 40, 0, 90, 80, 70, 0}));
  EXPECT_EQ(std::count(table.begin() + 12, table.end(), 0), 13 * 4);
  // Bottom row first, the left pixel of each pair in the high half, odd widths padded with 0.
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + static_cast<long>(pixelOffset), file.end()),
            (std::vector<std::uint8_t>{0x09, 0x40, 0, 0, 0x12, 0xF0, 0, 0}));
}

TEST(BmpFile, RefusesFourBitsForBitmapsThatDoNotFit) {
  Bitmap manyColours(2, 1, PixelFormat::Indexed8);
  manyColours.Palette().resize(17);
  Bitmap highIndex(2, 1, PixelFormat::Indexed8);
  highIndex.Pixels() = {3, 16};
  for (const Bitmap& bitmap : {manyColours, highIndex, Pattern(2, 1, PixelFormat::Bgr24)})
    EXPECT_THROW(raster::EncodeBmp(bitmap, raster::BmpDepth::Indexed4), std::runtime_error);

  testsupport::TempDir dir;
  try {
    raster::SaveBmpFile(highIndex, dir / "wire.bmp", raster::BmpDepth::Indexed4);
    ADD_FAILURE() << "a colour index of 16 was written with 4 bits";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find((dir / "wire.bmp").string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "wire.bmp"));
}

TEST(BmpFile, FailedWriteNamesTheFile) {
  testsupport::TempDir dir;
  const Bitmap bitmap = Pattern(2, 2, PixelFormat::Bgr24);
  const auto missing = dir / "no-such-folder" / "x.bmp";
  try {
    raster::SaveBmpFile(bitmap, missing);
    ADD_FAILURE() << "writing into a missing folder succeeded";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos) << e.what();
  }

  // A folder in the target's place fails the final rename; nothing is left behind.
  std::filesystem::create_directories(dir / "folder.bmp" / "inside");
  EXPECT_THROW(raster::SaveBmpFile(bitmap, dir / "folder.bmp"), std::runtime_error);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
