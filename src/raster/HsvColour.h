#pragma once

namespace raster {

// Channels on the 0 to 255 scale.
struct Rgb {
  int Red = 0;
  int Green = 0;
  int Blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Hue in degrees below 360 (0 for a grey), saturation 0 to 1, value 0 to 255,
// each held in single precision as the post-process and the paint tool need
// them to the last bit.
struct Hsv {
  float Hue = 0;
  float Saturation = 0;
  float Value = 0;
};

Hsv ToHsv(Rgb colour);
// Each channel truncated to an integer; a hue of exactly 360 counts as 0.
Rgb FromHsv(Hsv colour);

}  // namespace raster
