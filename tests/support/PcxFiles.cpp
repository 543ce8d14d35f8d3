#include "support/PcxFiles.h"

namespace testsupport {

namespace {

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

std::vector<std::uint8_t> Pcx(const PcxLayout& layout, const std::vector<std::uint8_t>& data, bool withPalette) {
  std::vector<std::uint8_t> file(128, 0);
  file[0] = 0x0A;
  file[1] = 5;
  file[2] = static_cast<std::uint8_t>(layout.encoding);
  file[3] = static_cast<std::uint8_t>(layout.bits);
  Put16(file, 4, layout.xMin);
  Put16(file, 6, layout.yMin);
  Put16(file, 8, layout.xMax);
  Put16(file, 10, layout.yMax);
  file[65] = static_cast<std::uint8_t>(layout.planes);
  Put16(file, 66, layout.bytesPerLine);
  file.insert(file.end(), data.begin(), data.end());
  if (withPalette) {
    file.push_back(0x0C);
    for (int i = 0; i < 256; ++i)
      file.insert(file.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i / 2)});
  }
  return file;
}

}  // namespace testsupport
