#include "unrealpkg/ByteWriter.h"

#include <bit>
#include <cstring>

namespace unrealpkg {

void ByteWriter::WriteBytes(const void* data, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + count);
}

void ByteWriter::WriteWord(std::uint16_t value) {
  WriteByte(static_cast<std::uint8_t>(value));
  WriteByte(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::WriteUInt32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) WriteByte(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }

void ByteWriter::WriteFloat(float value) { WriteUInt32(std::bit_cast<std::uint32_t>(value)); }

void ByteWriter::WriteIndex(std::int32_t value) {
  const bool negative = value < 0;
  std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value)
                                     : static_cast<std::uint32_t>(value);
  std::uint8_t b0 = static_cast<std::uint8_t>((negative ? 0x80 : 0) | (magnitude & 0x3F));
  magnitude >>= 6;
  if (magnitude == 0) {
    WriteByte(b0);
    return;
  }
  WriteByte(static_cast<std::uint8_t>(b0 | 0x40));
  for (int i = 0; i < 3; ++i) {
    const std::uint8_t low = static_cast<std::uint8_t>(magnitude & 0x7F);
    magnitude >>= 7;
    if (magnitude == 0) {
      WriteByte(low);
      return;
    }
    WriteByte(static_cast<std::uint8_t>(low | 0x80));
  }
  WriteByte(static_cast<std::uint8_t>(magnitude));
}

void ByteWriter::WriteSizedText(std::string_view text) {
  WriteIndex(static_cast<std::int32_t>(text.size() + 1));
  WriteZeroText(text);
}

void ByteWriter::WriteZeroText(std::string_view text) {
  WriteBytes(text.data(), text.size());
  WriteByte(0);
}

void ByteWriter::WriteNameText(std::string_view text, std::uint16_t version) {
  if (version < 64)
    WriteZeroText(text);
  else
    WriteSizedText(text);
}

void ByteWriter::PatchInt32(std::size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace unrealpkg
