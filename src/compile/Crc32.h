#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace compile {

// CRC-32/BZIP2 (polynomial 0x04C11DB7 most significant bit first, initial
// register and final exclusive-or 0xFFFFFFFF). `previous` is a finished CRC,
// so feeding consecutive blocks starting from 0 gives the CRC of the whole.
std::uint32_t UpdateCrc32(const std::uint8_t* bytes, std::size_t count, std::uint32_t previous);

inline std::uint32_t UpdateCrc32(std::span<const std::uint8_t> bytes, std::uint32_t previous = 0) {
  return UpdateCrc32(bytes.data(), bytes.size(), previous);
}

}  // namespace compile
