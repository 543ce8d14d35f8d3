#include <gtest/gtest.h>

#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"
#include "project/ProjectPaths.h"

using namespace project;

namespace {

std::string FileText(const std::filesystem::path& path) {
  const auto bytes = testsupport::ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

// The project of the example: skin Blue Steel (blst), a default texture and a
// red-team texture with face john in section 1, "Create just one mipmap" on.
std::unique_ptr<ProjectDocument> ExampleProject(ProjectFixture& f) {
  auto document = f.NewProject();
  ProjectOptions options = document->Options();
  options.OnlyFirstMipMap = true;
  document->SetOptions(options);
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& body = SectionNode(*document, skin, 1);
  document->AddTexture(body, f.Picture("blst1.bmp"), "< Default >", "");
  document->AddTexture(body, f.Picture("blst1T_0john.bmp"), "<Red Team>", "john");
  return document;
}

}  // namespace

TEST(ProjectFileTest, WritesTheExampleProjectExactly) {
  ProjectFixture f;
  auto document = ExampleProject(f);
  document->Save();
  EXPECT_FALSE(document->Modified());
  EXPECT_EQ(FileText(f.home / "SoldierSkins.mrb"),
            "[General]\r\nModel=Soldier\r\nOnlyFirstMipMap=1\r\nReducePalettes=0\r\nClientOptional=0\r\n"
            "ReducedINT=0\r\nBrightness=50\r\nSaturation=50\r\nUMODProductName=\r\nUMODURL=\r\nUMODDeveloper=\r\n"
            "UMODVersion=\r\nUMODBitmap=\r\nUMODReadMe=\r\n\r\n"
            "[Groups]\r\nblst=Blue Steel\r\n\r\n"
            "[blst#1#< Default > ()]\r\nDescription=< Default >\r\nFilename=Textures\\blst1.bmp\r\n\r\n"
            "[blst#1#<Red Team>john (t_0john)]\r\nIdentifier=t_0john\r\nDescription=<Red Team>john\r\n"
            "Filename=Textures\\blst1T_0john.bmp\r\n");
}

TEST(ProjectFileTest, SavedLoadedAndSavedAgainIsByteIdentical) {
  ProjectFixture f;
  auto document = ExampleProject(f);
  document->NewSkin("Empty Skin", "empt");
  const testsupport::TempDir outside;
  const std::string picture = (outside / "outside-home.bmp").string();
  document->AddTexture(SectionNode(*document, *FindSkinByCode(document->Root(), "blst"), 3), f.Picture(picture),
                       "< Default >", "Face One");
  ProjectOptions options = document->Options();
  options.UMODProductName = "Blue Steel Pack";
  options.Brightness = 75;
  options.ReducePalettes = 2;
  options.PaletteQuality = 1;
  options.HighResolution = true;
  document->SetOptions(options);
  document->Save();
  const std::string first = FileText(f.home / "SoldierSkins.mrb");
  EXPECT_NE(first.find("PaletteQuality=1\r\n"), std::string::npos);
  EXPECT_NE(first.find("HighResolution=1\r\n"), std::string::npos);
  EXPECT_NE(first.find("Filename=" + picture), std::string::npos);

  auto loaded = ProjectDocument::Load(f.home / "SoldierSkins.mrb", f.catalogue, f.home.Path());
  EXPECT_FALSE(loaded->Modified());
  EXPECT_EQ(loaded->Options(), document->Options());
  // The empty skin comes back with all of the model's sections.
  EXPECT_EQ(FindSkinByCode(loaded->Root(), "empt")->Children().size(), 3u);
  loaded->Save();
  EXPECT_EQ(FileText(f.home / "SoldierSkins.mrb"), first);
}

TEST(ProjectFileTest, LoadingCompletesWhatTheFileLeavesOpenAndKeepsWhatItCannotFind) {
  ProjectFixture f;
  f.Picture("blst1T_1john.bmp");
  const std::string missing = "[BLST#1#gone (gone)]\r\nIdentifier=gone\r\nFilename=Textures\\missing.bmp\r\n";
  f.WriteText(f.home / "SoldierSkinsOld.mrb",
              "[General]\r\nModel=SOLDIER\r\n"
              "[Groups]\r\nblst=Blue Steel\r\nblst=Blue Steel\r\n"
              "[blst#1#john (t_1john)]\r\nIdentifier=t_1john\r\nDescription=john\r\nFilename=Textures/blst1T_1john.bmp\r\n" +
                  missing);
  auto document = ProjectDocument::Load(f.home / "SoldierSkinsOld.mrb", f.catalogue, f.home.Path());
  EXPECT_EQ(document->Model().Prefix, "Soldier");
  ASSERT_EQ(document->Root().Children().size(), 1u);
  const SkinNode& body = SectionNode(*document, *FindSkinByCode(document->Root(), "blst"), 1);
  ASSERT_EQ(body.Children().size(), 2u);
  EXPECT_EQ(body.Children()[1].Caption(), "<Blue Team>john (t_1john)");
  EXPECT_EQ(document->TitleFileName(), "SoldierSkinsOld.mrb");
  // The texture whose file is not there stays, reported once, and is saved back as it was.
  const SkinNode& gone = body.Children()[0];
  EXPECT_EQ(gone.Caption(), "< Default > (gone)");
  EXPECT_TRUE(gone.Texture().Missing());
  ASSERT_EQ(document->LoadReport().size(), 1u);
  EXPECT_NE(document->LoadReport()[0].find("missing.bmp"), std::string::npos);
  document->Save();
  EXPECT_NE(FileText(f.home / "SoldierSkinsOld.mrb").find("Filename=Textures\\missing.bmp\r\n"), std::string::npos);

  // Without a Model key the first model of the catalogue is used.
  f.WriteText(f.home / "Bare.mrb", "[Groups]\r\n");
  EXPECT_EQ(ProjectDocument::Load(f.home / "Bare.mrb", f.catalogue, f.home.Path())->Model().Prefix, "Soldier");
}

TEST(ProjectFileTest, RefusalsAndFailures) {
  ProjectFixture f;
  EXPECT_EQ(ErrorOf([&] { f.NewProject("soldierskinsBlue.mrb"); }),
            "Filename prefix is incorrect. The name must begin with \"SoldierSkins\". Will not save.");
  EXPECT_EQ(f.NewProject("SoldierSkinsBlue.mrb")->FileName().filename(), "SoldierSkinsBlue.mrb");

  f.WriteText(f.home / "Other.mrb", "[General]\r\nModel=Boss\r\n");
  EXPECT_EQ(ErrorOf([&] { ProjectDocument::Load(f.home / "Other.mrb", f.catalogue, f.home.Path()); }),
            "The model of this project is not installed!");
  f.WriteText(f.home / "Section.mrb", "[General]\r\nModel=Soldier\r\n[Groups]\r\nblst=B\r\n[blst#4#x (x)]\r\nFilename=a.bmp\r\n");
  EXPECT_NE(ErrorOf([&] { ProjectDocument::Load(f.home / "Section.mrb", f.catalogue, f.home.Path()); }).find("section 4"),
            std::string::npos);
}

TEST(ProjectFileTest, ModifiedTexturesAreWrittenWhenTheUserAgrees) {
  ProjectFixture f;
  auto document = ExampleProject(f);
  const SkinNode& texture = SectionNode(*document, *FindSkinByCode(document->Root(), "blst"), 1).Children()[0];
  raster::Bitmap painted = texture.Texture().SourceBitmap;
  painted.Pixels()[0] = 7;
  document->SetSourceBitmap(texture, painted);
  EXPECT_TRUE(texture.Texture().Modified);
  std::vector<std::string> questions;
  document->Save([&](const std::string& question) {
    questions.push_back(question);
    return false;
  });
  EXPECT_EQ(questions, (std::vector<std::string>{"Save modified texture Blue Steel/Body/< Default > () ?"}));
  EXPECT_TRUE(texture.Texture().Modified);
  document->Save([](const std::string&) { return true; });
  EXPECT_FALSE(texture.Texture().Modified);
  auto reloaded = ProjectDocument::Load(f.home / "SoldierSkins.mrb", f.catalogue, f.home.Path());
  EXPECT_EQ(SectionNode(*reloaded, *FindSkinByCode(reloaded->Root(), "blst"), 1).Children()[0].Texture().SourceBitmap.Pixels()[0],
            7);
}

TEST(ProjectFileTest, TexturePathsInsideTheHomeAreStoredRelative) {
  const std::filesystem::path home = "/opt/Marbelle";
  EXPECT_EQ(ToProjectPath("/opt/Marbelle/Textures/x.bmp", home), "Textures\\x.bmp");
  EXPECT_EQ(ToProjectPath("/opt/marbelle/Textures/x.bmp", home), "/opt/marbelle/Textures/x.bmp");
  EXPECT_EQ(ToProjectPath("/elsewhere/x.bmp", home), "/elsewhere/x.bmp");
  EXPECT_EQ(FromProjectPath("Textures\\x.bmp", home), "/opt/Marbelle/Textures/x.bmp");
  EXPECT_EQ(FromProjectPath("/elsewhere/x.bmp", home), "/elsewhere/x.bmp");
  EXPECT_EQ(FromProjectPath("C:\\Skins\\x.bmp", home), "C:/Skins/x.bmp");
  EXPECT_EQ(FromProjectPath("\\\\server\\share\\x.bmp", home), "//server/share/x.bmp");
}
