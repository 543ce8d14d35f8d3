#include "compile/ColorQuantizer.h"

#include <algorithm>
#include <stdexcept>

namespace compile {

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits) : maxColors_(maxColors), colorBits_(colorBits) {
  if (maxColors < 1) throw std::invalid_argument("A quantizer needs at least one colour");
  if (colorBits < 1 || colorBits > 8) throw std::invalid_argument("A quantizer takes 1 to 8 bits per channel");
}

void TColorQuantizer::ProcessImage(const raster::Bitmap& bitmap) {
  const raster::Bitmap picture = bitmap.ToBgr24();
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* pixel = picture.Row(y);
    for (const std::uint8_t* end = pixel + picture.RowBytes(); pixel != end; pixel += 3) {
      AddColor(pixel[2], pixel[1], pixel[0]);
      while (leafCount_ > maxColors_) ReduceTree();
    }
  }
}

std::int32_t TColorQuantizer::CreateNode(int level) {
  std::int32_t index;
  if (released_.empty()) {
    index = static_cast<std::int32_t>(nodes_.size());
    nodes_.emplace_back();
  } else {
    index = released_.back();
    released_.pop_back();
    nodes_[static_cast<std::size_t>(index)] = TOctreeNode();
  }
  TOctreeNode& node = nodes_[static_cast<std::size_t>(index)];
  if (level == colorBits_) {
    node.IsLeaf = true;
    ++leafCount_;
  } else {
    node.Next = reducible_[static_cast<std::size_t>(level)];
    reducible_[static_cast<std::size_t>(level)] = index;
  }
  return index;
}

void TColorQuantizer::AddColor(int red, int green, int blue) {
  if (root_ == None) root_ = CreateNode(0);
  std::int32_t index = root_;
  for (int level = 0;; ++level) {
    TOctreeNode* node = &nodes_[static_cast<std::size_t>(index)];
    if (node->IsLeaf) {
      ++node->PixelCount;
      node->RedSum += red;
      node->GreenSum += green;
      node->BlueSum += blue;
      return;
    }
    const int bit = 7 - level;
    const std::size_t child =
        static_cast<std::size_t>(((red >> bit) & 1) << 2 | ((green >> bit) & 1) << 1 | ((blue >> bit) & 1));
    std::int32_t next = node->Children[child];
    if (next == None) {
      next = CreateNode(level + 1);
      // Creating may have moved the pool.
      nodes_[static_cast<std::size_t>(index)].Children[child] = next;
    }
    index = next;
  }
}

// The deepest reducible level holds only nodes whose children are all leaves:
// any deeper non-leaf would still be listed.
void TColorQuantizer::ReduceTree() {
  int level = colorBits_ - 1;
  while (level > 0 && reducible_[static_cast<std::size_t>(level)] == None) --level;
  const std::int32_t index = reducible_[static_cast<std::size_t>(level)];
  TOctreeNode& node = nodes_[static_cast<std::size_t>(index)];
  reducible_[static_cast<std::size_t>(level)] = node.Next;
  for (std::int32_t& child : node.Children) {
    if (child == None) continue;
    const TOctreeNode& leaf = nodes_[static_cast<std::size_t>(child)];
    node.PixelCount += leaf.PixelCount;
    node.RedSum += leaf.RedSum;
    node.GreenSum += leaf.GreenSum;
    node.BlueSum += leaf.BlueSum;
    released_.push_back(child);
    child = None;
    --leafCount_;
  }
  node.IsLeaf = true;
  ++leafCount_;
}

void TColorQuantizer::AppendLeaves(std::int32_t index, Palette& table) const {
  const TOctreeNode& node = nodes_[static_cast<std::size_t>(index)];
  if (node.IsLeaf) {
    const std::int64_t count = node.PixelCount;
    const auto average = [count](std::int64_t sum) { return static_cast<std::uint8_t>(count == 0 ? 0 : sum / count); };
    table.push_back({average(node.RedSum), average(node.GreenSum), average(node.BlueSum), 0});
    return;
  }
  for (const std::int32_t child : node.Children)
    if (child != None) AppendLeaves(child, table);
}

Palette TColorQuantizer::GetColorTable() const {
  Palette table;
  table.reserve(static_cast<std::size_t>(leafCount_));
  if (root_ != None) AppendLeaves(root_, table);
  return table;
}

Palette BuildOptimizedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, int colorBits) {
  if (bitmaps.empty() || std::ranges::find(bitmaps, nullptr) != bitmaps.end())
    throw std::runtime_error("Invalid bitmap list");
  TColorQuantizer quantizer(colorCount, colorBits);
  for (const raster::Bitmap* bitmap : bitmaps) quantizer.ProcessImage(*bitmap);
  Palette palette = quantizer.GetColorTable();
  const raster::PaletteEntry filler = palette.empty() ? raster::PaletteEntry{} : palette.back();
  palette.resize(static_cast<std::size_t>(colorCount), filler);
  return palette;
}

}  // namespace compile
