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
constexpr std::size_t FourBitColours = 16;
// 72 dots per inch, the customary resolution of Windows bitmaps.
constexpr std::uint32_t PixelsPerMetre = 2835;

struct FileLayout {
  std::size_t bitsPerPixel;
  std::size_t tableColours;
};

FileLayout LayoutFor(const Bitmap& bitmap, BmpDepth depth) {
  const bool indexed = bitmap.Format() == PixelFormat::Indexed8;
  if (depth == BmpDepth::Natural) return indexed ? FileLayout{8, 256} : FileLayout{24, 0};
  if (!indexed) throw std::runtime_error("a 24-bit bitmap cannot be written with 4 bits per pixel");
  if (bitmap.Palette().size() > FourBitColours)
    throw std::runtime_error("a bitmap of " + std::to_string(bitmap.Palette().size()) +
                             " colours cannot be written with 4 bits per pixel");
  if (std::any_of(bitmap.Pixels().begin(), bitmap.Pixels().end(), [](std::uint8_t i) { return i >= FourBitColours; }))
    throw std::runtime_error("a bitmap with colour indexes above 15 cannot be written with 4 bits per pixel");
  return {4, FourBitColours};
}

// Two pixels a byte, the left one in the high half.
void PackNibbles(const std::uint8_t* in, std::size_t count, std::uint8_t* out) {
  for (std::size_t i = 0; i + 1 < count; i += 2) *out++ = static_cast<std::uint8_t>(in[i] << 4 | in[i + 1]);
  if (count % 2 != 0) *out = static_cast<std::uint8_t>(in[count - 1] << 4);
}

void Put16(std::uint8_t* p, std::uint32_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t value) {
  Put16(p, value);
  Put16(p + 2, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap, BmpDepth depth) {
  // Windows bitmaps of this kind carry no transparency.
  if (bitmap.Format() == PixelFormat::Bgra32) return EncodeBmp(bitmap.ToBgr24(), depth);
  const FileLayout layout = LayoutFor(bitmap, depth);
  const std::size_t width = static_cast<std::size_t>(bitmap.Width());
  const std::size_t rowBytes = (width * layout.bitsPerPixel + 7) / 8;
  const std::size_t paddedRow = (rowBytes + 3) & ~std::size_t{3};
  const std::size_t height = static_cast<std::size_t>(bitmap.Height());
  const std::size_t pixelOffset = FileHeaderBytes + InfoHeaderBytes + layout.tableColours * 4;
  const std::size_t imageBytes = paddedRow * height;
  if (imageBytes > std::numeric_limits<std::uint32_t>::max() - pixelOffset)
    throw std::runtime_error("a bitmap of " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) +
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
  Put16(info + 14, static_cast<std::uint32_t>(layout.bitsPerPixel));
  Put32(info + 20, static_cast<std::uint32_t>(imageBytes));
  Put32(info + 24, PixelsPerMetre);
  Put32(info + 28, PixelsPerMetre);
  Put32(info + 32, static_cast<std::uint32_t>(layout.tableColours));
  std::uint8_t* table = info + InfoHeaderBytes;
  const std::size_t colours = std::min(bitmap.Palette().size(), layout.tableColours);
  for (std::size_t i = 0; i < colours; ++i, table += 4) {
    const PaletteEntry& c = bitmap.Palette()[i];
    table[0] = c.Blue;
    table[1] = c.Green;
    table[2] = c.Red;
  }

  std::uint8_t* row = p + pixelOffset;
  for (int y = bitmap.Height() - 1; y >= 0; --y, row += paddedRow) {
    if (layout.bitsPerPixel == 4)
      PackNibbles(bitmap.Row(y), width, row);
    else if (rowBytes > 0)
      std::memcpy(row, bitmap.Row(y), rowBytes);
  }
  return file;
}

void SaveBmpFile(const Bitmap& bitmap, const std::filesystem::path& path, BmpDepth depth) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = EncodeBmp(bitmap, depth);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error("Cannot write file \"" + path.string() + "\": " + e.what());
  }
  platform::WriteFileAtomically(path, bytes);
}

}  // namespace raster
