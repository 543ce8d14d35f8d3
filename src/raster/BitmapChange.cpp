#include "raster/BitmapChange.h"

#include <cstring>

namespace raster {

namespace {

PixelArea DifferingArea(const Bitmap& before, const Bitmap& after) {
  const std::size_t rowBytes = before.RowBytes();
  int top = 0;
  while (top < before.Height() && std::memcmp(before.Row(top), after.Row(top), rowBytes) == 0) ++top;
  if (top == before.Height()) return {};
  int bottom = before.Height();
  while (std::memcmp(before.Row(bottom - 1), after.Row(bottom - 1), rowBytes) == 0) --bottom;
  const std::size_t pixelBytes = static_cast<std::size_t>(before.BytesPerPixel());
  std::size_t first = rowBytes, last = 0;
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* a = before.Row(y);
    const std::uint8_t* b = after.Row(y);
    std::size_t i = 0;
    while (i < first && a[i] == b[i]) ++i;
    first = std::min(first, i);
    std::size_t j = rowBytes;
    while (j > last && a[j - 1] == b[j - 1]) --j;
    last = std::max(last, j);
  }
  return {static_cast<int>(first / pixelBytes), top, static_cast<int>((last + pixelBytes - 1) / pixelBytes), bottom};
}

std::vector<std::uint8_t> Copy(const Bitmap& bitmap, const PixelArea& area) {
  const std::size_t start = static_cast<std::size_t>(area.Left * bitmap.BytesPerPixel());
  const std::size_t bytes = static_cast<std::size_t>(area.Width() * bitmap.BytesPerPixel());
  std::vector<std::uint8_t> rows(bytes * static_cast<std::size_t>(area.Height()));
  for (int y = area.Top; y < area.Bottom; ++y)
    std::memcpy(rows.data() + static_cast<std::size_t>(y - area.Top) * bytes, bitmap.Row(y) + start, bytes);
  return rows;
}

}  // namespace

BitmapChange BitmapChange::Between(const Bitmap& before, const Bitmap& after) {
  BitmapChange change;
  if (before.Width() != after.Width() || before.Height() != after.Height() || before.Format() != after.Format() ||
      before.Palette() != after.Palette()) {
    change.wholeBefore_ = before;
    change.wholeAfter_ = after;
    change.area_ = PixelArea::Whole(after.Width(), after.Height());
    return change;
  }
  change.width_ = before.Width();
  change.height_ = before.Height();
  change.format_ = before.Format();
  change.area_ = DifferingArea(before, after);
  change.before_ = Copy(before, change.area_);
  change.after_ = Copy(after, change.area_);
  return change;
}

void BitmapChange::Put(Bitmap& bitmap, const std::vector<std::uint8_t>& rows, const std::optional<Bitmap>& whole) const {
  if (whole) {
    bitmap = *whole;
    return;
  }
  if (bitmap.Width() != width_ || bitmap.Height() != height_ || bitmap.Format() != format_) return;
  const std::size_t start = static_cast<std::size_t>(area_.Left * bitmap.BytesPerPixel());
  const std::size_t bytes = static_cast<std::size_t>(area_.Width() * bitmap.BytesPerPixel());
  for (int y = area_.Top; y < area_.Bottom; ++y)
    std::memcpy(bitmap.Row(y) + start, rows.data() + static_cast<std::size_t>(y - area_.Top) * bytes, bytes);
}

}  // namespace raster
