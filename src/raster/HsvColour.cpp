#include "raster/HsvColour.h"

#include <algorithm>

namespace raster {

// Each named intermediate is held in single precision: computed in double,
// then rounded once.
Hsv ToHsv(Rgb colour) {
  const int max = std::max({colour.Red, colour.Green, colour.Blue});
  const int min = std::min({colour.Red, colour.Green, colour.Blue});
  Hsv hsv;
  hsv.Value = static_cast<float>(max);
  if (max == 0 || max == min) return hsv;
  const double range = max - min;
  hsv.Saturation = static_cast<float>(range / max);
  if (colour.Red == max) {
    hsv.Hue = static_cast<float>((colour.Green - colour.Blue) * 60 / range);
    if (hsv.Hue < 0.0f) hsv.Hue += 360.0f;
  } else if (colour.Green == max) {
    hsv.Hue = static_cast<float>((colour.Blue - colour.Red) * 60 / range + 120.0);
  } else {
    hsv.Hue = static_cast<float>((colour.Red - colour.Green) * 60 / range + 240.0);
  }
  return hsv;
}

Rgb FromHsv(Hsv colour) {
  const int v = static_cast<int>(colour.Value);
  if (colour.Saturation == 0.0f) return {v, v, v};
  const float h = (colour.Hue == 360.0f ? 0.0f : colour.Hue) / 60.0f;
  const int sector = static_cast<int>(h);
  const float f = h - static_cast<float>(sector);
  const double s = colour.Saturation;
  const double value = colour.Value;
  const int p = static_cast<int>(static_cast<float>(value * (1.0 - s)));
  const int q = static_cast<int>(static_cast<float>(value * (1.0 - s * f)));
  const int t = static_cast<int>(static_cast<float>(value * (1.0 - s * (1.0 - f))));
  switch (sector) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
  }
}

}  // namespace raster
