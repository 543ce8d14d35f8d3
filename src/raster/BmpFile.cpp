#include "raster/BmpFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "platform/AtomicFile.h"

namespace raster {

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::size_t InfoHeaderBytes = 40;
constexpr std::size_t IndexedColours = 256;
// 72 dots per inch, the customary resolution of Windows bitmaps.
constexpr std::uint32_t PixelsPerMetre = 2835;

void Put16(std::uint8_t* p, std::uint32_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t value) {
  Put16(p, value);
  Put16(p + 2, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap) {
  const bool indexed = bitmap.Format() == PixelFormat::Indexed8;
  const std::size_t rowBytes = bitmap.RowBytes();
  const std::size_t paddedRow = (rowBytes + 3) & ~std::size_t{3};
  const std::size_t height = static_cast<std::size_t>(bitmap.Height());
  const std::size_t pixelOffset = FileHeaderBytes + InfoHeaderBytes + (indexed ? IndexedColours * 4 : 0);
  const std::size_t imageBytes = paddedRow * height;
  if (imageBytes > std::numeric_limits<std::uint32_t>::max() - pixelOffset)
    throw std::length_error("Bitmap of " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) +
                            " pixels is too large for a bitmap file");

  std::vector<std::uint8_t> file(pixelOffset + imageBytes, 0);
  std::uint8_t* p = file.data();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<std::uint32_t>(file.size()));
  Put32(p + 10, static_cast<std::uint32_t>(pixelOffset));

  std::uint8_t* info = p + FileHeaderBytes;
  Put32(info, InfoHeaderBytes);
  Put32(info + 4, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(info + 8, static_cast<std::uint32_t>(bitmap.Height()));
  Put16(info + 12, 1);
  Put16(info + 14, indexed ? 8 : 24);
  Put32(info + 20, static_cast<std::uint32_t>(imageBytes));
  Put32(info + 24, PixelsPerMetre);
  Put32(info + 28, PixelsPerMetre);
  if (indexed) {
    Put32(info + 32, IndexedColours);
    std::uint8_t* table = info + InfoHeaderBytes;
    const std::size_t colours = std::min(bitmap.Palette().size(), IndexedColours);
    for (std::size_t i = 0; i < colours; ++i, table += 4) {
      const PaletteEntry& c = bitmap.Palette()[i];
      table[0] = c.Blue;
      table[1] = c.Green;
      table[2] = c.Red;
    }
  }

  std::uint8_t* row = p + pixelOffset;
  for (int y = bitmap.Height() - 1; y >= 0; --y, row += paddedRow)
    if (rowBytes > 0) std::memcpy(row, bitmap.Row(y), rowBytes);
  return file;
}

void SaveBmpFile(const Bitmap& bitmap, const std::filesystem::path& path) {
  platform::WriteFileAtomically(path, EncodeBmp(bitmap));
}

}  // namespace raster
