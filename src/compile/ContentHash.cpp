#include "compile/ContentHash.h"

#include <cstring>

namespace compile {

namespace {

constexpr std::uint64_t Multiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t state, std::uint64_t word) {
  state ^= word + Multiplier + (state << 6) + (state >> 2);
  return state * 0xBF58476D1CE4E5B9ull;
}

}  // namespace

ContentHash& ContentHash::Add(const void* bytes, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  for (; count >= 8; count -= 8, p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    state_ = Mix(state_, word);
  }
  std::uint64_t tail = count;
  if (count > 0) std::memcpy(&tail, p, count);
  state_ = Mix(state_, tail ^ (static_cast<std::uint64_t>(count) << 56));
  return *this;
}

ContentHash& ContentHash::Add(const raster::Bitmap& bitmap) {
  Add(static_cast<std::uint64_t>(bitmap.Width())).Add(static_cast<std::uint64_t>(bitmap.Height()));
  Add(static_cast<std::uint64_t>(bitmap.Format()));
  Add(bitmap.Palette().data(), bitmap.Palette().size() * sizeof(raster::PaletteEntry));
  return Add(bitmap.Pixels().data(), bitmap.Pixels().size());
}

std::uint64_t ContentHash::Value() const { return Mix(state_, Multiplier); }

}  // namespace compile
