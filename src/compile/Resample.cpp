#include "compile/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace compile {

namespace {

// Each step rounds to single precision: float operands, sin evaluated in
// double and rounded, and no contraction into fused multiply-adds (the
// library builds with -ffp-contract=off).
float Sinc(float x) {
  if (x == 0.0f) return 1.0f;
  const float angle = std::numbers::pi_v<float> * x;
  const float sine = static_cast<float>(std::sin(static_cast<double>(angle)));
  return sine / angle;
}

// For each destination pixel, the source pixels and weights that make it,
// in increasing source position; computed once per column (row).
struct Contributions {
  // Pixel[First[i]] to Pixel[First[i + 1] - 1] belong to destination pixel i.
  std::vector<std::size_t> First;
  std::vector<int> Pixel;
  std::vector<float> Weight;
};

// Reflects positions beyond the edges back into the source; a support wider
// than a small source can still fall outside after one reflection, and then
// takes the edge pixel.
int SourcePixel(int j, int sourceSize) {
  const int mirrored = j < 0 ? -j : j >= sourceSize ? sourceSize - j + sourceSize - 1 : j;
  return std::clamp(mirrored, 0, sourceSize - 1);
}

float Scale(int destinationSize, int sourceSize) {
  return sourceSize == 1 ? static_cast<float>(destinationSize) / static_cast<float>(sourceSize)
                         : static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
}

Contributions Contribute(int destinationSize, int sourceSize, ResampleFilter filter, float support) {
  const float scale = Scale(destinationSize, sourceSize);
  // One destination pixel from several source pixels: every centre would be 0 / 0.
  if (destinationSize >= 1 && scale == 0.0f)
    throw std::runtime_error("Cannot resample " + std::to_string(sourceSize) + " pixels to one");
  Contributions result;
  result.First.reserve(static_cast<std::size_t>(destinationSize) + 1);
  const auto add = [&](int j, float weight) {
    if (weight == 0.0f) return;
    result.Pixel.push_back(SourcePixel(j, sourceSize));
    result.Weight.push_back(weight);
  };
  for (int i = 0; i < destinationSize; ++i) {
    result.First.push_back(result.Pixel.size());
    const float center = static_cast<float>(i) / scale;
    if (scale >= 1.0f) {
      const int last = static_cast<int>(std::ceil(center + support));
      for (int j = static_cast<int>(std::floor(center - support)); j <= last; ++j)
        add(j, filter(center - static_cast<float>(j)));
    } else {
      const float width = support / scale;
      const float fscale = 1.0f / scale;
      const int last = static_cast<int>(std::ceil(center + width));
      for (int j = static_cast<int>(std::floor(center - width)); j <= last; ++j)
        add(j, filter((center - static_cast<float>(j)) / fscale) / fscale);
    }
  }
  result.First.push_back(result.Pixel.size());
  return result;
}

// Adding 2^23 leaves no bits for a fraction, so the addition itself rounds to
// the nearest integer, ties to even, exactly as nearbyint does under the
// default rounding mode (checked for every float from 0 to 255), without a
// library call per channel.
constexpr float RoundingShift = 8388608.0f;

std::uint8_t ToChannel(float sum) {
  const float clamped = std::min(std::max(sum, 0.0f), 255.0f);
  return static_cast<std::uint8_t>(static_cast<int>((clamped + RoundingShift) - RoundingShift));
}

void ResampleRows(const raster::Bitmap& source, raster::Bitmap& destination, const Contributions& columns) {
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.Row(y);
    std::uint8_t* out = destination.Row(y);
    for (int x = 0; x < destination.Width(); ++x, out += 3) {
      float blue = 0.0f, green = 0.0f, red = 0.0f;
      const std::size_t last = columns.First[static_cast<std::size_t>(x) + 1];
      for (std::size_t k = columns.First[static_cast<std::size_t>(x)]; k < last; ++k) {
        const std::uint8_t* pixel = in + static_cast<std::ptrdiff_t>(columns.Pixel[k]) * 3;
        const float weight = columns.Weight[k];
        blue += weight * static_cast<float>(pixel[0]);
        green += weight * static_cast<float>(pixel[1]);
        red += weight * static_cast<float>(pixel[2]);
      }
      out[0] = ToChannel(blue);
      out[1] = ToChannel(green);
      out[2] = ToChannel(red);
    }
  }
}

// Whole rows at a time; each sum still takes its terms in contribution order.
void ResampleColumns(const raster::Bitmap& source, raster::Bitmap& destination, const Contributions& rows) {
  std::vector<float> sums(destination.RowBytes());
  for (int y = 0; y < destination.Height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const std::size_t last = rows.First[static_cast<std::size_t>(y) + 1];
    for (std::size_t k = rows.First[static_cast<std::size_t>(y)]; k < last; ++k) {
      const std::uint8_t* in = source.Row(rows.Pixel[k]);
      const float weight = rows.Weight[k];
      for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += weight * static_cast<float>(in[i]);
    }
    std::uint8_t* out = destination.Row(y);
    for (std::size_t i = 0; i < sums.size(); ++i) out[i] = ToChannel(sums[i]);
  }
}

}  // namespace

float Lanczos3(float x) {
  if (std::fabs(x) >= 3.0f) return 0.0f;
  return Sinc(x) * Sinc(x / 3.0f);
}

void Resample(const raster::Bitmap& source, raster::Bitmap& destination, ResampleFilter filter, float support) {
  if (source.Width() < 1 || source.Height() < 1) throw std::runtime_error("Source bitmap too small");
  const Contributions columns = Contribute(destination.Width(), source.Width(), filter, support);
  const Contributions rows = Contribute(destination.Height(), source.Height(), filter, support);
  raster::Bitmap intermediate(destination.Width(), source.Height(), raster::PixelFormat::Bgr24);
  ResampleRows(source.ToBgr24(), intermediate, columns);
  destination = raster::Bitmap(destination.Width(), destination.Height(), raster::PixelFormat::Bgr24);
  ResampleColumns(intermediate, destination, rows);
}

std::optional<std::string> ApplySizeRule(raster::Bitmap& texture, const std::string& sectionName,
                                         const model::TModeloPart& section) {
  const int width = section.Width;
  const int height = section.Height;
  if (width < 1 || height < 1 || (texture.Width() == width && texture.Height() == height)) return std::nullopt;
  if (section.Has(model::CANNOTRESAMPLE))
    return "A texture on section \"" + sectionName + "\" does not have the right size (" + std::to_string(width) +
           "x" + std::to_string(height) +
           ") and its marked as No Resizable in the model.\r\nPlease remove the texture, resize it and load again.";
  raster::Bitmap resampled(width, height, raster::PixelFormat::Bgr24);
  try {
    Resample(texture, resampled, Lanczos3, Lanczos3Support);
  } catch (const std::runtime_error&) {
    // A texture the resampler cannot read is compiled as the blank bitmap.
  }
  texture = std::move(resampled);
  return std::nullopt;
}

}  // namespace compile
