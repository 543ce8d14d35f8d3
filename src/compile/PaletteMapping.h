#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// Nearest palette entry by the sum of channel differences, cached per colour
// cell of 5 bits a channel: every colour of a cell maps to the first entry
// lying in it, or else to the entry nearest the first colour of the cell
// looked up.
class TFastColorLookup {
public:
  // Uses the first 256 entries from `firstEntry` on (1 keeps a masked
  // texture's reserved entry 0 for its see-through pixels); throws
  // std::invalid_argument when none is left.
  explicit TFastColorLookup(const Palette& palette, std::size_t firstEntry = 0);

  std::uint8_t Lookup(int red, int green, int blue);
  const raster::PaletteEntry& Colour(std::uint8_t index) const { return entries_[index]; }

private:
  static int Cell(int red, int green, int blue) { return (blue >> 3) << 10 | (green >> 3) << 5 | (red >> 3); }
  std::uint8_t Search(int red, int green, int blue) const;

  std::vector<raster::PaletteEntry> entries_;
  std::size_t firstEntry_;
  // The channels apart, in 16 bits, eight entries a step; entries the search
  // may not choose hold a colour too far away to be nearest.
  alignas(16) std::array<std::int16_t, 256> reds_, greens_, blues_;
  std::size_t searched_ = 0;
  // Entry index per cell, -1 until known.
  std::vector<std::int16_t> cache_;
};

// Floyd-Steinberg error diffusion in sixteenths of a level, scanning rows
// alternately left to right and right to left, starting left to right.
class TFloydSteinbergDitherer {
public:
  explicit TFloydSteinbergDitherer(int width);

  // Maps the next row of 24-bit pixels to palette indexes. Pixels a mask row
  // marks take index 0 and pass no error on.
  void MapRow(const std::uint8_t* bgr, std::uint8_t* indexes, TFastColorLookup& lookup,
              const std::uint8_t* maskRow = nullptr);

private:
  int width_;
  int direction_ = 1;
  // Three channels per pixel with one pixel of margin on both sides, which
  // takes the shares that fall outside the image.
  std::vector<std::int32_t> received_;
  std::vector<std::int32_t> nextRow_;
};

// A new 8-bit bitmap of the same size whose palette is a copy of the given
// one, the source read as 24-bit. A mask, when given, holds one byte per
// pixel: the pixels it marks take index 0 and pass no error on, and the
// others are mapped onto entries 1 and up only, so that no hole opens where
// the picture has none. When the palette holds every colour of the picture,
// each pixel takes the first entry of its own colour and nothing is diffused.
// "High quality" maps as MapRefined does.
raster::Bitmap MapToPalette(const raster::Bitmap& bitmap, const Palette& palette,
                            const std::vector<std::uint8_t>& mask = {},
                            PaletteQuality quality = PaletteQuality::Classic);

}  // namespace compile
