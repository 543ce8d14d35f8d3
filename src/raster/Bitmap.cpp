#include "raster/Bitmap.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace raster {

Bitmap::Bitmap(int width, int height, PixelFormat format) : width_(width), height_(height), format_(format) {
  if (width < 0 || height < 0)
    throw std::invalid_argument("Invalid bitmap size " + std::to_string(width) + "x" + std::to_string(height));
  pixels_.assign(RowBytes() * static_cast<std::size_t>(height), 0);
}

Bitmap Bitmap::ToBgr24() const {
  if (format_ == PixelFormat::Bgr24) return *this;
  Bitmap out(width_, height_, PixelFormat::Bgr24);
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  const std::uint8_t* in = pixels_.data();
  std::uint8_t* dst = out.pixels_.data();
  if (format_ == PixelFormat::Bgra32) {
    for (std::size_t i = 0; i < count; ++i, dst += 3, in += 4) std::memcpy(dst, in, 3);
    return out;
  }
  for (std::size_t i = 0; i < count; ++i, dst += 3) {
    if (in[i] < palette_.size()) {
      const PaletteEntry& c = palette_[in[i]];
      dst[0] = c.Blue;
      dst[1] = c.Green;
      dst[2] = c.Red;
    }
  }
  return out;
}

Bitmap Bitmap::StretchNearest(int width, int height) const {
  Bitmap out(width, height, format_);
  out.palette_ = palette_;
  if (IsEmpty()) return out;
  const std::size_t pixelBytes = static_cast<std::size_t>(BytesPerPixel());
  // 64-bit products: width times the source width overflows 32 bits for large pictures.
  std::vector<std::size_t> sourceOffsets(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x)
    sourceOffsets[static_cast<std::size_t>(x)] =
        static_cast<std::size_t>(std::int64_t{x} * width_ / width) * pixelBytes;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = Row(static_cast<int>(std::int64_t{y} * height_ / height));
    std::uint8_t* dst = out.Row(y);
    if (pixelBytes == 1) {
      for (const std::size_t offset : sourceOffsets) *dst++ = in[offset];
    } else {
      for (const std::size_t offset : sourceOffsets) {
        std::memcpy(dst, in + offset, pixelBytes);
        dst += pixelBytes;
      }
    }
  }
  return out;
}

}  // namespace raster
