#include "compile/ExactColours.h"

#include <algorithm>

namespace compile {

SmallColourSet::SmallColourSet(std::size_t limit) : limit_(std::min<std::size_t>(limit, 256)) {}

bool SmallColourSet::Add(const std::uint8_t* bgr, std::uint8_t index) {
  const std::uint32_t key = Key(bgr);
  for (std::size_t slot = Home(key);; slot = (slot + 1) % Slots) {
    if (keys_[slot] == key) return true;
    if (keys_[slot] != 0) continue;
    if (size_ == limit_) return false;
    keys_[slot] = key;
    indexes_[slot] = index;
    ++size_;
    return true;
  }
}

std::optional<std::uint8_t> SmallColourSet::Find(const std::uint8_t* bgr) const {
  const std::uint32_t key = Key(bgr);
  for (std::size_t slot = Home(key);; slot = (slot + 1) % Slots) {
    if (keys_[slot] == key) return indexes_[slot];
    if (keys_[slot] == 0) return std::nullopt;
  }
}

std::optional<raster::Bitmap> FewColours(const raster::Bitmap& bgr, const std::vector<std::uint8_t>& mask,
                                         std::size_t limit) {
  SmallColourSet seen(limit);
  std::vector<std::uint8_t> colours;
  const std::uint8_t* pixel = bgr.Pixels().data();
  const std::size_t count = static_cast<std::size_t>(bgr.Width()) * static_cast<std::size_t>(bgr.Height());
  for (std::size_t i = 0; i < count; ++i, pixel += 3) {
    if (!mask.empty() && mask[i] != 0) continue;
    const std::size_t before = seen.Size();
    if (!seen.Add(pixel)) return std::nullopt;
    if (seen.Size() > before) colours.insert(colours.end(), pixel, pixel + 3);
  }
  raster::Bitmap row(static_cast<int>(colours.size() / 3), colours.empty() ? 0 : 1, raster::PixelFormat::Bgr24);
  row.Pixels() = std::move(colours);
  return row;
}

std::optional<raster::Bitmap> MapExactly(const raster::Bitmap& bgr, const Palette& palette,
                                         const std::vector<std::uint8_t>& mask, std::size_t firstEntry) {
  SmallColourSet entries(256);
  // Entries past the limit of an index never get a pixel.
  const std::size_t last = std::min<std::size_t>(palette.size(), 256);
  for (std::size_t i = firstEntry; i < last; ++i) {
    const std::uint8_t colour[3] = {palette[i].Blue, palette[i].Green, palette[i].Red};
    entries.Add(colour, static_cast<std::uint8_t>(i));
  }
  raster::Bitmap result(bgr.Width(), bgr.Height(), raster::PixelFormat::Indexed8);
  const std::uint8_t* pixel = bgr.Pixels().data();
  std::uint8_t* out = result.Pixels().data();
  const std::size_t count = result.Pixels().size();
  for (std::size_t i = 0; i < count; ++i, pixel += 3) {
    if (!mask.empty() && mask[i] != 0) {
      out[i] = 0;
      continue;
    }
    const std::optional<std::uint8_t> index = entries.Find(pixel);
    if (!index) return std::nullopt;
    out[i] = *index;
  }
  result.Palette() = palette;
  return result;
}

}  // namespace compile
