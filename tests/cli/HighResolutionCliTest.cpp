#include <gtest/gtest.h>

#include "CliRunner.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"
#include "support/ProjectFixture.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

// A skin painted at 1024 in a 256 section, compiled with high resolution:
// check reads both chains, inspect shows both, export takes either.
TEST(HighResolutionCliTest, BothChainsAreReadShownAndExported) {
  ProjectFixture f;
  raster::Bitmap painted(1024, 1024, raster::PixelFormat::Bgr24);
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024 * 3; ++x) painted.Row(y)[x] = static_cast<std::uint8_t>((x / 3) ^ y);
  raster::SaveBmpFile(painted, f.home / "painted.bmp");
  auto document = f.NewProject("SoldierSkinsLarge.mrb");
  const project::SkinNode& skin = document->NewSkin("Large", "larg");
  document->AddTexture(SectionNode(*document, skin, 1), f.home / "painted.bmp", "< Default >", "");
  project::ProjectOptions options = document->Options();
  options.HighResolution = true;
  document->SetOptions(options);
  document->Save();
  ASSERT_EQ(Marbelle({"compile", Path(f.home / "SoldierSkinsLarge.mrb"), "--home", Path(f.home.Path())}).status, 0);

  const std::filesystem::path package = f.home / "SoldierSkinsLarge.utx";
  EXPECT_EQ(Marbelle({"check", Path(package)}).status, 0);
  const Outcome inspected = Marbelle({"inspect", Path(package)});
  EXPECT_NE(inspected.out.find("P8 256x256 (9 levels)  DXT1 1024x1024 (9 levels)"), std::string::npos) << inspected.out;

  ASSERT_EQ(Marbelle({"export-textures", Path(package), Path(f.home / "plain")}).status, 0);
  ASSERT_EQ(Marbelle({"export-textures", Path(package), Path(f.home / "large"), "--high-resolution"}).status, 0);
  EXPECT_EQ(raster::LoadPicture(f.home / "plain/larg.larg1.png").Width(), 256);
  EXPECT_EQ(raster::LoadPicture(f.home / "large/larg.larg1.png").Width(), 1024);
}
