#pragma once

#include "raster/Bitmap.h"

namespace paint {

// What the texture editor shows for a texture: a 24-bit copy of its picture,
// the wire bitmap laid over it by the overlay position (0 to 100; at 100 only
// the wire shows), enlarged by the zoom factor (1, 2 or 4), each pixel a
// square. The wire bitmap is stretched to the texture's size.
raster::Bitmap DisplayTexture(const raster::Bitmap& source, const raster::Bitmap* wire, int wirePosition, int zoom);

}  // namespace paint
