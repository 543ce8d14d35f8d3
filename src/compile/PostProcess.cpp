#include "compile/PostProcess.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace compile {

namespace {

constexpr int Unchanged = 50;

// The weights of a blend toward a target, each rounded to single precision.
struct BlendWeights {
  float Target;
  float Keep;
};

BlendWeights WeightsFor(int position) {
  const std::int64_t distance = std::abs(std::int64_t{position} - Unchanged);
  const float strength = static_cast<float>(std::min<std::int64_t>(255, distance * 255 / 50));
  const float target = strength / 255.0f;
  return {target, 1.0f - target};
}

// Evaluated in double, where both products and their sum are exact, then truncated.
int Blend(int value, int target, BlendWeights weights) {
  return static_cast<int>(value * static_cast<double>(weights.Keep) + target * static_cast<double>(weights.Target));
}

void RequireBgr24(const raster::Bitmap& bitmap) {
  if (bitmap.Format() != raster::PixelFormat::Bgr24)
    throw std::invalid_argument("Colour adjustments need a 24-bit bitmap");
}

struct Rgb {
  int Red, Green, Blue;
};

// Hue in degrees below 360, value 0 to 255. Each named intermediate is held
// in single precision: computed in double, then rounded once.
Rgb FromHsv(float hue, float saturation, float value) {
  if (saturation == 0.0f) {
    const int v = static_cast<int>(value);
    return {v, v, v};
  }
  const float h = hue / 60.0f;
  const int sector = static_cast<int>(h);
  const float f = h - static_cast<float>(sector);
  const double s = saturation;
  const int p = static_cast<int>(static_cast<float>(value * (1.0 - s)));
  const int q = static_cast<int>(static_cast<float>(value * (1.0 - s * f)));
  const int t = static_cast<int>(static_cast<float>(value * (1.0 - s * (1.0 - f))));
  const int v = static_cast<int>(value);
  switch (sector) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
  }
}

// Only called for a pixel that is not grey. The result stays below 360, so
// the rule that reads a hue of 360 as 0 never applies.
float Hue(int red, int green, int blue, int max, int min) {
  const double range = max - min;
  if (red == max) {
    float hue = static_cast<float>((green - blue) * 60 / range);
    if (hue < 0.0f) hue += 360.0f;
    return hue;
  }
  if (green == max) return static_cast<float>((blue - red) * 60 / range + 120.0);
  return static_cast<float>((red - green) * 60 / range + 240.0);
}

}  // namespace

void ApplyBrightness(raster::Bitmap& bitmap, int position) {
  RequireBgr24(bitmap);
  if (position == Unchanged) return;
  const BlendWeights weights = WeightsFor(position);
  const int target = position < Unchanged ? 0 : 255;
  std::array<std::uint8_t, 256> table{};
  for (int value = 0; value < 256; ++value)
    table[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(Blend(value, target, weights));
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.Row(y);
    for (std::uint8_t* end = row + bitmap.RowBytes(); row != end; ++row) *row = table[*row];
  }
}

void ApplySaturation(raster::Bitmap& bitmap, int position) {
  RequireBgr24(bitmap);
  if (position == Unchanged) return;
  const BlendWeights weights = WeightsFor(position);
  const float targetSaturation = position < Unchanged ? 0.0f : 1.0f;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* pixel = bitmap.Row(y);
    for (std::uint8_t* end = pixel + bitmap.RowBytes(); pixel != end; pixel += 3) {
      const int blue = pixel[0], green = pixel[1], red = pixel[2];
      const int max = std::max({red, green, blue});
      const int min = std::min({red, green, blue});
      // A grey is its own target; blending it with weights that sum to just
      // under 1 would darken it by one level.
      if (max == min) continue;
      const Rgb target = FromHsv(Hue(red, green, blue, max, min), targetSaturation, static_cast<float>(max));
      pixel[0] = static_cast<std::uint8_t>(Blend(blue, target.Blue, weights));
      pixel[1] = static_cast<std::uint8_t>(Blend(green, target.Green, weights));
      pixel[2] = static_cast<std::uint8_t>(Blend(red, target.Red, weights));
    }
  }
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
