#include "compile/HighQualityPalette.h"

#include <libimagequant.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "compile/ColorQuantizer.h"
#include "compile/ExactColours.h"
#include "compile/NearestColour.h"

namespace compile {

namespace {

// On the comparison's pictures this is as close as pngquant's own palettes,
// in a third of the time of the library's default; one step faster loses
// 1.4 dB on the smooth ones.
constexpr int Speed = 7;

struct AttrDeleter {
  void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct HistogramDeleter {
  void operator()(liq_histogram* histogram) const { liq_histogram_destroy(histogram); }
};
struct ImageDeleter {
  void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct ResultDeleter {
  void operator()(liq_result* result) const { liq_result_destroy(result); }
};
using Attr = std::unique_ptr<liq_attr, AttrDeleter>;
using Histogram = std::unique_ptr<liq_histogram, HistogramDeleter>;
using Image = std::unique_ptr<liq_image, ImageDeleter>;
using Result = std::unique_ptr<liq_result, ResultDeleter>;

void Check(liq_error error, const char* what) {
  if (error == LIQ_OUT_OF_MEMORY) throw std::bad_alloc();
  if (error != LIQ_OK) throw std::runtime_error(std::string("The palette library cannot ") + what);
}

Attr MakeAttr(int colorCount) {
  Attr attr(liq_attr_create());
  if (!attr) throw std::bad_alloc();
  Check(liq_set_max_colors(attr.get(), colorCount), "take that many colours");
  Check(liq_set_speed(attr.get(), Speed), "work at that speed");
  return attr;
}

// A picture's pixels as the library reads them, opaque; they live as long as its image.
struct RgbaPicture {
  std::vector<liq_color> Pixels;
  Image Handle;
};

RgbaPicture MakeImage(const liq_attr& attr, const raster::Bitmap& bitmap) {
  const raster::Bitmap bgr = bitmap.ToBgr24();
  RgbaPicture picture;
  picture.Pixels.resize(static_cast<std::size_t>(bgr.Width()) * static_cast<std::size_t>(bgr.Height()));
  const std::uint8_t* pixel = bgr.Pixels().data();
  for (liq_color& colour : picture.Pixels) {
    colour = {pixel[2], pixel[1], pixel[0], 255};
    pixel += 3;
  }
  picture.Handle.reset(liq_image_create_rgba(&attr, picture.Pixels.data(), bgr.Width(), bgr.Height(), 0));
  if (!picture.Handle) throw std::runtime_error("The palette library cannot read a picture of that size");
  return picture;
}

bool FewerColoursThan(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount) {
  SmallColourSet colours(static_cast<std::size_t>(colorCount));
  for (const raster::Bitmap* bitmap : bitmaps) {
    const raster::Bitmap bgr = bitmap->ToBgr24();
    const std::uint8_t* pixel = bgr.Pixels().data();
    for (std::size_t i = 0; i < bgr.Pixels().size(); i += 3)
      if (!colours.Add(pixel + i)) return false;
  }
  return true;
}

// The mipmap levels of a texture, and the textures of a palette group, map onto
// one palette one after another: each thread lists a palette's cells once.
NearestColour& LookupFor(const Palette& palette, std::size_t firstEntry) {
  struct Last {
    Palette Colours;
    std::size_t FirstEntry = 0;
    std::optional<NearestColour> Lookup;
  };
  thread_local Last last;
  if (!last.Lookup || last.FirstEntry != firstEntry || last.Colours != palette) {
    last.Lookup.emplace(palette, firstEntry);
    last.Colours = palette;
    last.FirstEntry = firstEntry;
  }
  return *last.Lookup;
}

}  // namespace

Palette BuildRefinedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount) {
  // The octree refuses a list it cannot read, with its own message, and keeps pictures of few colours exactly.
  const bool readable = !bitmaps.empty() && std::find(bitmaps.begin(), bitmaps.end(), nullptr) == bitmaps.end();
  if (!readable || colorCount < 2 || FewerColoursThan(bitmaps, colorCount)) return BuildOptimizedPalette(bitmaps, colorCount);
  Attr attr = MakeAttr(colorCount);
  // One histogram of every picture of the group, so that a shared palette serves them all.
  Histogram histogram(liq_histogram_create(attr.get()));
  if (!histogram) throw std::bad_alloc();
  for (const raster::Bitmap* bitmap : bitmaps) {
    RgbaPicture picture = MakeImage(*attr, *bitmap);
    Check(liq_histogram_add_image(histogram.get(), attr.get(), picture.Handle.get()), "count the colours of a picture");
  }
  liq_result* made = nullptr;
  Check(liq_histogram_quantize(histogram.get(), attr.get(), &made), "make the palette");
  const Result result(made);
  const liq_palette* entries = liq_get_palette(result.get());
  Palette palette;
  for (unsigned i = 0; i < entries->count; ++i)
    palette.push_back({entries->entries[i].r, entries->entries[i].g, entries->entries[i].b, 0});
  // Fewer colours than entries: the rest repeat the last, as the octree's palettes do.
  palette.resize(static_cast<std::size_t>(colorCount), palette.back());
  return palette;
}

Palette BuildPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, PaletteQuality quality) {
  return quality == PaletteQuality::High ? BuildRefinedPalette(bitmaps, colorCount)
                                         : BuildOptimizedPalette(bitmaps, colorCount);
}

raster::Bitmap MapRefined(const raster::Bitmap& bgr, const Palette& palette, const std::vector<std::uint8_t>& mask) {
  NearestColour& nearest = LookupFor(palette, mask.empty() ? 0 : 1);
  const int width = bgr.Width();
  raster::Bitmap result(width, bgr.Height(), raster::PixelFormat::Indexed8);
  result.Palette() = palette;
  // Errors in sixteenths, three channels a pixel, one pixel of margin on both sides.
  std::vector<int> received((static_cast<std::size_t>(width) + 2) * 3), below(received.size());
  int direction = 1;
  for (int y = 0; y < bgr.Height(); ++y) {
    std::swap(received, below);
    std::fill(below.begin(), below.end(), 0);
    const std::uint8_t* row = bgr.Row(y);
    std::uint8_t* out = result.Row(y);
    const std::uint8_t* maskRow = mask.empty() ? nullptr : mask.data() + static_cast<std::size_t>(y) * width;
    const std::ptrdiff_t ahead = direction * 3;
    int running[3] = {0, 0, 0};
    for (int n = 0, x = direction > 0 ? 0 : width - 1; n < width; ++n, x += direction) {
      const std::size_t slot = (static_cast<std::size_t>(x) + 1) * 3;
      if (maskRow && maskRow[x] != 0) {
        out[x] = 0;
        running[0] = running[1] = running[2] = 0;
        continue;
      }
      const std::uint8_t* pixel = row + static_cast<std::ptrdiff_t>(x) * 3;
      int wanted[3];
      for (int c = 0; c < 3; ++c) wanted[c] = std::clamp(pixel[c] + (received[slot + c] + running[c] + 8) / 16, 0, 255);
      const std::uint8_t index = nearest.Find(wanted[2], wanted[1], wanted[0]);
      out[x] = index;
      const raster::PaletteEntry& chosen = palette[index];
      const int error[3] = {wanted[0] - chosen.Blue, wanted[1] - chosen.Green, wanted[2] - chosen.Red};
      // Nothing from a pixel its entry matches within a level, so flat areas stay flat.
      const bool close = std::abs(error[0]) <= 1 && std::abs(error[1]) <= 1 && std::abs(error[2]) <= 1;
      for (int c = 0; c < 3; ++c) {
        // Half of Floyd-Steinberg's shares 7, 3, 5, 1, in sixteenths.
        const int e = close ? 0 : error[c];
        running[c] = 7 * e / 2;
        below[slot + c - ahead] += 3 * e / 2;
        below[slot + c] += 5 * e / 2;
        below[slot + c + ahead] += e / 2;
      }
    }
    direction = -direction;
  }
  return result;
}

}  // namespace compile
