#include "compile/NearestColour.h"

#include <algorithm>
#include <stdexcept>

namespace compile {

namespace {

// A list's count, where 256 entries wrap to 0 in its byte.
int CountOf(const std::uint8_t* list) { return list[0] == 0 ? 256 : list[0]; }

}  // namespace

NearestColour::NearestColour(const Palette& palette, std::size_t firstEntry)
    : coarse_(std::size_t{1} << (3 * CoarseBits), Unknown), fine_(std::size_t{1} << (3 * FineBits), Unknown) {
  const std::size_t last = std::min<std::size_t>(palette.size(), 256);
  if (last <= firstEntry) throw std::invalid_argument("A palette lookup needs at least one colour");
  all_.push_back(static_cast<std::uint8_t>(last - firstEntry));
  for (std::size_t i = firstEntry; i < last; ++i) {
    reds_[i] = palette[i].Red;
    greens_[i] = palette[i].Green;
    blues_[i] = palette[i].Blue;
    all_.push_back(static_cast<std::uint8_t>(i));
  }
}

std::int32_t NearestColour::ListOf(int red, int green, int blue, int bits, std::vector<std::int32_t>& cells) {
  const int shift = 8 - bits;
  const int cell = (red >> shift) << (2 * bits) | (green >> shift) << bits | blue >> shift;
  std::int32_t& start = cells[static_cast<std::size_t>(cell)];
  if (start != Unknown) return start;
  std::size_t parent = 0;
  if (bits == FineBits) parent = static_cast<std::size_t>(ListOf(red, green, blue, CoarseBits, coarse_));
  // Room for the whole list first, so that the parent's list stays where it is.
  const std::size_t at = lists_.size();
  lists_.resize(at + 257);
  const std::uint8_t* from = bits == FineBits ? lists_.data() + parent : all_.data();
  const int side = 1 << shift;
  const int low[3] = {red >> shift << shift, green >> shift << shift, blue >> shift << shift};
  // Squared distances from each entry to the nearest and the farthest point of the cell.
  const int count = CountOf(from);
  std::array<std::int32_t, 256> nearest;
  std::int32_t bound = INT32_MAX;
  for (int n = 0; n < count; ++n) {
    const std::size_t i = from[n + 1];
    const std::int32_t value[3] = {reds_[i], greens_[i], blues_[i]};
    std::int32_t near = 0, far = 0;
    for (int c = 0; c < 3; ++c) {
      const std::int32_t outside = std::max({low[c] - value[c], value[c] - (low[c] + side - 1), 0});
      near += outside * outside;
      const std::int32_t reach = std::max(value[c] - low[c], low[c] + side - 1 - value[c]);
      far += reach * reach;
    }
    nearest[static_cast<std::size_t>(n)] = near;
    bound = std::min(bound, far);
  }
  std::uint8_t* list = lists_.data() + at;
  int kept = 0;
  for (int n = 0; n < count; ++n)
    if (nearest[static_cast<std::size_t>(n)] <= bound) list[++kept] = from[n + 1];
  list[0] = static_cast<std::uint8_t>(kept);
  lists_.resize(at + 1 + static_cast<std::size_t>(kept));
  start = static_cast<std::int32_t>(at);
  return start;
}

std::uint8_t NearestColour::Find(int red, int green, int blue) {
  const std::int32_t at = ListOf(red, green, blue, FineBits, fine_);
  const std::uint8_t* list = lists_.data() + at;
  const int count = CountOf(list);
  std::int32_t best = INT32_MAX;
  std::uint8_t index = 0;
  for (int n = 1; n <= count; ++n) {
    const std::size_t i = list[n];
    const std::int32_t dr = red - reds_[i], dg = green - greens_[i], db = blue - blues_[i];
    const std::int32_t distance = dr * dr + dg * dg + db * db;
    if (distance < best) {
      best = distance;
      index = static_cast<std::uint8_t>(i);
    }
  }
  return index;
}

}  // namespace compile
