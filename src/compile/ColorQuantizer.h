#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compile/Palette.h"
#include "raster/Bitmap.h"

namespace compile {

// Octree colour quantizer: colours go down the tree by their bits from the
// most significant, and the tree is reduced after every pixel so that it never
// holds more than the maximum number of leaves.
class TColorQuantizer {
public:
  // Throws std::invalid_argument unless maxColors >= 1 and colorBits is 1 to 8.
  TColorQuantizer(int maxColors, int colorBits);

  // Adds every pixel of the bitmap, read as 24-bit, rows from the top.
  void ProcessImage(const raster::Bitmap& bitmap);

  // One entry per leaf in tree order (children 0 to 7 depth first): the
  // average colour of the leaf's pixels, flags 0.
  Palette GetColorTable() const;

  int LeafCount() const { return leafCount_; }

private:
  static constexpr std::int32_t None = -1;

  // Nodes live in one pool and refer to each other by index; released nodes
  // are reused.
  struct TOctreeNode {
    bool IsLeaf = false;
    // 64-bit sums: a group of large textures overflows 32 bits.
    std::int64_t PixelCount = 0;
    std::int64_t RedSum = 0;
    std::int64_t GreenSum = 0;
    std::int64_t BlueSum = 0;
    // The next node in its level's reducible list.
    std::int32_t Next = None;
    std::array<std::int32_t, 8> Children{None, None, None, None, None, None, None, None};
  };

  void AddColor(int red, int green, int blue);
  std::int32_t CreateNode(int level);
  void ReduceTree();
  void AppendLeaves(std::int32_t node, Palette& table) const;

  int maxColors_;
  int colorBits_;
  int leafCount_ = 0;
  std::int32_t root_ = None;
  std::vector<TOctreeNode> nodes_;
  std::vector<std::int32_t> released_;
  // Per level, the most recently created non-leaf node, heading its list.
  std::array<std::int32_t, 8> reducible_{None, None, None, None, None, None, None, None};
};

// A palette of colorCount entries for the pixels of all the bitmaps, from one
// quantizer with that many colours. Entries past the quantizer's leaves repeat
// the last leaf colour (black only when there are no pixels), so that no
// filler entry attracts dark pixels. Throws std::runtime_error "Invalid bitmap
// list" for an empty list or a null entry.
Palette BuildOptimizedPalette(const std::vector<const raster::Bitmap*>& bitmaps, int colorCount, int colorBits = 8);

}  // namespace compile
