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
  EXPECT_TRUE(document->Save().Unsaved.empty());
  EXPECT_FALSE(OnlyTexture(*document).Modified);
  EXPECT_EQ(raster::LoadPicture(f.home / "skin.pcx").Pixels()[0], 200);
  EXPECT_EQ(testsupport::ReadFile(f.home / "skin.pcx")[0], 0x0A);
}

TEST(ProjectSavingTest, APaintedJpegGoesToAFreeNameAndReplacesNoOtherFile) {
  ProjectFixture f;
  raster::SavePicture(Grey(10), f.home / "skin.jpg");
  raster::SavePicture(Grey(10), f.home / "skin.jpeg");
  raster::SavePicture(Grey(20), f.home / "skin.png");
  raster::SavePicture(Grey(30), f.home / "Skin-2.PNG");
  const auto jpeg = testsupport::ReadFile(f.home / "skin.jpg");
  const auto png = testsupport::ReadFile(f.home / "skin.png");
  auto document = PaintedProject(f, f.home / "skin.jpg");
  std::string asked;
  document->Save([&](const std::string& question) {
    asked = question;
    return true;
  });
  EXPECT_NE(asked.find("skin-3.png"), std::string::npos) << asked;
  EXPECT_EQ(OnlyTexture(*document).FileName, f.home / "skin-3.png");
  EXPECT_EQ(raster::LoadPicture(f.home / "skin-3.png").Pixels()[0], 200);
  EXPECT_NE(document->FileText().find("Filename=skin-3.png"), std::string::npos);
  EXPECT_EQ(testsupport::ReadFile(f.home / "skin.jpg"), jpeg);
  EXPECT_EQ(testsupport::ReadFile(f.home / "skin.png"), png);

  // The Texture Editor's Save takes the next free name, and says which.
  const SkinNode& head = document->AddTexture(SectionNode(*document, *TextureNodes(document->Root()).front()->Skin(), 3),
                                              f.home / "skin.jpeg", "< Default >", "");
  document->SetSourceBitmap(head, Grey(40));
  const std::string note = document->SaveTexture(head);
  EXPECT_NE(note.find("skin-4.png"), std::string::npos) << note;
  EXPECT_EQ(head.Texture().FileName, f.home / "skin-4.png");
  EXPECT_EQ(raster::LoadPicture(f.home / "skin-3.png").Pixels()[0], 200);
  EXPECT_EQ(testsupport::ReadFile(f.home / "skin.png"), png);
}

TEST(ProjectSavingTest, ATextureLeftUnwrittenKeepsItsPaintAndTheProjectModified) {
  ProjectFixture f;
  std::filesystem::create_directories(f.home / "Art");
  const auto file = f.Picture((f.home / "Art" / "skin.bmp").string(), 10);
  auto document = PaintedProject(f, file);
  SaveResult result = document->Save([](const std::string&) { return false; });
  EXPECT_EQ(result.Unsaved, std::vector<std::string>{"Blue Steel/Body/< Default > (): you answered No"});
  EXPECT_TRUE(OnlyTexture(*document).Modified);
  EXPECT_TRUE(std::filesystem::exists(f.home / "SoldierSkins.mrb"));
  EXPECT_TRUE(document->Modified());

  // The folder is gone, and a file stands in its place: no one can write there.
  std::filesystem::remove_all(f.home / "Art");
  f.WriteText(f.home / "Art", "in the way");
  result = document->Save();
  ASSERT_EQ(result.Unsaved.size(), 1u);
  EXPECT_NE(result.Unsaved[0].find("skin.bmp"), std::string::npos);
  EXPECT_TRUE(OnlyTexture(*document).Modified);
  EXPECT_TRUE(document->Modified());

  std::filesystem::remove(f.home / "Art");
  std::filesystem::create_directories(f.home / "Art");
  EXPECT_TRUE(document->Save().Unsaved.empty());
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
