#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "raster/Bitmap.h"

namespace model {

// A section's wire bitmap: the section's triangles drawn in texture space. The
// file is read when first needed, not while the catalogue is scanned, so a large
// catalogue starts quickly and holds no pictures nobody looks at. Copies of a
// model share one.
class WireBitmap {
public:
  explicit WireBitmap(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }
  // The picture at 24 bits per pixel; a file that cannot be read is an error naming it.
  const raster::Bitmap& Picture() const;

private:
  std::filesystem::path file_;
  mutable std::optional<raster::Bitmap> picture_;
};

}  // namespace model
