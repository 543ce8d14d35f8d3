#include "paint/DisplayTexture.h"

#include <algorithm>
#include <cstring>

namespace paint {

namespace {

void OverlayWire(raster::Bitmap& picture, const raster::Bitmap& wire, int position) {
  const raster::Bitmap stretched = wire.ToBgr24().StretchNearest(picture.Width(), picture.Height());
  // Single precision, as the editor has always mixed them.
  const float textureWeight = static_cast<float>(100 - position) / 100.0f;
  const float wireWeight = 1.0f - textureWeight;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    const std::uint8_t* wireRow = stretched.Row(y);
    for (std::size_t i = 0; i < picture.RowBytes(); ++i)
      row[i] = static_cast<std::uint8_t>(static_cast<float>(wireRow[i]) * wireWeight +
                                         static_cast<float>(row[i]) * textureWeight);
  }
}

raster::Bitmap Enlarge(const raster::Bitmap& picture, int zoom) {
  raster::Bitmap large(picture.Width() * zoom, picture.Height() * zoom, raster::PixelFormat::Bgr24);
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    std::uint8_t* out = large.Row(y * zoom);
    for (int x = 0; x < picture.Width(); ++x)
      for (int copy = 0; copy < zoom; ++copy) std::memcpy(out + (x * zoom + copy) * 3, row + x * 3, 3);
    for (int copy = 1; copy < zoom; ++copy) std::memcpy(large.Row(y * zoom + copy), out, large.RowBytes());
  }
  return large;
}

}  // namespace

raster::Bitmap DisplayTexture(const raster::Bitmap& source, const raster::Bitmap* wire, int wirePosition, int zoom) {
  raster::Bitmap picture = source.ToBgr24();
  if (wire && !wire->IsEmpty() && wirePosition > 0 && !picture.IsEmpty())
    OverlayWire(picture, *wire, std::min(wirePosition, 100));
  return zoom > 1 ? Enlarge(picture, zoom) : picture;
}

}  // namespace paint
