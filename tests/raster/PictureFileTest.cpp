#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "raster/BmpFile.h"
#include "raster/PictureFile.h"
#include "support/TestFiles.h"

namespace {

using raster::Bitmap;
using raster::PaletteEntry;
using raster::PixelFormat;

const std::vector<PaletteEntry> Colours{{200, 10, 10, 0}, {10, 200, 10, 0}, {10, 10, 200, 0}, {250, 250, 0, 0}};

Bitmap IndexedPattern(int width, int height, int colours) {
  Bitmap bitmap(width, height, PixelFormat::Indexed8);
  for (std::size_t i = 0; i < bitmap.Pixels().size(); ++i)
    bitmap.Pixels()[i] = static_cast<std::uint8_t>((i * 3 + i / 5) % static_cast<std::size_t>(colours));
  bitmap.Palette().assign(Colours.begin(), Colours.begin() + colours);
  return bitmap;
}

QImage ToQImage(const Bitmap& bitmap, QImage::Format format) {
  QImage image(bitmap.Width(), bitmap.Height(), format);
  QList<QRgb> table;
  for (const PaletteEntry& c : bitmap.Palette()) table.push_back(qRgb(c.Red, c.Green, c.Blue));
  image.setColorTable(table);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) image.setPixel(x, y, bitmap.Row(y)[x]);
  return image;
}

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

TEST(LoadPicture, PalettedPicturesStayIndexedWithTheirPalette) {
  testsupport::TempDir dir;
  const Bitmap fourColours = IndexedPattern(7, 5, 4);
  const Bitmap twoColours = IndexedPattern(9, 3, 2);
  ASSERT_TRUE(ToQImage(fourColours, QImage::Format_Indexed8).save(Q(dir / "eight.png")));
  ASSERT_TRUE(ToQImage(fourColours, QImage::Format_Indexed8).save(Q(dir / "eight.bmp")));
  ASSERT_TRUE(ToQImage(twoColours, QImage::Format_Mono).save(Q(dir / "one.bmp")));
  ASSERT_TRUE(ToQImage(twoColours, QImage::Format_MonoLSB).save(Q(dir / "one.png")));

  EXPECT_EQ(raster::LoadPicture(dir / "eight.png"), fourColours);
  EXPECT_EQ(raster::LoadPicture(dir / "one.png"), twoColours);
  // Qt's bitmap writer may swap a two-colour table; the colours stay.
  const Bitmap one = raster::LoadPicture(dir / "one.bmp");
  EXPECT_EQ(one.Palette().size(), 2u);
  EXPECT_EQ(one.ToBgr24(), twoColours.ToBgr24());
  // Qt's bitmap writer fills the table up to 256 colours.
  const Bitmap eight = raster::LoadPicture(dir / "eight.bmp");
  EXPECT_EQ(eight.Pixels(), fourColours.Pixels());
  ASSERT_GE(eight.Palette().size(), 4u);
  EXPECT_TRUE(std::equal(Colours.begin(), Colours.end(), eight.Palette().begin()));

  raster::SaveBmpFile(fourColours, dir / "four.bmp", raster::BmpDepth::Indexed4);
  Bitmap expected = fourColours;
  expected.Palette().resize(16);
  EXPECT_EQ(raster::LoadPicture(dir / "four.bmp"), expected);
}

TEST(LoadPicture, TrueColourPicturesKeepTheirAlpha) {
  testsupport::TempDir dir;
  QImage image(3, 2, QImage::Format_ARGB32);
  const QRgb pixels[6] = {qRgba(255, 0, 0, 255),   qRgba(0, 255, 0, 255),  qRgba(0, 0, 255, 255),
                          qRgba(12, 34, 56, 255), qRgba(90, 80, 70, 128), qRgba(255, 128, 64, 0)};
  for (int i = 0; i < 6; ++i) image.setPixel(i % 3, i / 3, pixels[i]);
  Bitmap expected(3, 2, PixelFormat::Bgr24);
  expected.Pixels() = {0, 0, 255, 0, 255, 0, 255, 0, 0, 56, 34, 12, 70, 80, 90, 64, 128, 255};
  ASSERT_TRUE(image.save(Q(dir / "alpha.png")));
  ASSERT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(Q(dir / "colour.bmp")));
  const Bitmap alpha = raster::LoadPicture(dir / "alpha.png");
  ASSERT_EQ(alpha.Format(), PixelFormat::Bgra32);
  EXPECT_EQ(alpha.ToBgr24(), expected);
  EXPECT_EQ(alpha.Row(1)[3 * 4 - 1], 0);
  EXPECT_EQ(alpha.Row(1)[2 * 4 - 1], 128);
  EXPECT_EQ(raster::LoadPicture(dir / "colour.bmp"), expected);
  raster::SavePicture(alpha, dir / "again.png");
  EXPECT_EQ(raster::LoadPicture(dir / "again.png"), alpha);

  QImage flat(16, 8, QImage::Format_RGB32);
  flat.fill(qRgb(40, 120, 200));
  ASSERT_TRUE(flat.save(Q(dir / "flat.jpg"), "jpeg", 100));
  const Bitmap jpeg = raster::LoadPicture(dir / "flat.jpg");
  ASSERT_EQ(jpeg.Pixels().size(), 16u * 8 * 3);
  const int bgr[3] = {200, 120, 40};
  for (std::size_t i = 0; i < jpeg.Pixels().size(); ++i)
    ASSERT_LE(std::abs(jpeg.Pixels()[i] - bgr[i % 3]), 3) << "byte " << i;
}

TEST(LoadPicture, SavedPngsReadBackAsTheyWere) {
  testsupport::TempDir dir;
  Bitmap colour(4, 3, PixelFormat::Bgr24);
  for (std::size_t i = 0; i < colour.Pixels().size(); ++i) colour.Pixels()[i] = static_cast<std::uint8_t>(i * 21);
  raster::SavePicture(colour, dir / "colour.png");
  EXPECT_EQ(raster::LoadPicture(dir / "colour.png"), colour);

  const Bitmap indexed = IndexedPattern(5, 2, 3);
  raster::SavePicture(indexed, dir / "indexed.png");
  const Bitmap read = raster::LoadPicture(dir / "indexed.png");
  EXPECT_EQ(read.Pixels(), indexed.Pixels());
  EXPECT_TRUE(std::equal(indexed.Palette().begin(), indexed.Palette().end(), read.Palette().begin()));
}

TEST(LoadPicture, FailuresNameTheFileAndTheReason) {
  testsupport::TempDir dir;
  const auto missing = dir / "missing.png";
  const auto text = dir / "notes.txt";
  testsupport::WriteFile(text, {'h', 'e', 'l', 'l', 'o'});
  for (const auto& [file, reason] : {std::pair{missing, "File not found"}, {text, "Unsupported image format"}}) {
    try {
      raster::LoadPicture(file);
      ADD_FAILURE() << file << " was read";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), "Cannot read picture \"" + file.string() + "\": " + reason);
    }
  }
  EXPECT_THROW(raster::DecodePicture(std::vector<std::uint8_t>(10, 0x42), "bmp", "ten bytes"), std::runtime_error);
}

TEST(PictureFormats, ListEveryReadableFormatIncludingPcx) {
  const std::vector<std::string> extensions = raster::ReadablePictureExtensions();
  for (const char* expected : {"bmp", "jpg", "pcx", "png", "tga"})
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), expected), extensions.end()) << expected;
  EXPECT_TRUE(std::is_sorted(extensions.begin(), extensions.end()));

  const std::string filter = raster::PictureFileFilter();
  EXPECT_EQ(filter.rfind("Pictures (*." + extensions.front() + " *.", 0), 0u) << filter;
  EXPECT_NE(filter.find(" *.pcx "), std::string::npos) << filter;
  EXPECT_EQ(filter.back(), ')');
}

}  // namespace
