#include "compile/MipMaps.h"

#include <algorithm>
#include <bit>

#include "compile/PaletteMapping.h"

namespace compile {

int MipLevelCount(const raster::Bitmap& bitmap, bool sectionOneMipMap, bool projectOneMipMap) {
  const int smaller = std::min(bitmap.Width(), bitmap.Height());
  if (sectionOneMipMap || projectOneMipMap || smaller < 1) return 1;
  return static_cast<int>(std::bit_width(static_cast<unsigned>(smaller)));
}

std::vector<raster::Bitmap> BuildMipChain(const raster::Bitmap& prepared, const Palette& palette, int levelCount,
                                          const std::vector<std::uint8_t>& mask, PaletteQuality quality) {
  std::vector<raster::Bitmap> levels;
  levels.reserve(static_cast<std::size_t>(std::max(levelCount, 0)));
  raster::Bitmap picture = prepared.ToBgr24();
  // Held as an 8-bit bitmap so that it halves with the same sampling.
  raster::Bitmap maskPicture;
  if (!mask.empty()) {
    maskPicture = raster::Bitmap(prepared.Width(), prepared.Height(), raster::PixelFormat::Indexed8);
    maskPicture.Pixels() = mask;
  }
  for (int i = 0; i < levelCount; ++i) {
    levels.push_back(MapToPalette(picture, palette, maskPicture.Pixels(), quality));
    if (i + 1 == levelCount) break;
    const int width = picture.Width() / 2;
    const int height = picture.Height() / 2;
    picture = picture.StretchNearest(width, height);
    if (!mask.empty()) maskPicture = maskPicture.StretchNearest(width, height);
  }
  return levels;
}

raster::PaletteEntry ComputeAverageColor(const raster::Bitmap& prepared, const Palette& palette,
                                         PaletteQuality quality) {
  const raster::Bitmap pixel = MapToPalette(prepared.ToBgr24().StretchNearest(1, 1), palette, {}, quality);
  return palette[pixel.Row(0)[0]];
}

}  // namespace compile
