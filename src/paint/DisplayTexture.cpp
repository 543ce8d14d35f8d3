#include "paint/DisplayTexture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace paint {

void TextureDisplay::DisplayTexture(const raster::Bitmap& source, const raster::Bitmap* wire, int wirePosition,
                                    int zoom) {
  zoom_ = std::clamp(zoom, 1, 4);
  wirePosition_ = std::clamp(wirePosition, 0, 100);
  wire_.reset();
  if (wire && !wire->IsEmpty() && wirePosition_ > 0 && !source.IsEmpty())
    wire_ = wire->ToBgr24().StretchNearest(source.Width(), source.Height());
  picture_ = raster::Bitmap(source.Width() * zoom_, source.Height() * zoom_, raster::PixelFormat::Bgr24);
  const raster::PixelArea whole = raster::PixelArea::Whole(source.Width(), source.Height());
  if (source.Format() == raster::PixelFormat::Bgr24)
    Compose(source, whole);
  else
    Compose(source.ToBgr24(), whole);
}

void TextureDisplay::Refresh(const raster::Bitmap& source, raster::PixelArea area) {
  if (source.Format() != raster::PixelFormat::Bgr24 || source.Width() * zoom_ != picture_.Width() ||
      source.Height() * zoom_ != picture_.Height())
    throw std::invalid_argument("A display is refreshed from a 24-bit picture of the size it shows");
  Compose(source, area.ClippedTo(source.Width(), source.Height()));
}

TextureDisplay::Pixel TextureDisplay::TexturePixel(int x, int y) const {
  const auto down = [this](int at) { return at >= 0 ? at / zoom_ : -((-at + zoom_ - 1) / zoom_); };
  return {down(x), down(y)};
}

void TextureDisplay::Compose(const raster::Bitmap& source, raster::PixelArea area) {
  if (area.IsEmpty()) return;
  // Single precision, as the editor has always mixed them.
  const float textureWeight = static_cast<float>(100 - wirePosition_) / 100.0f;
  const float wireWeight = 1.0f - textureWeight;
  const std::size_t start = static_cast<std::size_t>(area.Left) * 3;
  const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 3;
  std::vector<std::uint8_t> mixed(wire_ ? bytes : 0);
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* row = source.Row(y) + start;
    if (wire_) {
      const std::uint8_t* wireRow = wire_->Row(y) + start;
      for (std::size_t i = 0; i < bytes; ++i)
        mixed[i] = static_cast<std::uint8_t>(static_cast<float>(wireRow[i]) * wireWeight +
                                             static_cast<float>(row[i]) * textureWeight);
      row = mixed.data();
    }
    std::uint8_t* out = picture_.Row(y * zoom_) + start * static_cast<std::size_t>(zoom_);
    if (zoom_ == 1) {
      std::memcpy(out, row, bytes);
      continue;
    }
    for (int x = 0; x < area.Width(); ++x)
      for (int copy = 0; copy < zoom_; ++copy) std::memcpy(out + (x * zoom_ + copy) * 3, row + x * 3, 3);
    for (int copy = 1; copy < zoom_; ++copy) std::memcpy(picture_.Row(y * zoom_ + copy) + start * static_cast<std::size_t>(zoom_), out,
                  bytes * static_cast<std::size_t>(zoom_));
  }
}

}  // namespace paint
