#include <gtest/gtest.h>

#include "raster/PictureFile.h"
#include "support/TestFiles.h"

namespace {

// Long runs, bytes that look like run markers, and an odd width that pads each scan line.
raster::Bitmap Pattern(raster::PixelFormat format) {
  raster::Bitmap bitmap(131, 7, format);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (std::size_t i = 0; i < bitmap.RowBytes(); ++i)
      bitmap.Row(y)[i] = static_cast<std::uint8_t>(i < 90 ? 0xC7 : (i * 37 + static_cast<std::size_t>(y) * 11));
  return bitmap;
}

}  // namespace

TEST(PcxWriterTest, PicturesReadBackAsWrittenWithTheirPalette) {
  testsupport::TempDir dir;
  const raster::Bitmap colours = Pattern(raster::PixelFormat::Bgr24);
  raster::SavePicture(colours, dir / "colours.pcx");
  EXPECT_EQ(raster::LoadPicture(dir / "colours.pcx"), colours);

  raster::Bitmap indexed = Pattern(raster::PixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i)
    indexed.Palette().push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0});
  raster::SavePicture(indexed, dir / "indexed.pcx");
  const raster::Bitmap read = raster::LoadPicture(dir / "indexed.pcx");
  EXPECT_EQ(read.Format(), raster::PixelFormat::Indexed8);
  EXPECT_EQ(read.Pixels(), indexed.Pixels());
  EXPECT_EQ(read.Palette(), indexed.Palette());
  // Runs shorten the file: 90 equal bytes of each line take a few bytes each.
  EXPECT_LT(testsupport::ReadFile(dir / "indexed.pcx").size(), 128u + 7u * 132u + 769u);
}
