#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "raster/Bitmap.h"

namespace raster {

enum class BmpDepth {
  // 8 bits with a full 256-colour table (colours beyond the palette black) for
  // an indexed bitmap, 24 bits for a BGR one.
  Natural,
  // 4 bits with a 16-colour table, for an indexed bitmap of at most 16
  // colours whose pixels are all below 16.
  Indexed4,
};

// The bitmap as an uncompressed Windows bitmap file, rows bottom-up. Throws
// when the bitmap does not fit the depth or the file format.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap, BmpDepth depth = BmpDepth::Natural);

// Writes EncodeBmp's bytes through a temporary file beside the target, so a
// failed write leaves any old file untouched. Failures name the file.
void SaveBmpFile(const Bitmap& bitmap, const std::filesystem::path& path, BmpDepth depth = BmpDepth::Natural);

}  // namespace raster
