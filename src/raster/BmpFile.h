#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "raster/Bitmap.h"

namespace raster {

// The bitmap as a Windows bitmap file: an 8-bit picture with a full 256-colour
// table (colours beyond its palette black), a 24-bit one as it is; rows bottom-up.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);

// Writes EncodeBmp's bytes through a temporary file beside the target, so a
// failed write leaves any old file untouched. Failures name the file.
void SaveBmpFile(const Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace raster
