#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace unrealpkg {

// Raised when serialized data ends early or holds an impossible count or offset.
class ReadError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

using TUTGuid = std::array<std::uint8_t, 16>;

// A bounds-checked little-endian read cursor over bytes that someone else owns.
// Every read checks the remaining length first, so hostile counts fail before
// anything is allocated.
class ByteReader {
public:
  ByteReader() = default;
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit ByteReader(const std::vector<std::uint8_t>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return size_; }
  std::size_t Remaining() const { return size_ - pos_; }
  bool AtEnd() const { return pos_ == size_; }
  void Seek(std::int64_t position);
  void Skip(std::size_t count);

  // Pointer to the next `count` bytes, advancing past them: the raw rows that
  // hot loops decode without a call per element.
  const std::uint8_t* Take(std::size_t count);

  void ReadBytes(void* dest, std::size_t count);
  std::uint8_t ReadByte() { return *Take(1); }
  std::uint16_t ReadWord();
  std::int32_t ReadInt32();
  std::uint32_t ReadUInt32() { return static_cast<std::uint32_t>(ReadInt32()); }
  float ReadFloat();
  std::int64_t ReadInt64();
  TUTGuid ReadGuid();
  std::int32_t ReadIndex();

  // Compact-index length (terminator included), then the bytes; the terminator is
  // dropped. A negative length -L means L UTF-16LE code units, which come back
  // in the single-byte form of the rest of the text.
  std::string ReadSizedText();
  // `units` UTF-16LE code units, the last of them the terminator, which is dropped.
  std::string ReadWideText(std::int64_t units);
  std::string ReadZeroText();
  // A name-table string: zero-terminated below version 64, sized from 64 on.
  std::string ReadNameText(std::uint16_t version);

  // A compact-index element count, refused when negative or when that many
  // elements of at least `minElementBytes` each cannot fit in what is left.
  std::int32_t ReadCount(std::size_t minElementBytes);
  void CheckCount(std::int64_t count, std::size_t minElementBytes) const;

private:
  [[noreturn]] void FailShort(std::size_t needed) const;

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
};

inline std::uint16_t LoadWord(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadUInt32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
float LoadFloat(const std::uint8_t* p);

}  // namespace unrealpkg
