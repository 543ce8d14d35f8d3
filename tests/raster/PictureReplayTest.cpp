#include <gtest/gtest.h>

#include <QLoggingCategory>

#include "raster/BmpFile.h"
#include "raster/PictureFile.h"
#include "support/Mutations.h"
#include "support/PcxFiles.h"

namespace {

raster::Bitmap Pattern(raster::PixelFormat format) {
  raster::Bitmap bitmap(13, 7, format);
  for (std::size_t i = 0; i < bitmap.Pixels().size(); ++i) bitmap.Pixels()[i] = static_cast<std::uint8_t>(i * 7 % 16);
  if (format == raster::PixelFormat::Indexed8)
    for (int i = 0; i < 16; ++i) bitmap.Palette().push_back({static_cast<std::uint8_t>(i * 16), 0, 0, 0});
  return bitmap;
}

}  // namespace

// Damaged PCX and BMP files decode or fail with a message naming them.
TEST(PictureReplayTest, DamagedPicturesFailCleanly) {
  QLoggingCategory::setFilterRules("marbelle.raster.pcx=false\nqt.gui.imageio=false");
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> seeds = {
      {"pcx", testsupport::Pcx({.xMax = 2, .yMax = 1, .bytesPerLine = 4}, {0xC2, 5, 0xC1, 200, 0xC2, 0, 0xC2, 9, 0}, true)},
      {"pcx", testsupport::Pcx({.planes = 3, .xMax = 1, .yMax = 1, .bytesPerLine = 3},
                               {0xC1, 255, 1, 0, 2, 3, 0, 4, 5, 0, 0xC2, 6, 0, 7, 8, 0, 9, 10, 0}, false)},
      {"bmp", raster::EncodeBmp(Pattern(raster::PixelFormat::Bgr24))},
      {"bmp", raster::EncodeBmp(Pattern(raster::PixelFormat::Indexed8))},
      {"bmp", raster::EncodeBmp(Pattern(raster::PixelFormat::Indexed8), raster::BmpDepth::Indexed4)},
  };
  testsupport::Random random(77);
  for (const auto& [format, seed] : seeds) {
    for (int n = testsupport::MutationsPerFile(800); n > 0; --n) {
      std::vector<std::uint8_t> bytes = seed;
      testsupport::Mutate(bytes, random, {}, {2, 4, 8, 18, 22, 28, 34, 46, 66});
      try {
        const raster::Bitmap picture = raster::DecodePicture(bytes, format, "damaged." + format);
        ASSERT_EQ(picture.Pixels().size(), picture.RowBytes() * static_cast<std::size_t>(picture.Height()));
      } catch (const std::runtime_error& e) {
        ASSERT_NE(std::string(e.what()).find("damaged." + format), std::string::npos) << e.what();
      }
    }
  }
}
