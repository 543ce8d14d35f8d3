#pragma once

#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/PixelArea.h"

namespace raster {

// What the colour does where the mask lets it through. The paint tool's four
// tools are 0 to 3; the compile post-process uses the two negative modes.
enum class BlendMode : int {
  Saturation = -2,  // toward the colour's saturation, keeping the pixel's hue and value; greys stay
  Brightness = -1,  // toward the colour's saturation and value, keeping the pixel's hue
  Brush = 0,        // toward the colour
  Tint = 1,         // toward the colour's hue, keeping the pixel's saturation and value
  Lighten = 2,      // adds up to 255 by the mask's strength
  Darken = 3,       // takes up to 255 away by the mask's strength
};

// Blends source through the mask into destination, all three 24-bit and the
// size of the source (destination may be the source itself). The mask's first
// byte is the strength a = byte / 255; a channel becomes
// trunc(c × (1 − a) + t × a) toward the mode's target t, with single-precision
// weights and a double-precision sum; a grey keeps itself under the saturation
// mode. The colour holds red in its lowest byte.
void BlendThroughMask(const Bitmap& source, const Bitmap& mask, std::uint32_t colour, BlendMode mode,
                      Bitmap& destination);
// The same, over one area of the source only; the rest of the destination is
// left as it is. A stroke blends just where its last dab fell.
void BlendThroughMask(const Bitmap& source, const Bitmap& mask, std::uint32_t colour, BlendMode mode,
                      Bitmap& destination, PixelArea area);

}  // namespace raster
