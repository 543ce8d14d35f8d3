#include "unrealpkg/TextureDecoding.h"

#include <algorithm>
#include <array>

#include "unrealpkg/ByteReader.h"

namespace unrealpkg {

namespace {

constexpr int BlockSide = 4;
constexpr int ColourBlockBytes = 8;

struct Rgb {
  int R = 0;
  int G = 0;
  int B = 0;
};

// The top bits repeat in the new low ones, as graphics hardware and the encoders expand them: 31 is 255, not 248.
int Expand5(int v) { return (v << 3) | (v >> 2); }
int Expand6(int v) { return (v << 2) | (v >> 4); }
Rgb Expand565(std::uint16_t c) { return {Expand5((c >> 11) & 0x1F), Expand6((c >> 5) & 0x3F), Expand5(c & 0x1F)}; }

Rgb Mix(const Rgb& a, int wa, const Rgb& b, int wb) {
  const int total = wa + wb;
  return {(wa * a.R + wb * b.R) / total, (wa * a.G + wb * b.G) / total, (wa * a.B + wb * b.B) / total};
}

std::array<Rgb, 4> BlockColours(const std::uint8_t* block, bool alwaysFourColours) {
  const std::uint16_t c0 = LoadWord(block);
  const std::uint16_t c1 = LoadWord(block + 2);
  const Rgb first = Expand565(c0);
  const Rgb second = Expand565(c1);
  if (alwaysFourColours || c0 > c1) return {first, second, Mix(first, 2, second, 1), Mix(first, 1, second, 2)};
  return {first, second, Mix(first, 1, second, 1), Rgb{}};
}

}  // namespace

std::int64_t BlockDataBytes(std::int64_t width, std::int64_t height, int blockBytes) {
  return std::max<std::int64_t>(width / BlockSide, 1) * std::max<std::int64_t>(height / BlockSide, 1) * blockBytes;
}

void DecodeColourBlocks(const std::uint8_t* data, int blockBytes, raster::Bitmap& bitmap) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const int blockColumns = std::max(width / BlockSide, 1);
  const int blockRows = std::max(height / BlockSide, 1);
  const bool alwaysFourColours = blockBytes > ColourBlockBytes;
  const std::uint8_t* block = data + (blockBytes - ColourBlockBytes);
  for (int by = 0; by < blockRows; ++by) {
    for (int bx = 0; bx < blockColumns; ++bx, block += blockBytes) {
      const std::array<Rgb, 4> colours = BlockColours(block, alwaysFourColours);
      const int x0 = bx * BlockSide;
      const int columns = std::min(BlockSide, width - x0);
      for (int row = 0; row < BlockSide && by * BlockSide + row < height; ++row) {
        const std::uint8_t indexes = block[4 + row];
        std::uint8_t* out = bitmap.Row(by * BlockSide + row) + static_cast<std::size_t>(x0) * 3;
        for (int column = 0; column < columns; ++column, out += 3) {
          const Rgb& c = colours[(indexes >> (2 * column)) & 3];
          out[0] = static_cast<std::uint8_t>(c.B);
          out[1] = static_cast<std::uint8_t>(c.G);
          out[2] = static_cast<std::uint8_t>(c.R);
        }
      }
    }
  }
}

}  // namespace unrealpkg
