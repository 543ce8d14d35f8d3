#include "compile/CompressedMipMaps.h"

#include <squish.h>

#include "compile/Resample.h"

namespace compile {

namespace {

// A level half the size of the last: each pixel the mean of its 2 x 2 block,
// see-through where at least two of the four are.
void Halve(raster::Bitmap& picture, std::vector<std::uint8_t>& mask) {
  const int width = picture.Width() / 2;
  const int height = picture.Height() / 2;
  raster::Bitmap half(width, height, raster::PixelFormat::Bgr24);
  std::vector<std::uint8_t> halfMask(mask.empty() ? 0 : static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* top = picture.Row(2 * y);
    const std::uint8_t* bottom = picture.Row(2 * y + 1);
    std::uint8_t* out = half.Row(y);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        const int left = 6 * x + c;
        out[3 * x + c] = static_cast<std::uint8_t>((top[left] + top[left + 3] + bottom[left] + bottom[left + 3] + 2) / 4);
      }
    if (mask.empty()) continue;
    const std::size_t sourceWidth = static_cast<std::size_t>(picture.Width());
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 2 * static_cast<std::size_t>(y) * sourceWidth + 2 * static_cast<std::size_t>(x);
      const int clear = mask[at] + mask[at + 1] + mask[at + sourceWidth] + mask[at + sourceWidth + 1];
      halfMask[static_cast<std::size_t>(y) * width + x] = clear >= 2 ? 1 : 0;
    }
  }
  picture = std::move(half);
  mask = std::move(halfMask);
}

}  // namespace

std::optional<PreparedTexture> CompressedTopLevel(const PreparedTexture& source, int sectionWidth, int sectionHeight) {
  const int sourceWidth = source.Picture.Width();
  const int sourceHeight = source.Picture.Height();
  if (sectionWidth < 4 || sectionHeight < 4 || (sourceWidth <= sectionWidth && sourceHeight <= sectionHeight))
    return std::nullopt;
  int width = sectionWidth * 2;
  int height = sectionHeight * 2;
  while ((width < sourceWidth || height < sourceHeight) && width * 2 <= MaxCompressedSide &&
         height * 2 <= MaxCompressedSide) {
    width *= 2;
    height *= 2;
  }
  if (width > MaxCompressedSide || height > MaxCompressedSide) return std::nullopt;
  if (width == sourceWidth && height == sourceHeight) return source;
  PreparedTexture top{raster::Bitmap(width, height, raster::PixelFormat::Bgr24), {}};
  Resample(source.Picture, top.Picture, Lanczos3, Lanczos3Support);
  if (!source.Mask.empty()) {
    raster::Bitmap maskPicture(sourceWidth, sourceHeight, raster::PixelFormat::Indexed8);
    maskPicture.Pixels() = source.Mask;
    top.Mask = maskPicture.StretchNearest(width, height).Pixels();
  }
  return top;
}

std::vector<CompressedLevel> BuildCompressedChain(const PreparedTexture& source, int sectionWidth, int sectionHeight) {
  std::optional<PreparedTexture> top = CompressedTopLevel(source, sectionWidth, sectionHeight);
  if (!top) return {};
  raster::Bitmap& picture = top->Picture;
  std::vector<std::uint8_t>& mask = top->Mask;
  std::vector<CompressedLevel> chain;
  while (true) {
    chain.push_back({picture.Width(), picture.Height(), EncodeBc1(picture, mask)});
    if (picture.Width() / 2 < 4 || picture.Height() / 2 < 4) break;
    Halve(picture, mask);
  }
  return chain;
}

std::vector<std::uint8_t> EncodeBc1(const raster::Bitmap& picture, const std::vector<std::uint8_t>& mask) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = picture.Row(y);
    std::uint8_t* out = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const bool clear = !mask.empty() && mask[static_cast<std::size_t>(y) * width + x] != 0;
      out[4 * x] = row[3 * x + 2];
      out[4 * x + 1] = row[3 * x + 1];
      out[4 * x + 2] = row[3 * x];
      out[4 * x + 3] = clear ? 0 : 255;
    }
  }
  const int flags = squish::kDxt1 | squish::kColourRangeFit | (mask.empty() ? 0 : squish::kWeightColourByAlpha);
  std::vector<std::uint8_t> blocks(static_cast<std::size_t>(squish::GetStorageRequirements(width, height, flags)));
  squish::CompressImage(rgba.data(), width, height, blocks.data(), flags);
  return blocks;
}

}  // namespace compile
