#include "compile/PostProcess.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "raster/BlendThroughMask.h"

namespace compile {

namespace {

constexpr int Unchanged = 50;

void RequireBgr24(const raster::Bitmap& bitmap) {
  if (bitmap.Format() != raster::PixelFormat::Bgr24)
    throw std::invalid_argument("Colour adjustments need a 24-bit bitmap");
}

// The strength of an adjustment, as the grey level of a mask over the whole bitmap.
raster::Bitmap StrengthMask(const raster::Bitmap& bitmap, int position) {
  const std::int64_t distance = std::abs(std::int64_t{position} - Unchanged);
  const auto strength = static_cast<std::uint8_t>(std::min<std::int64_t>(255, distance * 255 / 50));
  raster::Bitmap mask(bitmap.Width(), bitmap.Height(), raster::PixelFormat::Bgr24);
  std::fill(mask.Pixels().begin(), mask.Pixels().end(), strength);
  return mask;
}

// Blends toward a colour: black or white for brightness, a grey (no
// saturation) or pure blue (full saturation) for saturation.
void Adjust(raster::Bitmap& bitmap, int position, raster::BlendMode mode, std::uint32_t below, std::uint32_t above) {
  RequireBgr24(bitmap);
  if (position == Unchanged) return;
  raster::BlendThroughMask(bitmap, StrengthMask(bitmap, position), position < Unchanged ? below : above, mode, bitmap);
}

}  // namespace

void ApplyBrightness(raster::Bitmap& bitmap, int position) {
  Adjust(bitmap, position, raster::BlendMode::Brightness, 0x000000, 0xFFFFFF);
}

void ApplySaturation(raster::Bitmap& bitmap, int position) {
  Adjust(bitmap, position, raster::BlendMode::Saturation, 0x808080, 0xFF0000);
}

raster::PaletteEntry AdjustColour(raster::PaletteEntry colour, int brightness, int saturation) {
  raster::Bitmap pixel(1, 1, raster::PixelFormat::Bgr24);
  std::uint8_t* bgr = pixel.Row(0);
  bgr[0] = colour.Blue;
  bgr[1] = colour.Green;
  bgr[2] = colour.Red;
  ApplyBrightness(pixel, brightness);
  ApplySaturation(pixel, saturation);
  return {bgr[2], bgr[1], bgr[0], colour.Flags};
}

}  // namespace compile
