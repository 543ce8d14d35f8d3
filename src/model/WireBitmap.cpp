#include "model/WireBitmap.h"

#include "raster/PictureFile.h"

namespace model {

const raster::Bitmap& WireBitmap::Picture() const {
  if (!picture_) picture_ = raster::LoadPicture(file_).ToBgr24();
  return *picture_;
}

}  // namespace model
