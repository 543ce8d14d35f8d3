#include "paint/Dab.h"

#include <cstring>

namespace paint {

namespace {

// numerator / 2 rounded half to even, in integers so that no binary fraction creeps in.
int HalfRoundedToEven(int numerator) {
  const int down = numerator >= 0 ? numerator / 2 : -((-numerator + 1) / 2);
  if (numerator - 2 * down == 0) return down;
  return down % 2 == 0 ? down : down + 1;
}

void FillSpan(raster::Bitmap& mask, int y, int left, int right, std::uint8_t grey) {
  std::memset(mask.Row(y) + static_cast<std::size_t>(left) * 3, grey, static_cast<std::size_t>(right - left) * 3);
}

}  // namespace

int GreyOfIntensity(int intensity) {
  const int hundredths = intensity * 255;
  int grey = hundredths / 100;
  const int rest = hundredths % 100;
  if (rest > 50 || (rest == 50 && grey % 2 == 1)) ++grey;
  return grey;
}

raster::PixelArea PaintDab(raster::Bitmap& mask, int x, int y, int size, int intensity) {
  const auto grey = static_cast<std::uint8_t>(GreyOfIntensity(intensity));
  if (size < 3) {
    const raster::PixelArea area = raster::PixelArea{x, y, x + size, y + size}.ClippedTo(mask.Width(), mask.Height());
    for (int row = area.Top; row < area.Bottom; ++row) FillSpan(mask, row, area.Left, area.Right, grey);
    return area;
  }
  // The box's edges are x ± size / 2, rounded: (2x ∓ size) / 2.
  const raster::PixelArea box{HalfRoundedToEven(2 * x - size), HalfRoundedToEven(2 * y - size),
                              HalfRoundedToEven(2 * x + size), HalfRoundedToEven(2 * y + size)};
  // A pixel is inside when its centre is inside the ellipse the box holds;
  // in doubled coordinates every centre and radius is an integer.
  const long long centreX = box.Left + box.Right, centreY = box.Top + box.Bottom;
  const long long radiusX = box.Width(), radiusY = box.Height();
  const raster::PixelArea area = box.ClippedTo(mask.Width(), mask.Height());
  raster::PixelArea touched;
  for (int row = area.Top; row < area.Bottom; ++row) {
    const long long dy = 2LL * row + 1 - centreY;
    // (dx / rx)² + (dy / ry)² <= 1, as dx² ry² <= rx² (ry² − dy²).
    const long long room = radiusX * radiusX * (radiusY * radiusY - dy * dy);
    if (room < 0) continue;
    int left = box.Left;
    const long long ry2 = radiusY * radiusY;
    while (left < box.Right && (2LL * left + 1 - centreX) * (2LL * left + 1 - centreX) * ry2 > room) ++left;
    const int right = box.Left + box.Right - left;
    const raster::PixelArea span = raster::PixelArea{left, row, right, row + 1}.ClippedTo(mask.Width(), mask.Height());
    if (span.IsEmpty()) continue;
    FillSpan(mask, row, span.Left, span.Right, grey);
    touched = touched.United(span);
  }
  return touched;
}

}  // namespace paint
