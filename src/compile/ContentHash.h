#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "raster/Bitmap.h"

namespace compile {

// A 64-bit fingerprint of what a cached result was built from; equal inputs
// give equal keys, and different ones differ but for chance.
class ContentHash {
public:
  ContentHash& Add(const void* bytes, std::size_t count);
  ContentHash& Add(std::uint64_t value) { return Add(&value, sizeof value); }
  ContentHash& Add(std::string_view text) { return Add(text.size()).Add(text.data(), text.size()); }
  // Size, format, palette and pixels.
  ContentHash& Add(const raster::Bitmap& bitmap);
  std::uint64_t Value() const;

private:
  std::uint64_t state_ = 0x243F6A8885A308D3ull;
};

}  // namespace compile
