#include "paint/Stroke.h"

#include <stdexcept>

#include "paint/Dab.h"

namespace paint {

Stroke::Stroke(const raster::Bitmap& picture)
    : snapshot_(picture), picture_(picture), mask_(picture.Width(), picture.Height(), raster::PixelFormat::Bgr24) {
  if (picture.Format() != raster::PixelFormat::Bgr24) throw std::invalid_argument("Only a 24-bit picture can be painted");
}

raster::PixelArea Stroke::Dab(int x, int y, const Brush& brush) {
  const raster::PixelArea area = PaintDab(mask_, x, y, brush.Size, brush.Intensity);
  // Outside the dab the mask did not change, so neither would the blend.
  raster::BlendThroughMask(snapshot_, mask_, brush.Colour, brush.Mode, picture_, area);
  return area;
}

}  // namespace paint
