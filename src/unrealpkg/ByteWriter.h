#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "unrealpkg/ByteReader.h"

namespace unrealpkg {

// Little-endian encoder for the package container's primitive types.
class ByteWriter {
public:
  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }

  void WriteBytes(const void* data, std::size_t count);
  void WriteByte(std::uint8_t value) { bytes_.push_back(value); }
  void WriteWord(std::uint16_t value);
  void WriteInt32(std::int32_t value);
  void WriteUInt32(std::uint32_t value);
  void WriteFloat(float value);
  void WriteGuid(const TUTGuid& guid) { WriteBytes(guid.data(), guid.size()); }
  // Shortest compact-index form of the value.
  void WriteIndex(std::int32_t value);
  // Compact-index length including the terminator, the text, then the terminating zero.
  void WriteSizedText(std::string_view text);
  void WriteZeroText(std::string_view text);
  void WriteNameText(std::string_view text, std::uint16_t version);
  // Overwrites four bytes already written, for offsets known only later.
  void PatchInt32(std::size_t at, std::int32_t value);

private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace unrealpkg
