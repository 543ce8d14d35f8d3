#include "compile/Crc32.h"

#include <array>

namespace compile {

namespace {

constexpr std::uint32_t kPolynomial = 0x04C11DB7u;

// tables[k][b]: the register after byte b followed by k zero bytes, so eight
// bytes are folded with eight look-ups instead of eight dependent steps.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ kPolynomial : crc << 1;
    tables[0][i] = crc;
  }
  for (std::size_t k = 1; k < tables.size(); ++k)
    for (std::size_t i = 0; i < 256; ++i)
      tables[k][i] = (tables[k - 1][i] << 8) ^ tables[0][tables[k - 1][i] >> 24];
  return tables;
}

constexpr Tables kTables = MakeTables();

std::uint32_t BigEndianWord(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
         std::uint32_t{bytes[3]};
}

}  // namespace

std::uint32_t UpdateCrc32(const std::uint8_t* bytes, std::size_t count, std::uint32_t previous) {
  const auto& t = kTables;
  std::uint32_t crc = ~previous;
  for (; count >= 8; bytes += 8, count -= 8) {
    const std::uint32_t high = crc ^ BigEndianWord(bytes);
    const std::uint32_t low = BigEndianWord(bytes + 4);
    crc = t[7][high >> 24] ^ t[6][(high >> 16) & 0xFF] ^ t[5][(high >> 8) & 0xFF] ^ t[4][high & 0xFF] ^
          t[3][low >> 24] ^ t[2][(low >> 16) & 0xFF] ^ t[1][(low >> 8) & 0xFF] ^ t[0][low & 0xFF];
  }
  for (; count > 0; ++bytes, --count) crc = t[0][*bytes ^ (crc >> 24)] ^ (crc << 8);
  return ~crc;
}

}  // namespace compile
