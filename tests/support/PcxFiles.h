#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// The header fields of a PCX file that tests vary.
struct PcxLayout {
  int bits = 8;
  int planes = 1;
  int encoding = 1;
  int xMin = 0;
  int yMin = 0;
  int xMax = 0;
  int yMax = 0;
  int bytesPerLine = 0;
};

// A PCX file: the 128-byte header, the encoded data as given, and with
// `withPalette` the 0x0C marker and a 256-colour palette.
std::vector<std::uint8_t> Pcx(const PcxLayout& layout, const std::vector<std::uint8_t>& data, bool withPalette);

}  // namespace testsupport
