#include "raster/BlendThroughMask.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "raster/HsvColour.h"

namespace raster {

namespace {

int Blend(int channel, int target, float keep, float strength) {
  return static_cast<int>(channel * static_cast<double>(keep) + target * static_cast<double>(strength));
}

// The pixel's target; only the modes that blend toward a colour come here.
// None for a grey under the saturation mode: it is its own target, and
// weights that sum to just under 1 would darken it by one level.
std::optional<Rgb> Target(Rgb pixel, Rgb colour, const Hsv& colourHsv, BlendMode mode) {
  switch (mode) {
    case BlendMode::Saturation: {
      const Hsv hsv = ToHsv(pixel);
      if (hsv.Saturation == 0.0f) return std::nullopt;
      return FromHsv({hsv.Hue, colourHsv.Saturation, hsv.Value});
    }
    case BlendMode::Brightness:
      // Without saturation the hue does not matter: no need to compute it.
      if (colourHsv.Saturation == 0.0f) return FromHsv({0, 0, colourHsv.Value});
      return FromHsv({ToHsv(pixel).Hue, colourHsv.Saturation, colourHsv.Value});
    case BlendMode::Tint: {
      const Hsv hsv = ToHsv(pixel);
      return FromHsv({colourHsv.Hue, hsv.Saturation, hsv.Value});
    }
    default:
      return colour;
  }
}

void Require24(const Bitmap& bitmap, const Bitmap& source, const char* what) {
  if (bitmap.Format() != PixelFormat::Bgr24 || bitmap.Width() < source.Width() || bitmap.Height() < source.Height())
    throw std::invalid_argument(std::string("The ") + what + " of a blend must be 24-bit and as large as the source");
}

}  // namespace

void BlendThroughMask(const Bitmap& source, const Bitmap& mask, std::uint32_t colour, BlendMode mode,
                      Bitmap& destination) {
  BlendThroughMask(source, mask, colour, mode, destination, PixelArea::Whole(source.Width(), source.Height()));
}

void BlendThroughMask(const Bitmap& source, const Bitmap& mask, std::uint32_t colour, BlendMode mode,
                      Bitmap& destination, PixelArea area) {
  Require24(source, source, "source");
  Require24(mask, source, "mask");
  Require24(destination, source, "destination");
  const Rgb paint{static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF)};
  const Hsv paintHsv = ToHsv(paint);
  area = area.ClippedTo(source.Width(), source.Height());
  const std::size_t start = static_cast<std::size_t>(area.Left) * 3;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* in = source.Row(y) + start;
    const std::uint8_t* strength = mask.Row(y) + start;
    std::uint8_t* out = destination.Row(y) + start;
    for (int x = area.Left; x < area.Right; ++x, in += 3, strength += 3, out += 3) {
      const float a = strength[0] / 255.0f;
      const Rgb pixel{in[2], in[1], in[0]};
      if (a == 0.0f) {
        std::copy(in, in + 3, out);
        continue;
      }
      if (mode == BlendMode::Lighten || mode == BlendMode::Darken) {
        const double step = 255.0 * a;
        for (int c = 0; c < 3; ++c)
          out[c] = static_cast<std::uint8_t>(mode == BlendMode::Lighten ? std::min(static_cast<int>(in[c] + step), 255)
                                                                        : std::max(static_cast<int>(in[c] - step), 0));
        continue;
      }
      const std::optional<Rgb> target = Target(pixel, paint, paintHsv, mode);
      if (!target) {
        std::copy(in, in + 3, out);
        continue;
      }
      const float keep = 1.0f - a;
      out[0] = static_cast<std::uint8_t>(Blend(pixel.Blue, target->Blue, keep, a));
      out[1] = static_cast<std::uint8_t>(Blend(pixel.Green, target->Green, keep, a));
      out[2] = static_cast<std::uint8_t>(Blend(pixel.Red, target->Red, keep, a));
    }
  }
}

}  // namespace raster
