#include "modelcompiler/WireBitmapDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace modelcompiler {

namespace {

struct Point {
  double X = 0, Y = 0;
};

const std::vector<raster::PaletteEntry> StandardPalette = {
    {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0}, {0, 0, 128, 0},   {128, 0, 128, 0},
    {0, 128, 128, 0},   {192, 192, 192, 0}, {128, 128, 128, 0}, {255, 0, 0, 0}, {0, 255, 0, 0},   {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0}};

// A texture coordinate's pixel, V growing upwards; truncated toward zero.
Point CornerPixel(const model3d::TTexCoord& t) {
  return {std::trunc(256.0 * t.U), std::trunc((1.0 - static_cast<double>(t.V)) * 256.0)};
}

// Cuts a segment to a box a little larger than the bitmap, so wild texture
// coordinates neither overflow nor draw for ever. Nothing when it misses.
std::optional<std::pair<Point, Point>> Clip(Point a, Point b) {
  constexpr double Low = -2, High = WireBitmapSize + 2;
  if (!std::isfinite(a.X) || !std::isfinite(a.Y) || !std::isfinite(b.X) || !std::isfinite(b.Y)) return std::nullopt;
  double t0 = 0, t1 = 1;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.X - Low, High - a.X, a.Y - Low, High - a.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  if (t0 > t1) return std::nullopt;
  // Lines inside the box keep their exact ends; cut ends lie outside the bitmap.
  return std::pair{Point{std::round(a.X + t0 * dx), std::round(a.Y + t0 * dy)},
                   Point{std::round(a.X + t1 * dx), std::round(a.Y + t1 * dy)}};
}

void Plot(raster::Bitmap& bitmap, int x, int y) {
  if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height()) bitmap.Row(y)[x] = WireLine;
}

// A line from `from` up to but not including `to`, as a pen draws it.
void Line(raster::Bitmap& bitmap, Point from, Point to) {
  const auto clipped = Clip(from, to);
  if (!clipped) return;
  int x = static_cast<int>(clipped->first.X), y = static_cast<int>(clipped->first.Y);
  const int x1 = static_cast<int>(clipped->second.X), y1 = static_cast<int>(clipped->second.Y);
  const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
  const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
  int error = dx + dy;
  while (x != x1 || y != y1) {
    Plot(bitmap, x, y);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

}  // namespace

raster::Bitmap DrawWireBitmap(const model3d::TObjeto3D& model, int material, int& drawn) {
  raster::Bitmap bitmap(WireBitmapSize, WireBitmapSize, raster::PixelFormat::Indexed8);
  bitmap.Palette() = StandardPalette;
  std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), WireBackground);
  drawn = 0;
  for (const model3d::TTriangle3D& triangle : model.Triangles) {
    if (triangle.Material != material) continue;
    Point corners[3];
    for (int c = 0; c < 3; ++c) corners[c] = CornerPixel(model.TexCoords.at(triangle.TexCoord[c]));
    Line(bitmap, corners[0], corners[1]);
    Line(bitmap, corners[1], corners[2]);
    Line(bitmap, corners[2], corners[0]);
    ++drawn;
  }
  return bitmap;
}

}  // namespace modelcompiler
