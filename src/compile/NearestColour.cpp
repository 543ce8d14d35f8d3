#include "compile/NearestColour.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace compile {

NearestColour::NearestColour(const Palette& palette, std::size_t firstEntry) : position_(256, -1) {
  const std::size_t last = std::min<std::size_t>(palette.size(), 256);
  if (last <= firstEntry) throw std::invalid_argument("A palette lookup needs at least one colour");
  // The axis of largest spread, by a few rounds of power iteration on the covariance.
  double mean[3] = {0, 0, 0};
  for (std::size_t i = firstEntry; i < last; ++i) {
    mean[0] += palette[i].Red;
    mean[1] += palette[i].Green;
    mean[2] += palette[i].Blue;
  }
  for (double& m : mean) m /= static_cast<double>(last - firstEntry);
  double covariance[3][3] = {};
  for (std::size_t i = firstEntry; i < last; ++i) {
    const double d[3] = {palette[i].Red - mean[0], palette[i].Green - mean[1], palette[i].Blue - mean[2]};
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) covariance[a][b] += d[a] * d[b];
  }
  double axis[3] = {1, 1, 1};
  for (int round = 0; round < 12; ++round) {
    double next[3] = {};
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) next[a] += covariance[a][b] * axis[b];
    const double length = std::sqrt(next[0] * next[0] + next[1] * next[1] + next[2] * next[2]);
    if (length == 0) break;
    for (int a = 0; a < 3; ++a) axis[a] = next[a] / length;
  }
  const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  // Rounded down, so that a key difference never overstates the distance.
  for (int a = 0; a < 3; ++a)
    axis_[a] = static_cast<std::int64_t>(std::floor(std::abs(axis[a] / length) * Scale)) * (axis[a] < 0 ? -1 : 1);
  for (std::size_t i = firstEntry; i < last; ++i) {
    const raster::PaletteEntry& e = palette[i];
    sorted_.push_back({KeyOf(e.Red, e.Green, e.Blue), e.Red, e.Green, e.Blue, static_cast<std::uint8_t>(i)});
  }
  std::stable_sort(sorted_.begin(), sorted_.end(), [](const Entry& a, const Entry& b) { return a.Key < b.Key; });
  for (std::size_t p = 0; p < sorted_.size(); ++p) position_[sorted_[p].Index] = static_cast<std::int32_t>(p);
}

std::int64_t NearestColour::KeyOf(int red, int green, int blue) const {
  return axis_[0] * red + axis_[1] * green + axis_[2] * blue;
}

std::uint8_t NearestColour::Find(int red, int green, int blue, int hint) const {
  const std::int64_t key = KeyOf(red, green, blue);
  std::int64_t best = INT64_MAX;
  std::uint8_t index = 0;
  const auto consider = [&](const Entry& e) {
    const std::int64_t dr = red - e.Red, dg = green - e.Green, db = blue - e.Blue;
    const std::int64_t distance = dr * dr + dg * dg + db * db;
    if (distance < best || (distance == best && e.Index < index)) {
      best = distance;
      index = e.Index;
    }
  };
  if (hint >= 0 && hint < 256 && position_[static_cast<std::size_t>(hint)] >= 0)
    consider(sorted_[static_cast<std::size_t>(position_[static_cast<std::size_t>(hint)])]);
  const auto start = std::lower_bound(sorted_.begin(), sorted_.end(), key,
                                      [](const Entry& e, std::int64_t k) { return e.Key < k; }) - sorted_.begin();
  // The axis is a unit vector (scaled): entries whose key differs by d lie at
  // least d / Scale away, so d * d > best * Scale * Scale ends a side.
  const auto beyond = [&](std::int64_t d) { return best != INT64_MAX && d * d > best * Scale * Scale; };
  const auto size = static_cast<std::ptrdiff_t>(sorted_.size());
  std::ptrdiff_t up = start, down = start - 1;
  while (up < size || down >= 0) {
    if (up < size) {
      if (beyond(sorted_[static_cast<std::size_t>(up)].Key - key)) up = size;
      else consider(sorted_[static_cast<std::size_t>(up++)]);
    }
    if (down >= 0) {
      if (beyond(key - sorted_[static_cast<std::size_t>(down)].Key)) down = -1;
      else consider(sorted_[static_cast<std::size_t>(down--)]);
    }
  }
  return index;
}

CachedNearestColour::CachedNearestColour(const Palette& palette, std::size_t firstEntry)
    : nearest_(palette, firstEntry), cells_(std::size_t{1} << (3 * CellBits), -1) {}

std::uint8_t CachedNearestColour::Find(int red, int green, int blue) {
  constexpr int shift = 8 - CellBits;
  std::int16_t& cell =
      cells_[static_cast<std::size_t>((red >> shift) << (2 * CellBits) | (green >> shift) << CellBits | (blue >> shift))];
  if (cell < 0) cell = nearest_.Find(red, green, blue, last_);
  last_ = cell;
  return static_cast<std::uint8_t>(cell);
}

}  // namespace compile
