#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// A set of 24-bit colours that gives up past a limit of at most 256: how a
// palette finds out cheaply whether pictures hold few enough colours to keep
// them all. Each colour remembers the first index it was added with.
class SmallColourSet {
public:
  explicit SmallColourSet(std::size_t limit);

  // False once the set would hold more than its limit.
  bool Add(const std::uint8_t* bgr, std::uint8_t index = 0);
  // The index the colour was added with; none when it was not.
  std::optional<std::uint8_t> Find(const std::uint8_t* bgr) const;
  std::size_t Size() const { return size_; }

private:
  static constexpr std::size_t Slots = 1024;
  static std::uint32_t Key(const std::uint8_t* bgr) { return bgr[0] | bgr[1] << 8 | bgr[2] << 16 | 1u << 24; }
  static std::size_t Home(std::uint32_t key) { return (key * 2654435761u) >> 22; }

  std::size_t limit_;
  std::size_t size_ = 0;
  std::array<std::uint32_t, Slots> keys_{};
  std::array<std::uint8_t, Slots> indexes_{};
};

// The distinct colours of the bitmap's 24-bit pixels outside the mask, as a
// one-row picture in the order first met; none when there are more than `limit`.
std::optional<raster::Bitmap> FewColours(const raster::Bitmap& bgr, const std::vector<std::uint8_t>& mask,
                                         std::size_t limit);

// Every pixel of the 24-bit bitmap outside the mask on the first entry (from
// `firstEntry` on) of its own colour, and the mask on entry 0; none as soon as
// a pixel's colour is not in the palette.
std::optional<raster::Bitmap> MapExactly(const raster::Bitmap& bgr, const Palette& palette,
                                         const std::vector<std::uint8_t>& mask, std::size_t firstEntry);

}  // namespace compile
