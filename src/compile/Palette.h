#pragma once

#include <vector>

#include "raster/Bitmap.h"

namespace compile {

// A texture palette: 256 entries once palette generation has built it.
using Palette = std::vector<raster::PaletteEntry>;

}  // namespace compile
