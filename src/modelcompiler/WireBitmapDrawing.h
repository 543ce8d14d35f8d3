#pragma once

#include "model3d/TObjeto3D.h"
#include "raster/Bitmap.h"

namespace modelcompiler {

inline constexpr int WireBitmapSize = 256;
// Entries of the standard 16-colour palette the wire bitmaps use.
inline constexpr std::uint8_t WireBackground = 8;
inline constexpr std::uint8_t WireLine = 15;

// The triangles of one material drawn in texture space as closed one-pixel
// white outlines on grey, a 256 x 256 bitmap indexed into the standard
// 16-colour palette. `drawn` counts the triangles of the material.
raster::Bitmap DrawWireBitmap(const model3d::TObjeto3D& model, int material, int& drawn);

}  // namespace modelcompiler
