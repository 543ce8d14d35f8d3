#pragma once

#include <cstdint>

#include "raster/Bitmap.h"

namespace unrealpkg {

// Texture pixel formats ("Format" and "CompFormat" properties) the reader decodes.
enum TUTTextureFormat : std::int32_t {
  TextureFormatP8 = 0,
  TextureFormatDxt1 = 3,
  // 469-era patch format: 16-byte blocks, interpolated alpha with 3-bit indexes
  // (as DXT5) before a colour block.
  TextureFormatDxt5 = 7,
};

// Bytes of 4x4 blocks a width x height picture reads: width div 4 by height
// div 4 blocks, at least one of each.
std::int64_t BlockDataBytes(std::int64_t width, std::int64_t height, int blockBytes);

// Decodes 4x4 colour blocks row by row into a 24-bit bitmap, skipping pixels
// outside it. `data` holds BlockDataBytes of the bitmap's size. Blocks of 16
// bytes hold an alpha half first, which a 24-bit picture has no use for, and
// always take four colours; 8-byte blocks use three colours and black when c0 <= c1.
void DecodeColourBlocks(const std::uint8_t* data, int blockBytes, raster::Bitmap& bitmap);

}  // namespace unrealpkg
