#include <gtest/gtest.h>

#include "raster/PictureFile.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

using namespace project;

namespace {

// A project with one texture from `file`, painted over and not yet saved.
std::unique_ptr<ProjectDocument> PaintedProject(ProjectFixture& f, const std::filesystem::path& file) {
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& texture = document->AddTexture(SectionNode(*document, skin, 1), file, "< Default >", "");
  raster::Bitmap painted = texture.Texture().SourceBitmap;
  std::fill(painted.Pixels().begin(), painted.Pixels().end(), 200);
  document->SetSourceBitmap(texture, painted);
  return document;
}

const TObjetoTextura& OnlyTexture(const ProjectDocument& document) {
  return TextureNodes(document.Root()).front()->Texture();
}

raster::Bitmap Grey(std::uint8_t shade) {
  raster::Bitmap picture(8, 8, raster::PixelFormat::Bgr24);
  std::fill(picture.Pixels().begin(), picture.Pixels().end(), shade);
  return picture;
}

}  // namespace

TEST(ProjectSavingTest, PaintedTexturesGoBackInTheirOwnFormat) {
  ProjectFixture f;
  raster::SavePicture(Grey(10), f.home / "skin.pcx");
  auto document = PaintedProject(f, f.home / "skin.pcx");
  EXPECT_TRUE(document->Save().TextureFailures.empty());
  EXPECT_FALSE(OnlyTexture(*document).Modified);
  EXPECT_EQ(raster::LoadPicture(f.home / "skin.pcx").Pixels()[0], 200);
  EXPECT_EQ(testsupport::ReadFile(f.home / "skin.pcx")[0], 0x0A);
}

TEST(ProjectSavingTest, APaintedJpegIsSavedAsAPngBesideIt) {
  ProjectFixture f;
  raster::SavePicture(Grey(10), f.home / "photo.jpg");
  const auto jpeg = testsupport::ReadFile(f.home / "photo.jpg");
  auto document = PaintedProject(f, f.home / "photo.jpg");
  std::string asked;
  document->Save([&](const std::string& question) {
    asked = question;
    return true;
  });
  EXPECT_NE(asked.find("photo.png"), std::string::npos) << asked;
  EXPECT_EQ(testsupport::ReadFile(f.home / "photo.jpg"), jpeg);
  EXPECT_EQ(OnlyTexture(*document).FileName, f.home / "photo.png");
  EXPECT_EQ(raster::LoadPicture(f.home / "photo.png").Pixels()[0], 200);
  EXPECT_NE(document->FileText().find("Filename=photo.png"), std::string::npos);
}

TEST(ProjectSavingTest, ATextureThatCannotBeWrittenDoesNotStopTheProjectFile) {
  ProjectFixture f;
  std::filesystem::create_directories(f.home / "Art");
  const auto file = f.Picture((f.home / "Art" / "skin.bmp").string(), 10);
  auto document = PaintedProject(f, file);
  // The folder is gone, and a file stands in its place: no one can write there.
  std::filesystem::remove_all(f.home / "Art");
  f.WriteText(f.home / "Art", "in the way");
  const SaveResult result = document->Save();
  ASSERT_EQ(result.TextureFailures.size(), 1u);
  EXPECT_NE(result.TextureFailures[0].find("skin.bmp"), std::string::npos);
  EXPECT_TRUE(OnlyTexture(*document).Modified);
  EXPECT_TRUE(std::filesystem::exists(f.home / "SoldierSkins.mrb"));
  EXPECT_FALSE(document->Modified());
}

TEST(ProjectSavingTest, SaveAsTakesTheNewNameOnlyOnceTheFileIsWritten) {
  ProjectFixture f;
  auto document = f.NewProject();
  document->NewSkin("Blue Steel", "blst");
  EXPECT_THROW(document->SaveAs(f.home / "missing" / "Other.mrb"), std::runtime_error);
  EXPECT_EQ(document->FileName(), f.home / "SoldierSkins.mrb");
  EXPECT_TRUE(document->Modified());
  document->SaveAs(f.home / "Other.mrb");
  EXPECT_EQ(document->FileName(), f.home / "Other.mrb");
  EXPECT_EQ(document->Root().Caption(), "Other");
  EXPECT_TRUE(std::filesystem::exists(f.home / "Other.mrb"));
  EXPECT_FALSE(document->Modified());
}
