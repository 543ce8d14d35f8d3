#include "raster/Bitmap.h"

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

}  // namespace raster
