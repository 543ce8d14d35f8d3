#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "raster/Bitmap.h"

// Small 24-bit pictures for the colour and resampling tests.
namespace colourtest {

using Rgb = raster::PaletteEntry;

// Colours in row order from the top left.
inline raster::Bitmap Picture(int width, int height, const std::vector<Rgb>& colours) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  std::uint8_t* bgr = bitmap.Pixels().data();
  for (const Rgb& colour : colours) {
    *bgr++ = colour.Blue;
    *bgr++ = colour.Green;
    *bgr++ = colour.Red;
  }
  return bitmap;
}

inline raster::Bitmap Filled(int width, int height, Rgb colour) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  return Picture(width, height, std::vector<Rgb>(count, colour));
}

inline raster::Bitmap Noise(int width, int height, unsigned seed) {
  raster::Bitmap bitmap(width, height, raster::PixelFormat::Bgr24);
  std::mt19937 random(seed);
  for (std::uint8_t& byte : bitmap.Pixels()) byte = static_cast<std::uint8_t>(random());
  return bitmap;
}

inline Rgb PixelAt(const raster::Bitmap& bitmap, int x, int y) {
  const std::uint8_t* bgr = bitmap.Row(y) + static_cast<std::size_t>(x) * 3;
  return {bgr[2], bgr[1], bgr[0], 0};
}

inline Rgb Grey(int level) {
  const auto value = static_cast<std::uint8_t>(level);
  return {value, value, value, 0};
}

}  // namespace colourtest
