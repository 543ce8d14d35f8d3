#pragma once

#include "raster/Bitmap.h"

namespace compile {

// Positions run from 0 to 100; 50 leaves the bitmap untouched. Both work in
// place on a 24-bit bitmap and throw std::invalid_argument for another format.

// Blends every channel toward black (below 50) or white (above 50).
void ApplyBrightness(raster::Bitmap& bitmap, int position);

// Blends every pixel toward the colour of the same hue and value with no
// saturation (below 50) or full saturation (above 50). Greys stay as they are.
void ApplySaturation(raster::Bitmap& bitmap, int position);

// Brightness and then saturation applied to one colour; its flags are kept.
raster::PaletteEntry AdjustColour(raster::PaletteEntry colour, int brightness, int saturation);

}  // namespace compile
