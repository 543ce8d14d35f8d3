#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace project {

class SkinNode;

// What the tree shows for a texture: a swatch of its team's colour and its
// face name, never the raw caption.
struct TextureCell {
  // Blue-green-red; none for the default team.
  std::optional<std::uint32_t> SwatchBgr;
  // The face, or "(default)" when the texture has none.
  std::string Text;
};

TextureCell DescribeTextureCell(const SkinNode& texture);

}  // namespace project
