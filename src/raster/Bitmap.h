#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace raster {

// One palette colour, laid out like a Windows palette entry.
struct PaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Flags = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// Bgra32 carries the transparency of pictures whose files have an alpha channel,
// for masked sections that take their mask from it.
enum class PixelFormat { Indexed8, Bgr24, Bgra32 };

// A picture in memory: rows from the top, each row tightly packed, either one
// palette index per pixel or blue, green, red (and alpha) bytes per pixel.
class Bitmap {
public:
  Bitmap() = default;
  Bitmap(int width, int height, PixelFormat format);

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  int BytesPerPixel() const { return format_ == PixelFormat::Indexed8 ? 1 : format_ == PixelFormat::Bgr24 ? 3 : 4; }
  std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(BytesPerPixel()); }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }

  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * RowBytes(); }
  const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * RowBytes(); }
  std::vector<std::uint8_t>& Pixels() { return pixels_; }
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

  // Up to 256 colours; empty for an indexed picture whose palette lives elsewhere.
  std::vector<PaletteEntry>& Palette() { return palette_; }
  const std::vector<PaletteEntry>& Palette() const { return palette_; }

  // A 24-bit copy; indexes beyond the palette become black, alpha is dropped.
  Bitmap ToBgr24() const;

  // A copy of the given size in the same format and palette, sampled like a
  // colour-on-colour stretched blit: pixel (x, y) takes source pixel
  // (floor(x * Width() / width), floor(y * Height() / height)). An empty
  // bitmap stretches to a zero-filled one.
  Bitmap StretchNearest(int width, int height) const;

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  std::vector<std::uint8_t> pixels_;
  std::vector<PaletteEntry> palette_;
};

}  // namespace raster
