#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compile/Crc32.h"

using compile::UpdateCrc32;

namespace {

// The register shifted one bit at a time, with no tables to get wrong.
std::uint32_t BitwiseCrc32(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = begin; i < end; ++i) {
    crc ^= std::uint32_t{bytes[i]} << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
  }
  return ~crc;
}

std::vector<std::uint8_t> RandomBytes(std::size_t count) {
  std::mt19937 random(1999);
  std::vector<std::uint8_t> bytes(count);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

}  // namespace

TEST(Crc32Test, GivesTheCheckValueAndZeroForNothing) {
  const std::string digits = "123456789";
  EXPECT_EQ(UpdateCrc32(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size(), 0), 0xFC891918u);
  EXPECT_EQ(UpdateCrc32(nullptr, 0, 0), 0u);
  EXPECT_EQ(UpdateCrc32(nullptr, 0, 0x12345678u), 0x12345678u);
}

TEST(Crc32Test, MatchesTheBitwiseDefinitionAtEveryLengthAndAlignment) {
  const auto bytes = RandomBytes(80);
  for (std::size_t begin = 0; begin < 8; ++begin)
    for (std::size_t end = begin; end <= bytes.size(); ++end)
      ASSERT_EQ(UpdateCrc32(bytes.data() + begin, end - begin, 0), BitwiseCrc32(bytes, begin, end))
          << begin << ".." << end;
}

TEST(Crc32Test, ChainedBlocksGiveTheCrcOfTheWhole) {
  const auto bytes = RandomBytes(100000);
  const std::uint32_t whole = UpdateCrc32(bytes);
  EXPECT_EQ(whole, BitwiseCrc32(bytes, 0, bytes.size()));
  for (std::size_t block : {1u, 3u, 16384u, 65537u}) {
    std::uint32_t crc = 0;
    for (std::size_t at = 0; at < bytes.size(); at += block)
      crc = UpdateCrc32(bytes.data() + at, std::min(block, bytes.size() - at), crc);
    EXPECT_EQ(crc, whole) << "blocks of " << block;
  }
}
