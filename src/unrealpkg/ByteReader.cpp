#include "unrealpkg/ByteReader.h"

#include <bit>
#include <cstring>

#include "platform/TextEncoding.h"

namespace unrealpkg {

float LoadFloat(const std::uint8_t* p) { return std::bit_cast<float>(LoadUInt32(p)); }

void ByteReader::FailShort(std::size_t needed) const {
  throw ReadError("Read past the end of the data: " + std::to_string(needed) +
                  " bytes needed at offset " + std::to_string(pos_) + " of " +
                  std::to_string(size_));
}

void ByteReader::Seek(std::int64_t position) {
  if (position < 0 || static_cast<std::uint64_t>(position) > size_)
    throw ReadError("Seek to offset " + std::to_string(position) + " outside the data of " +
                    std::to_string(size_) + " bytes");
  pos_ = static_cast<std::size_t>(position);
}

void ByteReader::Skip(std::size_t count) { Take(count); }

const std::uint8_t* ByteReader::Take(std::size_t count) {
  if (count > Remaining()) FailShort(count);
  const std::uint8_t* p = data_ + pos_;
  pos_ += count;
  return p;
}

void ByteReader::ReadBytes(void* dest, std::size_t count) {
  if (count > 0) std::memcpy(dest, Take(count), count);
}

std::uint16_t ByteReader::ReadWord() { return LoadWord(Take(2)); }

std::int32_t ByteReader::ReadInt32() { return static_cast<std::int32_t>(LoadUInt32(Take(4))); }

float ByteReader::ReadFloat() { return LoadFloat(Take(4)); }

std::int64_t ByteReader::ReadInt64() {
  const std::uint32_t high = ReadUInt32();
  const std::uint32_t low = ReadUInt32();
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

TUTGuid ByteReader::ReadGuid() {
  TUTGuid guid;
  ReadBytes(guid.data(), guid.size());
  return guid;
}

std::int32_t ByteReader::ReadIndex() {
  const std::uint8_t b0 = ReadByte();
  std::uint32_t magnitude = b0 & 0x3Fu;
  if (b0 & 0x40) {
    const std::uint8_t b1 = ReadByte();
    magnitude |= static_cast<std::uint32_t>(b1 & 0x7F) << 6;
    if (b1 & 0x80) {
      const std::uint8_t b2 = ReadByte();
      magnitude |= static_cast<std::uint32_t>(b2 & 0x7F) << 13;
      if (b2 & 0x80) {
        const std::uint8_t b3 = ReadByte();
        magnitude |= static_cast<std::uint32_t>(b3 & 0x7F) << 20;
        if (b3 & 0x80) magnitude |= static_cast<std::uint32_t>(ReadByte()) << 27;
      }
    }
  }
  // Two's complement negation on the unsigned value keeps 0x80000000 well defined.
  if (b0 & 0x80) magnitude = 0u - magnitude;
  return static_cast<std::int32_t>(magnitude);
}

std::string ByteReader::ReadSizedText() {
  const std::int32_t length = ReadIndex();
  if (length < 0) return ReadWideText(-std::int64_t{length});
  if (length == 0) return {};
  const auto* p = reinterpret_cast<const char*>(Take(static_cast<std::size_t>(length)));
  return std::string(p, static_cast<std::size_t>(length) - 1);
}

std::string ByteReader::ReadWideText(std::int64_t units) {
  if (units < 0 || static_cast<std::uint64_t>(units) > Remaining() / 2)
    throw ReadError("A text of " + std::to_string(units) + " UTF-16 characters at offset " + std::to_string(pos_) +
                    " runs past the end of the data (" + std::to_string(Remaining()) + " bytes left)");
  if (units == 0) return {};
  const std::uint8_t* p = Take(static_cast<std::size_t>(units) * 2);
  std::u16string text(static_cast<std::size_t>(units) - 1, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(LoadWord(p + 2 * i));
  return platform::Utf16ToWindows1252(text);
}

std::string ByteReader::ReadZeroText() {
  const void* end = std::memchr(data_ + pos_, 0, Remaining());
  if (end == nullptr) FailShort(Remaining() + 1);
  const std::size_t length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - (data_ + pos_));
  const auto* p = reinterpret_cast<const char*>(Take(length + 1));
  return std::string(p, length);
}

std::string ByteReader::ReadNameText(std::uint16_t version) {
  return version < 64 ? ReadZeroText() : ReadSizedText();
}

void ByteReader::CheckCount(std::int64_t count, std::size_t minElementBytes) const {
  if (count < 0)
    throw ReadError("Invalid count " + std::to_string(count) + " at offset " + std::to_string(pos_));
  if (minElementBytes > 0 &&
      static_cast<std::uint64_t>(count) > Remaining() / minElementBytes)
    throw ReadError("Count " + std::to_string(count) + " at offset " + std::to_string(pos_) +
                    " runs past the end of the data (" + std::to_string(Remaining()) +
                    " bytes left)");
}

std::int32_t ByteReader::ReadCount(std::size_t minElementBytes) {
  const std::int32_t count = ReadIndex();
  CheckCount(count, minElementBytes);
  return count;
}

}  // namespace unrealpkg
