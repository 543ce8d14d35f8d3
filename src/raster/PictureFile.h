#pragma once

#include <filesystem>

#include "raster/Bitmap.h"

namespace raster {

// Writes a PNG: an 8-bit bitmap as an indexed PNG keeping its palette (a grey
// ramp stands in for a palette that lives elsewhere), a 24-bit one as RGB.
void SavePng(const Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace raster
