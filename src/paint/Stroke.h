#pragma once

#include <cstdint>
#include <optional>

#include "raster/BlendThroughMask.h"
#include "raster/Bitmap.h"
#include "raster/PixelArea.h"

namespace paint {

// What the panel's controls say at the moment of a dab; they may change
// during a stroke.
struct Brush {
  int Size = 15;
  int Intensity = 50;
  // Red in the lowest byte.
  std::uint32_t Colour = 0;
  raster::BlendMode Mode = raster::BlendMode::Brush;
};

// The Picker: the colour of a picture's pixel, red in the lowest byte; none
// off the picture or on one that is not 24-bit.
std::optional<std::uint32_t> PickColour(const raster::Bitmap& picture, int x, int y);

// One stroke, from press to release, on a 24-bit picture. Every dab is
// blended from the picture as it was at the press, through the stroke's mask,
// so going over one spot again never builds up.
class Stroke {
public:
  // The press: the picture as it stands becomes the snapshot.
  explicit Stroke(const raster::Bitmap& picture);

  // A dab at texture pixel (x, y), applied at once. Returns the area of the
  // picture that may have changed.
  raster::PixelArea Dab(int x, int y, const Brush& brush);

  // The picture as it was at the press, and as it is now.
  const raster::Bitmap& Snapshot() const { return snapshot_; }
  const raster::Bitmap& Picture() const { return picture_; }

private:
  raster::Bitmap snapshot_;
  raster::Bitmap picture_;
  raster::Bitmap mask_;
};

}  // namespace paint
