#include <gtest/gtest.h>

#include <limits>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/ByteWriter.h"

using namespace unrealpkg;

namespace {

std::int32_t DecodeIndex(std::vector<std::uint8_t> bytes, std::size_t expectedLength) {
  ByteReader in(bytes);
  const std::int32_t value = in.ReadIndex();
  EXPECT_EQ(in.Position(), expectedLength);
  return value;
}

std::vector<std::uint8_t> EncodeIndex(std::int32_t value) {
  ByteWriter out;
  out.WriteIndex(value);
  return out.Bytes();
}

}  // namespace

TEST(ByteReaderTest, CompactIndexWorkedValues) {
  const std::vector<std::pair<std::int32_t, std::vector<std::uint8_t>>> cases = {
      {0, {0x00}},
      {1, {0x01}},
      {63, {0x3F}},
      {64, {0x40, 0x01}},
      {-1, {0x81}},
      {-64, {0xC0, 0x01}},
      {8191, {0x7F, 0x7F}},
      {8192, {0x40, 0x80, 0x01}},
      {1048576, {0x40, 0x80, 0x80, 0x01}},
      {134217728, {0x40, 0x80, 0x80, 0x80, 0x01}},
      {2147483647, {0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
  };
  for (const auto& [value, bytes] : cases) {
    EXPECT_EQ(DecodeIndex(bytes, bytes.size()), value) << value;
    EXPECT_EQ(EncodeIndex(value), bytes) << value;
  }
  EXPECT_EQ(DecodeIndex({0x80}, 1), 0);
  // Bits past bit 31 of the fifth byte are lost, never undefined behaviour.
  EXPECT_EQ(DecodeIndex({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 5), 1);
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(DecodeIndex(EncodeIndex(lowest), 5), lowest);
}

TEST(ByteReaderTest, NameTextsByVersion) {
  const std::vector<std::uint8_t> zero = {'C', 'o', 'r', 'e', 0, 'X'};
  ByteReader old(zero);
  EXPECT_EQ(old.ReadNameText(63), "Core");
  EXPECT_EQ(old.Position(), 5u);

  const std::vector<std::uint8_t> sized = {5, 'C', 'o', 'r', 'e', 0, 'X'};
  ByteReader current(sized);
  EXPECT_EQ(current.ReadNameText(64), "Core");
  EXPECT_EQ(current.Position(), 6u);

  const std::vector<std::uint8_t> empty = {0, 'X'};
  ByteReader none(empty);
  EXPECT_EQ(none.ReadSizedText(), "");
  EXPECT_EQ(none.Position(), 1u);

  const std::vector<std::uint8_t> unterminated = {'a', 'b'};
  ByteReader open(unterminated);
  EXPECT_THROW(open.ReadZeroText(), ReadError);
  const std::vector<std::uint8_t> negative = {0x81, 'a'};
  ByteReader bad(negative);
  EXPECT_THROW(bad.ReadSizedText(), ReadError);
}

TEST(ByteReaderTest, ReadsNeverPassTheEnd) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  ByteReader in(bytes);
  EXPECT_THROW(in.ReadInt32(), ReadError);
  EXPECT_EQ(in.Position(), 0u);
  EXPECT_EQ(in.ReadWord(), 0x0201);
  EXPECT_THROW(in.Take(2), ReadError);
  EXPECT_THROW(in.Seek(4), ReadError);
  EXPECT_THROW(in.Seek(-1), ReadError);
  in.Seek(3);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_THROW(in.ReadByte(), ReadError);
}

TEST(ByteReaderTest, CountsMustFitTheRemainingData) {
  ByteWriter out;
  out.WriteIndex(3);
  out.WriteBytes("abcdefghijkl", 12);
  ByteReader fits(out.Bytes());
  EXPECT_EQ(fits.ReadCount(4), 3);

  ByteReader tooMany(out.Bytes());
  EXPECT_THROW(tooMany.ReadCount(5), ReadError);

  ByteWriter huge;
  huge.WriteIndex(std::numeric_limits<std::int32_t>::max());
  ByteReader hostile(huge.Bytes());
  EXPECT_THROW(hostile.ReadCount(1), ReadError);

  ByteWriter negative;
  negative.WriteIndex(-2);
  ByteReader below(negative.Bytes());
  EXPECT_THROW(below.ReadCount(1), ReadError);
}

TEST(ByteReaderTest, Int64TakesTheFirstHalfAsHigh) {
  ByteWriter out;
  out.WriteInt32(1);
  out.WriteInt32(2);
  ByteReader in(out.Bytes());
  EXPECT_EQ(in.ReadInt64(), (std::int64_t{1} << 32) | 2);
}
