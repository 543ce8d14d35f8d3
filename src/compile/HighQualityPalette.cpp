#include "compile/HighQualityPalette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "compile/ColorQuantizer.h"
#include "compile/ExactColours.h"
#include "compile/NearestColour.h"

namespace compile {

namespace {

constexpr int Passes = 3;
// Colours are gathered in cells, with the mean of what fell in each: of 4
// bits a channel to choose the first entries, of 5 for the passes.
constexpr int SeedBits = 4;
constexpr int PassBits = 5;

struct Cell {
  std::uint64_t Count = 0;
  std::uint64_t Red = 0, Green = 0, Blue = 0;
};

struct Point {
  int Red, Green, Blue;
  std::uint32_t Weight;
};

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

std::vector<Point> ColourPoints(const std::vector<const raster::Bitmap*>& bitmaps, int cellBits) {
  std::vector<Cell> cells(std::size_t{1} << (3 * cellBits));
  const int shift = 8 - cellBits;
  for (const raster::Bitmap* bitmap : bitmaps) {
    const raster::Bitmap bgr = bitmap->ToBgr24();
    const std::uint8_t* pixel = bgr.Pixels().data();
    const std::uint8_t* end = pixel + bgr.Pixels().size();
    for (; pixel != end; pixel += 3) {
      Cell& cell = cells[static_cast<std::size_t>((pixel[2] >> shift) << (2 * cellBits) | (pixel[1] >> shift) << cellBits |
                                                  (pixel[0] >> shift))];
      ++cell.Count;
      cell.Red += pixel[2];
      cell.Green += pixel[1];
      cell.Blue += pixel[0];
    }
  }
  std::vector<Point> points;
  for (const Cell& cell : cells)
    if (cell.Count > 0) {
      const auto mean = [&](std::uint64_t sum) { return static_cast<int>((sum + cell.Count / 2) / cell.Count); };
      // Weights beyond 32 bits (a package of huge pictures in one group) only need to keep their order.
      const auto weight = static_cast<std::uint32_t>(std::min<std::uint64_t>(cell.Count, UINT32_MAX));
      points.push_back({mean(cell.Red), mean(cell.Green), mean(cell.Blue), weight});
    }
  return points;
}

// Farthest points first: the heaviest colour, then again and again the colour
// whose weight times its squared distance to the entries chosen is largest,
// so that every colour that matters gets an entry before the blends do.
Palette FarthestPoints(const std::vector<Point>& points, int colorCount) {
  // Channels apart and in floats (squared distances stay exact below 2^24), so the loops run four points a step.
  const std::size_t count = points.size();
  std::vector<float> red(count), green(count), blue(count), weight(count), nearest(count, 1e30f), score(count);
  for (std::size_t p = 0; p < count; ++p) {
    red[p] = static_cast<float>(points[p].Red);
    green[p] = static_cast<float>(points[p].Green);
    blue[p] = static_cast<float>(points[p].Blue);
    weight[p] = static_cast<float>(points[p].Weight);
  }
  std::size_t next = static_cast<std::size_t>(std::max_element(weight.begin(), weight.end()) - weight.begin());
  Palette palette;
  while (palette.size() < static_cast<std::size_t>(colorCount)) {
    const Point& chosen = points[next];
    palette.push_back({static_cast<std::uint8_t>(chosen.Red), static_cast<std::uint8_t>(chosen.Green),
                       static_cast<std::uint8_t>(chosen.Blue), 0});
    const float r = red[next], g = green[next], b = blue[next];
    for (std::size_t p = 0; p < count; ++p) {
      const float dr = red[p] - r, dg = green[p] - g, db = blue[p] - b;
      nearest[p] = std::min(nearest[p], dr * dr + dg * dg + db * db);
      score[p] = nearest[p] * weight[p];
    }
    next = static_cast<std::size_t>(std::max_element(score.begin(), score.end()) - score.begin());
    // Fewer cells than entries: the rest repeat the last, as the octree's palettes do.
    if (score[next] == 0) palette.resize(static_cast<std::size_t>(colorCount), palette.back());
  }
  return palette;
}

}  // namespace

Palette BuildRefinedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount) {
  // The octree refuses a list it cannot read, with its own message.
  const bool readable = !bitmaps.empty() && std::find(bitmaps.begin(), bitmaps.end(), nullptr) == bitmaps.end();
  if (!readable || FewerColoursThan(bitmaps, colorCount)) return BuildOptimizedPalette(bitmaps, colorCount);
  Palette palette = FarthestPoints(ColourPoints(bitmaps, SeedBits), colorCount);
  const std::vector<Point> points = ColourPoints(bitmaps, PassBits);
  std::vector<int> assigned(points.size(), -1);
  struct Sum {
    double Red = 0, Green = 0, Blue = 0, Weight = 0;
  };
  std::vector<Sum> sums(palette.size());
  std::vector<std::pair<double, std::size_t>> worst(points.size());
  for (int pass = 0; pass < Passes; ++pass) {
    const NearestColour nearest(palette);
    std::fill(sums.begin(), sums.end(), Sum{});
    for (std::size_t p = 0; p < points.size(); ++p) {
      const Point& point = points[p];
      const std::uint8_t index = nearest.Find(point.Red, point.Green, point.Blue, assigned[p]);
      assigned[p] = index;
      Sum& sum = sums[index];
      sum.Red += static_cast<double>(point.Red) * point.Weight;
      sum.Green += static_cast<double>(point.Green) * point.Weight;
      sum.Blue += static_cast<double>(point.Blue) * point.Weight;
      sum.Weight += point.Weight;
      const raster::PaletteEntry& e = palette[index];
      const double dr = point.Red - e.Red, dg = point.Green - e.Green, db = point.Blue - e.Blue;
      worst[p] = {-(dr * dr + dg * dg + db * db) * point.Weight, p};
    }
    // Entries no colour chose (the octree's fillers, or ones crowded out) go where the error is largest.
    std::vector<std::size_t> unused;
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (sums[i].Weight == 0) {
        unused.push_back(i);
        continue;
      }
      const auto mean = [&](double total) { return static_cast<std::uint8_t>(std::lround(total / sums[i].Weight)); };
      palette[i] = {mean(sums[i].Red), mean(sums[i].Green), mean(sums[i].Blue), 0};
    }
    const std::size_t moved = std::min(unused.size(), points.size());
    std::partial_sort(worst.begin(), worst.begin() + static_cast<std::ptrdiff_t>(moved), worst.end());
    for (std::size_t k = 0; k < moved; ++k) {
      const Point& point = points[worst[k].second];
      palette[unused[k]] = {static_cast<std::uint8_t>(point.Red), static_cast<std::uint8_t>(point.Green),
                            static_cast<std::uint8_t>(point.Blue), 0};
    }
  }
  return palette;
}

Palette BuildPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, PaletteQuality quality) {
  return quality == PaletteQuality::High ? BuildRefinedPalette(bitmaps, colorCount)
                                         : BuildOptimizedPalette(bitmaps, colorCount);
}

raster::Bitmap MapRefined(const raster::Bitmap& bgr, const Palette& palette, const std::vector<std::uint8_t>& mask) {
  CachedNearestColour nearest(palette, mask.empty() ? 0 : 1);
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
      const bool close = std::abs(error[0]) <= 1 && std::abs(error[1]) <= 1 && std::abs(error[2]) <= 1;
      for (int c = 0; c < 3; ++c) {
        // Three quarters of the error, in sixteenths: shares 7, 3, 5, 1 of twelve sixteenths.
        const int e = close ? 0 : error[c] * 4;
        running[c] = 7 * e / 4;
        below[slot + c - ahead] += 3 * e / 4;
        below[slot + c] += 5 * e / 4;
        below[slot + c + ahead] += e / 4;
      }
    }
    direction = -direction;
  }
  return result;
}

}  // namespace compile
