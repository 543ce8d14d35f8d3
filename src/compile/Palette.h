#pragma once

#include <vector>

#include "raster/Bitmap.h"

namespace compile {

// A texture palette: 256 entries once palette generation has built it.
using Palette = std::vector<raster::PaletteEntry>;

// How palettes are built and pictures mapped onto them: the octree and
// Floyd-Steinberg, or the refined palette and gentle diffusion of "High quality".
enum class PaletteQuality { Classic = 0, High = 1 };

}  // namespace compile
