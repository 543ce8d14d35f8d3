#pragma once

#include <algorithm>

namespace raster {

// A rectangle of pixels; the right and bottom edges are outside it.
struct PixelArea {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  static PixelArea Whole(int width, int height) { return {0, 0, width, height}; }

  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  PixelArea ClippedTo(int width, int height) const {
    return {std::max(Left, 0), std::max(Top, 0), std::min(Right, width), std::min(Bottom, height)};
  }
  PixelArea United(const PixelArea& other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return {std::min(Left, other.Left), std::min(Top, other.Top), std::max(Right, other.Right),
            std::max(Bottom, other.Bottom)};
  }

  friend bool operator==(const PixelArea&, const PixelArea&) = default;
};

}  // namespace raster
