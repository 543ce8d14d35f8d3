#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/PixelArea.h"

namespace raster {

// The difference between two states of a bitmap, kept small for an undo
// history: the rectangle where they differ, with its pixels before and after,
// or both bitmaps whole when the size or the format changed.
class BitmapChange {
public:
  BitmapChange() = default;
  static BitmapChange Between(const Bitmap& before, const Bitmap& after);

  // Takes a bitmap from the state before to the state after, and back. A
  // bitmap that meanwhile took another size is left alone by a rectangle.
  void Redo(Bitmap& bitmap) const { Put(bitmap, after_, wholeAfter_); }
  void Undo(Bitmap& bitmap) const { Put(bitmap, before_, wholeBefore_); }

  const PixelArea& Area() const { return area_; }

private:
  void Put(Bitmap& bitmap, const std::vector<std::uint8_t>& rows, const std::optional<Bitmap>& whole) const;

  PixelArea area_;
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  std::vector<std::uint8_t> before_;
  std::vector<std::uint8_t> after_;
  std::optional<Bitmap> wholeBefore_;
  std::optional<Bitmap> wholeAfter_;
};

}  // namespace raster
