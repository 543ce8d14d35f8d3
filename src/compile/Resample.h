#pragma once

#include <optional>
#include <string>

#include "model/TModelo.h"
#include "raster/Bitmap.h"

namespace compile {

// A resampling filter: the weight at a distance, 0 beyond its support radius.
using ResampleFilter = float (*)(float);

// sinc(x) * sinc(x / 3) inside |x| < 3, evaluated in single precision.
float Lanczos3(float x);
inline constexpr float Lanczos3Support = 3.0f;

// Fills the destination, whose size is already set, from the source; the
// destination becomes 24-bit. Throws std::runtime_error when the source has
// no pixels ("Source bitmap too small") or when a source wider (taller) than
// one pixel would shrink to a single column (row), where the scale is 0.
void Resample(const raster::Bitmap& source, raster::Bitmap& destination, ResampleFilter filter, float support);

// Brings a texture to its section's size. A texture of another size is
// resampled with Lanczos3 into a 24-bit bitmap of that size, or, when the
// section may not be resampled, left as it is and the refusal message
// returned. A section width or height below 1 switches the rule off.
std::optional<std::string> ApplySizeRule(raster::Bitmap& texture, const std::string& sectionName,
                                         const model::TModeloPart& section);

}  // namespace compile
