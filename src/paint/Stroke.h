#pragma once

#include <cstdint>

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
  // The coverage so far, as grey levels.
  const raster::Bitmap& Mask() const { return mask_; }

private:
  raster::Bitmap snapshot_;
  raster::Bitmap picture_;
  raster::Bitmap mask_;
};

}  // namespace paint
