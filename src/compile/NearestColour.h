#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compile/Palette.h"

namespace compile {

// The palette entry nearest a colour by squared distance in RGB, found
// exactly (lowest index on ties). Colours fall in cells of 8 levels a
// channel; the first colour looked up in a cell lists the entries that can be
// nearest anything in it, and each colour of the cell then searches only
// those. An entry can be nearest only when no other entry lies wholly closer
// to the cell, and a cell's list is drawn from that of the cell of 32 levels
// around it, so that listing is cheap as well.
class NearestColour {
public:
  // Entries from `firstEntry` on, at most 256; throws std::invalid_argument when none is left.
  explicit NearestColour(const Palette& palette, std::size_t firstEntry = 0);

  std::uint8_t Find(int red, int green, int blue);

private:
  static constexpr int CoarseBits = 3;
  static constexpr int FineBits = 5;
  static constexpr std::int32_t Unknown = -1;

  // Where the list of the cell of `bits` a channel that holds the colour starts in lists_.
  std::int32_t ListOf(int red, int green, int blue, int bits, std::vector<std::int32_t>& cells);

  std::array<std::int32_t, 256> reds_{}, greens_{}, blues_{};
  // The entries searched, as the list of no cell at all.
  std::vector<std::uint8_t> all_;
  // Per cell, where its list starts in lists_ (a count, then the entries in index order), or Unknown.
  std::vector<std::int32_t> coarse_, fine_;
  std::vector<std::uint8_t> lists_;
};

}  // namespace compile
