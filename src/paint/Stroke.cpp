#include "paint/Stroke.h"

#include <stdexcept>

#include "paint/Dab.h"

namespace paint {

Stroke::Stroke(const raster::Bitmap& picture)
    : snapshot_(picture), picture_(picture), mask_(picture.Width(), picture.Height(), raster::PixelFormat::Bgr24) {
  if (picture.Format() != raster::PixelFormat::Bgr24) throw std::invalid_argument("Only a 24-bit picture can be painted");
}

std::optional<std::uint32_t> PickColour(const raster::Bitmap& picture, int x, int y) {
  if (picture.Format() != raster::PixelFormat::Bgr24 || x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height())
    return std::nullopt;
  const std::uint8_t* bgr = picture.Row(y) + static_cast<std::size_t>(x) * 3;
  return static_cast<std::uint32_t>(bgr[2]) | static_cast<std::uint32_t>(bgr[1]) << 8 |
         static_cast<std::uint32_t>(bgr[0]) << 16;
}

raster::PixelArea Stroke::Dab(int x, int y, const Brush& brush) {
  const raster::PixelArea area = PaintDab(mask_, x, y, brush.Size, brush.Intensity);
  // Outside the dab the mask did not change, so neither would the blend.
  raster::BlendThroughMask(snapshot_, mask_, brush.Colour, brush.Mode, picture_, area);
  return area;
}

}  // namespace paint
