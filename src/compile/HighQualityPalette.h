#pragma once

#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// The "High quality" palettes and mapping.

// The palette: libimagequant's, from one histogram of every picture, so that
// a group's pictures share it. Pictures of at most colorCount colours keep
// them exactly, as the octree gives them. Throws as BuildOptimizedPalette
// does, and std::bad_alloc when the library runs out of memory.
Palette BuildRefinedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount);

// BuildOptimizedPalette or BuildRefinedPalette, as the quality says.
Palette BuildPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, PaletteQuality quality);

// The mapping: every pixel on its nearest entry in RGB (NearestColour), with
// a gentle error diffusion: half of Floyd-Steinberg's shares, and none from a
// pixel its entry matches within one level a channel, so flat areas stay
// flat. A mask as MapToPalette takes it.
raster::Bitmap MapRefined(const raster::Bitmap& bgr, const Palette& palette, const std::vector<std::uint8_t>& mask);

}  // namespace compile
