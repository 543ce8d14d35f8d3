#pragma once

#include "raster/Bitmap.h"
#include "raster/PixelArea.h"

namespace paint {

// The mask's grey for a brush intensity of 1 to 100: intensity × 2.55 taken
// as the exact decimal and rounded half to even (50 gives 128, 30 gives 76).
int GreyOfIntensity(int intensity);

// Puts one dab of the brush centred on texture pixel (x, y) into the stroke's
// mask (24-bit, the texture's size), replacing what the mask held there:
// a size × size square below size 3, otherwise a filled ellipse whose box runs
// from round(x − size / 2) to round(x + size / 2), right and bottom excluded.
// Returns the area of the mask it touched.
raster::PixelArea PaintDab(raster::Bitmap& mask, int x, int y, int size, int intensity);

}  // namespace paint
