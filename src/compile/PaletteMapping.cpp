#include "compile/PaletteMapping.h"

#include "compile/ExactColours.h"
#include "compile/HighQualityPalette.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace compile {

namespace {

constexpr std::size_t MaxEntries = 256;
constexpr std::size_t CellCount = 32768;
// Farther from every colour than any palette colour can be, yet three
// distances to it still fit 16 bits.
constexpr std::int16_t Unreachable = 2000;

}  // namespace

TFastColorLookup::TFastColorLookup(const Palette& palette, std::size_t firstEntry)
    : entries_(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(std::min(palette.size(), MaxEntries))),
      firstEntry_(firstEntry),
      cache_(CellCount, -1) {
  if (entries_.size() <= firstEntry_) throw std::invalid_argument("A palette lookup needs at least one colour");
  reds_.fill(Unreachable);
  greens_.fill(Unreachable);
  blues_.fill(Unreachable);
  searched_ = (entries_.size() + 7) / 8 * 8;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (i < firstEntry_) continue;
    const raster::PaletteEntry& entry = entries_[i];
    reds_[i] = entry.Red;
    greens_[i] = entry.Green;
    blues_[i] = entry.Blue;
    std::int16_t& cell = cache_[static_cast<std::size_t>(Cell(entry.Red, entry.Green, entry.Blue))];
    if (cell < 0) cell = static_cast<std::int16_t>(i);
  }
}

std::uint8_t TFastColorLookup::Lookup(int red, int green, int blue) {
  std::int16_t& cell = cache_[static_cast<std::size_t>(Cell(red, green, blue))];
  if (cell < 0) cell = Search(red, green, blue);
  return static_cast<std::uint8_t>(cell);
}

// The smallest distance first, eight entries a step, then the first entry at
// it, so the lowest index wins ties.
std::uint8_t TFastColorLookup::Search(int red, int green, int blue) const {
  alignas(16) std::array<std::int16_t, MaxEntries> distances;
#if defined(__SSE2__)
  const __m128i r = _mm_set1_epi16(static_cast<std::int16_t>(red));
  const __m128i g = _mm_set1_epi16(static_cast<std::int16_t>(green));
  const __m128i b = _mm_set1_epi16(static_cast<std::int16_t>(blue));
  const auto absDiff = [](__m128i x, const std::int16_t* y) {
    const __m128i d = _mm_sub_epi16(x, _mm_load_si128(reinterpret_cast<const __m128i*>(y)));
    return _mm_max_epi16(d, _mm_sub_epi16(_mm_setzero_si128(), d));
  };
  __m128i nearest = _mm_set1_epi16(INT16_MAX);
  for (std::size_t i = 0; i < searched_; i += 8) {
    const __m128i d = _mm_add_epi16(_mm_add_epi16(absDiff(r, &reds_[i]), absDiff(g, &greens_[i])), absDiff(b, &blues_[i]));
    _mm_store_si128(reinterpret_cast<__m128i*>(&distances[i]), d);
    nearest = _mm_min_epi16(nearest, d);
  }
  alignas(16) std::array<std::int16_t, 8> lanes;
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes.data()), nearest);
  const std::int16_t smallest = *std::min_element(lanes.begin(), lanes.end());
#else
  std::int16_t smallest = INT16_MAX;
  for (std::size_t i = 0; i < searched_; ++i) {
    distances[i] = static_cast<std::int16_t>(std::abs(red - reds_[i]) + std::abs(green - greens_[i]) + std::abs(blue - blues_[i]));
    smallest = std::min(smallest, distances[i]);
  }
#endif
  std::size_t i = 0;
  while (distances[i] != smallest) ++i;
  return static_cast<std::uint8_t>(i);
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width)
    : width_(width),
      received_((static_cast<std::size_t>(std::max(width, 0)) + 2) * 3),
      nextRow_(received_.size()) {}

void TFloydSteinbergDitherer::MapRow(const std::uint8_t* bgr, std::uint8_t* indexes, TFastColorLookup& lookup,
                                     const std::uint8_t* maskRow) {
  std::swap(received_, nextRow_);
  std::fill(nextRow_.begin(), nextRow_.end(), 0);
  const int direction = direction_;
  direction_ = -direction;
  const std::ptrdiff_t ahead = direction * 3;
  std::int32_t running[3] = {0, 0, 0};
  int x = direction > 0 ? 0 : width_ - 1;
  for (int n = 0; n < width_; ++n, x += direction) {
    const std::uint8_t* pixel = bgr + static_cast<std::ptrdiff_t>(x) * 3;
    const std::size_t slot = (static_cast<std::size_t>(x) + 1) * 3;
    const std::int32_t* from = received_.data() + slot;
    std::int32_t* below = nextRow_.data() + slot;
    if (maskRow && maskRow[x] != 0) {
      indexes[x] = 0;
      running[0] = running[1] = running[2] = 0;
      continue;
    }
    int corrected[3];
    for (int c = 0; c < 3; ++c)
      corrected[c] = std::clamp(pixel[c] + (from[c] + running[c] + 8) / 16, 0, 255);
    const std::uint8_t index = lookup.Lookup(corrected[2], corrected[1], corrected[0]);
    indexes[x] = index;
    const raster::PaletteEntry& chosen = lookup.Colour(index);
    const int error[3] = {corrected[0] - chosen.Blue, corrected[1] - chosen.Green, corrected[2] - chosen.Red};
    for (int c = 0; c < 3; ++c) {
      running[c] = 7 * error[c];
      below[c - ahead] += 3 * error[c];
      below[c] += 5 * error[c];
      below[c + ahead] += error[c];
    }
  }
}

raster::Bitmap MapToPalette(const raster::Bitmap& bitmap, const Palette& palette,
                            const std::vector<std::uint8_t>& mask, PaletteQuality quality) {
  const std::size_t pixels = static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bitmap.Height());
  if (!mask.empty() && mask.size() != pixels) throw std::invalid_argument("The mask does not match the bitmap");
  const raster::Bitmap source = bitmap.ToBgr24();
  // A palette that holds every colour of the picture keeps it as it is.
  if (auto exact = MapExactly(source, palette, mask, mask.empty() ? 0 : 1)) return std::move(*exact);
  if (quality == PaletteQuality::High) return MapRefined(source, palette, mask);
  TFastColorLookup lookup(palette, mask.empty() ? 0 : 1);
  TFloydSteinbergDitherer ditherer(bitmap.Width());
  raster::Bitmap result(bitmap.Width(), bitmap.Height(), raster::PixelFormat::Indexed8);
  result.Palette() = palette;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* maskRow = mask.empty() ? nullptr : mask.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.Width());
    ditherer.MapRow(source.Row(y), result.Row(y), lookup, maskRow);
  }
  return result;
}

}  // namespace compile
