#pragma once

#include <cstdint>
#include <vector>

#include "compile/Palette.h"

namespace compile {

// The palette entry nearest a colour by squared distance in RGB, found
// exactly (lowest index on ties): the entries are kept sorted along the axis
// they spread most along, and the search walks out from the colour's place
// until no entry farther along the axis can be nearer. A hint (an entry
// likely near, such as the last answer) narrows the walk from the start.
class NearestColour {
public:
  // Entries from `firstEntry` on, at most 256; throws std::invalid_argument when none is left.
  explicit NearestColour(const Palette& palette, std::size_t firstEntry = 0);

  std::uint8_t Find(int red, int green, int blue, int hint = -1) const;

private:
  struct Entry {
    // The position along the axis, in 1/Scale of a level.
    std::int64_t Key;
    int Red, Green, Blue;
    std::uint8_t Index;
  };
  static constexpr std::int64_t Scale = 1024;
  std::int64_t KeyOf(int red, int green, int blue) const;

  // The axis, a unit vector in units of 1/Scale.
  std::int64_t axis_[3] = {591, 591, 591};
  std::vector<Entry> sorted_;
  // Where each palette index stands in sorted_, for hints.
  std::vector<std::int32_t> position_;
};

// NearestColour remembered per cell of 6 bits a channel: the first colour
// looked up in a cell is searched exactly, and the others of the cell (at most
// 3 levels a channel from it) take its answer.
class CachedNearestColour {
public:
  explicit CachedNearestColour(const Palette& palette, std::size_t firstEntry = 0);

  std::uint8_t Find(int red, int green, int blue);

private:
  static constexpr int CellBits = 5;
  NearestColour nearest_;
  // Entry index per cell, -1 until known.
  std::vector<std::int16_t> cells_;
  int last_ = -1;
};

}  // namespace compile
