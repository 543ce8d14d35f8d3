#include <gtest/gtest.h>

#include "raster/BitmapChange.h"

namespace {

raster::Bitmap Grey(int width, int height, std::uint8_t value) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), value);
  return bitmap;
}

}  // namespace

TEST(BitmapChangeTest, KeepsTheRectangleThatDiffersAndGoesBothWays) {
  const raster::Bitmap before = Grey(10, 8, 5);
  raster::Bitmap after = before;
  after.Row(2)[3 * 3 + 1] = 200;
  after.Row(5)[7 * 3] = 9;
  const raster::BitmapChange change = raster::BitmapChange::Between(before, after);
  EXPECT_EQ(change.Area(), (raster::PixelArea{3, 2, 8, 6}));
  raster::Bitmap bitmap = before;
  change.Redo(bitmap);
  EXPECT_EQ(bitmap, after);
  change.Undo(bitmap);
  EXPECT_EQ(bitmap, before);

  EXPECT_TRUE(raster::BitmapChange::Between(before, before).Area().IsEmpty());
  raster::Bitmap other = Grey(4, 4, 1);
  change.Redo(other);  // of another size since: left alone
  EXPECT_EQ(other, Grey(4, 4, 1));
}

TEST(BitmapChangeTest, ANewSizeOrFormatKeepsBothWhole) {
  const raster::Bitmap small = Grey(2, 2, 7);
  raster::Bitmap indexed(3, 1, raster::PixelFormat::Indexed8);
  indexed.Palette() = {{1, 2, 3, 0}};
  const raster::BitmapChange change = raster::BitmapChange::Between(small, indexed);
  raster::Bitmap bitmap = small;
  change.Redo(bitmap);
  EXPECT_EQ(bitmap, indexed);
  change.Undo(bitmap);
  EXPECT_EQ(bitmap, small);
  raster::Bitmap none;
  raster::BitmapChange::Between(none, small).Redo(none);
  EXPECT_EQ(none, small);
}
