#pragma once

#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// The "High quality" palettes and mapping.

// The palette: the octree's palette, refined by Lloyd passes
// over the pictures' colours (each entry moves to the weighted mean of the
// colours nearest it, in RGB, which the mapping's error is measured in).
// Pictures of at most colorCount colours keep them exactly, as the octree
// gives them. Throws as BuildOptimizedPalette does.
Palette BuildRefinedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount);

// BuildOptimizedPalette or BuildRefinedPalette, as the quality says.
Palette BuildPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, PaletteQuality quality);

// The mapping: every pixel on the nearest entry in RGB of its cell of 5 bits
// a channel (CachedNearestColour), with a gentle error diffusion: three
// quarters of Floyd-Steinberg's shares, and none from a pixel its entry
// matches within one level a channel, so flat areas stay flat. A mask as
// MapToPalette takes it.
raster::Bitmap MapRefined(const raster::Bitmap& bgr, const Palette& palette, const std::vector<std::uint8_t>& mask);

}  // namespace compile
