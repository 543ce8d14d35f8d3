#include "project/TextureCell.h"

#include "platform/AsciiText.h"
#include "project/SkinTree.h"
#include "project/TeamLabels.h"

namespace project {

TextureCell DescribeTextureCell(const SkinNode& texture) {
  const std::string caption = texture.Caption();
  TextureCell cell;
  const std::size_t labelEnd = caption.find('>');
  const std::string_view label = std::string_view(caption).substr(0, labelEnd == std::string::npos ? 0 : labelEnd + 1);
  for (const TeamLabel& team : TeamLabels)
    if (!team.Tag.empty() && team.Label == label) cell.SwatchBgr = team.SwatchBgr;
  const std::size_t faceStart = labelEnd == std::string::npos ? caption.size() : labelEnd + 1;
  const std::size_t faceEnd = caption.find('(');
  if (faceEnd != std::string::npos && faceEnd > faceStart)
    cell.Text = platform::Trim(std::string_view(caption).substr(faceStart, faceEnd - faceStart));
  if (cell.Text.empty()) cell.Text = "(default)";
  return cell;
}

}  // namespace project
