#pragma once

#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// A texture ready to be mapped onto its palette: 24-bit pixels and, for a
// masked picture, which pixels are see-through (index 0 in every level).
struct PreparedTexture {
  raster::Bitmap Picture;
  // Empty, or one byte per pixel, 1 where the texture is see-through.
  std::vector<std::uint8_t> Mask;
};

// The working bitmap of a texture: its source after brightness and
// saturation. A source in a masked section that carries a mask (an 8-bit
// picture's colour 0, or a true-colour picture's transparent pixels) becomes
// an 8-bit bitmap whose palette reserves entry 0 for the mask.
raster::Bitmap PrepareWorkingBitmap(const raster::Bitmap& source, bool maskedSection, int brightness, int saturation,
                                    PaletteQuality quality = PaletteQuality::Classic);

// Whether a texture's source gets a palette of its own with entry 0 reserved.
bool HasReservedPalette(const raster::Bitmap& source, bool maskedSection);

// A working bitmap as the mipmap chain starts from it.
PreparedTexture Prepare(const raster::Bitmap& working);

}  // namespace compile
