#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "raster/PictureFile.h"
#include "support/PcxFiles.h"
#include "support/TestFiles.h"

namespace {

using raster::Bitmap;
using raster::PixelFormat;
using Bytes = std::vector<std::uint8_t>;

using testsupport::Pcx;
using testsupport::PcxLayout;

// 3x2 pixels at (10, 20), lines padded to 4 bytes; the run "C2 00" carries
// the first line's padding into the second line's first pixel, and 200
// needs a run of one because its top bits are set.
const PcxLayout PalettedLayout{.xMin = 10, .yMin = 20, .xMax = 12, .yMax = 21, .bytesPerLine = 4};
const Bytes PalettedData{0xC2, 5, 0xC1, 200, 0xC2, 0, 0xC2, 9, 0};

// 2x2 pixels, each line a red, a green and a blue plane of 3 bytes.
const PcxLayout ColourLayout{.planes = 3, .xMax = 1, .yMax = 1, .bytesPerLine = 3};
const Bytes ColourData{0xC1, 255, 1, 0, 2, 3, 0, 4, 5, 0,  //
                       0xC2, 6, 0, 7, 8, 0, 9, 10, 0};

Bitmap ExpectedPaletted() {
  Bitmap bitmap(3, 2, PixelFormat::Indexed8);
  bitmap.Pixels() = {5, 5, 200, 0, 9, 9};
  for (int i = 0; i < 256; ++i)
    bitmap.Palette().push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                static_cast<std::uint8_t>(i / 2), 0});
  return bitmap;
}

Bitmap ExpectedColour() {
  Bitmap bitmap(2, 2, PixelFormat::Bgr24);
  bitmap.Pixels() = {4, 2, 255, 5, 3, 1,  //
                     9, 7, 6, 10, 8, 6};
  return bitmap;
}

TEST(PcxReader, DecodesPalettedAndColourPicturesExactly) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "paletted.pcx", Pcx(PalettedLayout, PalettedData, true));
  testsupport::WriteFile(dir / "colour.PCX", Pcx(ColourLayout, ColourData, false));

  EXPECT_EQ(raster::LoadPicture(dir / "paletted.pcx"), ExpectedPaletted());
  EXPECT_EQ(raster::LoadPicture(dir / "colour.PCX"), ExpectedColour());
  testsupport::WriteFile(dir / "misnamed.bmp", Pcx(ColourLayout, ColourData, false));
  EXPECT_EQ(raster::LoadPicture(dir / "misnamed.bmp"), ExpectedColour());
}

TEST(PcxReader, IsOneOfQtsImageReaders) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "skin.pcx", Pcx(PalettedLayout, PalettedData, true));
  QImageReader fromFile(QString::fromStdString((dir / "skin.pcx").string()));
  EXPECT_EQ(fromFile.size(), QSize(3, 2));
  const QImage image = fromFile.read();
  ASSERT_EQ(image.format(), QImage::Format_Indexed8) << fromFile.errorString().toStdString();
  EXPECT_EQ(image.pixelIndex(2, 0), 200);
  EXPECT_EQ(image.pixel(2, 0), qRgb(200, 55, 100));

  // Recognised by its contents alone.
  const Bytes colour = Pcx(ColourLayout, ColourData, false);
  QByteArray bytes(reinterpret_cast<const char*>(colour.data()), static_cast<qsizetype>(colour.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader fromBuffer(&buffer);
  EXPECT_EQ(fromBuffer.format(), "pcx");
  EXPECT_EQ(fromBuffer.read().pixel(0, 0), qRgb(255, 2, 4));
  EXPECT_EQ(raster::DecodePicture(colour, "", "colour"), ExpectedColour());
  EXPECT_THROW(raster::DecodePicture(colour, "bmp", "colour"), std::runtime_error);
}

TEST(PcxReader, DamagedFilesFailCleanly) {
  const Bytes paletted = Pcx(PalettedLayout, PalettedData, true);
  const Bytes colour = Pcx(ColourLayout, ColourData, false);
  auto withHeaderByte = [&](std::size_t at, std::uint8_t value) {
    Bytes file = colour;
    file[at] = value;
    return file;
  };
  const std::string unreadable = "Unable to read image data";
  struct Case {
    std::string what;
    Bytes bytes;
    std::string reason;
  };
  const std::vector<Case> damaged{
      {"palette cut off", Bytes(paletted.begin(), paletted.end() - 1), unreadable},
      {"data cut off", Bytes(colour.begin(), colour.end() - 1), unreadable},
      {"header cut off", Bytes(colour.begin(), colour.begin() + 100), unreadable},
      {"run count without its value", Pcx(ColourLayout, {0xC1, 255, 1, 0, 2, 3, 0, 4, 5, 0, 0xC5}, false), unreadable},
      {"run beyond the last pixel", Pcx({.xMax = 1, .bytesPerLine = 2}, {0xC3, 7}, true), unreadable},
      {"more pixels than the data holds", Pcx({.xMax = 999, .yMax = 999, .bytesPerLine = 1000}, Bytes(64, 0xFF), true),
       unreadable},
      {"65535x65535 pixels", Pcx({.xMax = 65534, .yMax = 65534, .bytesPerLine = 65535}, {0xFF}, true),
       "its size of 65535x65535 pixels exceeds the image readers' allocation limit of " +
           std::to_string(QImageReader::allocationLimit()) + " MB"},
      {"lines shorter than the width", Pcx({.xMax = 3, .bytesPerLine = 2}, {0xC4, 1}, true), unreadable},
      {"window ends before it starts", Pcx({.xMin = 2, .xMax = 1, .bytesPerLine = 2}, {0xC2, 1}, true), unreadable},
      {"four bits in one plane", Pcx({.bits = 4, .xMax = 1, .bytesPerLine = 2}, {0xC2, 1}, true), unreadable},
      {"uncompressed", withHeaderByte(2, 0), "Unsupported image format"},
      {"other manufacturer", withHeaderByte(0, 0x0B), "Unsupported image format"},
  };
  testsupport::TempDir dir;
  for (const auto& [what, bytes, reason] : damaged) {
    const auto file = dir / (what + ".pcx");
    testsupport::WriteFile(file, bytes);
    try {
      raster::LoadPicture(file);
      ADD_FAILURE() << what << ": read without error";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), "Cannot read picture \"" + file.string() + "\": " + reason) << what;
    }
  }

  for (std::size_t size = 0; size < colour.size(); ++size)
    EXPECT_THROW(raster::DecodePicture(Bytes(colour.begin(), colour.begin() + static_cast<long>(size)), "pcx", "cut"),
                 std::runtime_error)
        << size << " bytes";
}

}  // namespace
