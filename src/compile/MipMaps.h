#pragma once

#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// trunc(log2(min(width, height))) + 1, or 1 when either one-mipmap option is
// on; never below 1.
int MipLevelCount(const raster::Bitmap& bitmap, bool sectionOneMipMap, bool projectOneMipMap);

// The 8-bit levels of a texture, level 0 first: each level is its own
// true-colour reduction mapped onto the palette with dithering, then halved by
// keeping one source pixel per 2 x 2 block. A mask, when given, holds one
// byte per pixel, halves with the picture, and gives its pixels index 0 in
// every level. Each level is mapped with the palette quality.
std::vector<raster::Bitmap> BuildMipChain(const raster::Bitmap& prepared, const Palette& palette, int levelCount,
                                          const std::vector<std::uint8_t>& mask = {},
                                          PaletteQuality quality = PaletteQuality::Classic);

// The palette colour of the texture reduced to one pixel by the same
// nearest-neighbour sampling.
raster::PaletteEntry ComputeAverageColor(const raster::Bitmap& prepared, const Palette& palette,
                                         PaletteQuality quality = PaletteQuality::Classic);

}  // namespace compile
