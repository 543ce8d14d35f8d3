#pragma once

#include <optional>

#include "raster/Bitmap.h"
#include "raster/PixelArea.h"

namespace paint {

// What the texture editor shows for a texture: its picture in 24 bits, the
// wire bitmap laid over it by the overlay position (0 to 100; at 100 only the
// wire shows), enlarged by the zoom factor (1, 2 or 4), each pixel a square.
// The wire bitmap is stretched to the texture's size once per display, so a
// stroke redraws just the area it changed.
class TextureDisplay {
public:
  // Builds the whole picture.
  void DisplayTexture(const raster::Bitmap& source, const raster::Bitmap* wire, int wirePosition, int zoom);
  // Builds one area again from a 24-bit source of the size last shown.
  void Refresh(const raster::Bitmap& source, raster::PixelArea area);

  // The picture shown, zoom included.
  const raster::Bitmap& Picture() const { return picture_; }
  // The texture pixel under a point of the shown picture. Rounded down, so
  // that a point left of or above the picture stays off it.
  struct Pixel {
    int X;
    int Y;
  };
  Pixel TexturePixel(int x, int y) const;

private:
  void Compose(const raster::Bitmap& source, raster::PixelArea area);

  raster::Bitmap picture_;
  std::optional<raster::Bitmap> wire_;
  int wirePosition_ = 0;
  int zoom_ = 1;
};

}  // namespace paint
