#include <gtest/gtest.h>

#include "model/ModelDefinition.h"
#include "model/System2.h"
#include "platform/IniFile.h"
#include "raster/BmpFile.h"
#include "support/TestFiles.h"

using namespace model;

namespace {

std::shared_ptr<TModelo> Read(const testsupport::TempDir& dir, const std::string& text,
                              const std::string& name = "Test.mrbe") {
  const auto file = dir / name;
  testsupport::WriteFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
  const platform::IniFile ini = platform::IniFile::Load(file);
  return ReadModelDefinition(ini, file, *FindModelSection(ini));
}

const TModeloPart& Part(const TModelo& model, int number) { return *model.SectionByNumber(number); }

}  // namespace

TEST(ModelDefinitionTest, FormatOneSectionLists) {
  testsupport::TempDir dir;
  const auto model = Read(dir,
                          "[Other]\nName=Ignored\n"
                          "[ModelSoldier]\nName=Soldier\nPrefix=Soldier\nLodMesh=SoldierSkins.Soldier\n"
                          "ScaleX=1,5\nScaleY=1.5\nTalkTextureIndex=5\nMirrorX=YES\nAMS=yes\n"
                          "Preset1=Face;10;20,5;30;0;0;0\nPreset2=\n"
                          "FormatTalk=%SKIN%5%FACE%\n"
                          "Section2=Body, team, TEXTUREIS128X64, TEXTUREIS 32x32\n"
                          "Section1= Head ,FACE,masked\n"
                          "Section3=TEAM\n"
                          "Section5=Talk, TalkTexture, Face\n"
                          "[ModelB]\nPrefix=Second\n");
  EXPECT_EQ(model->Name, "Soldier");
  EXPECT_EQ(model->DefinitionSection(), "ModelSoldier");
  EXPECT_TRUE(model->ForUnrealTournament);
  EXPECT_EQ(model->Mesh, "SoldierSkins.Soldier");
  EXPECT_FLOAT_EQ(model->ScaleX, 1.5f);
  EXPECT_FLOAT_EQ(model->ScaleY, 1.5f);
  EXPECT_TRUE(model->MirrorX);
  EXPECT_TRUE(model->AMS);
  EXPECT_EQ(model->TalkTextureIndex, 5);
  ASSERT_EQ(model->Presets.size(), 1u);
  EXPECT_EQ(model->Presets[0], (TCameraPreset{"Face", 10, 20.5f, 30, 0, 0, 0}));

  // Sections come in key order 1 to 8, whatever order the file writes them in.
  ASSERT_EQ(model->Sections.size(), 4u);
  EXPECT_EQ(model->Sections[0].Name, "Head");
  EXPECT_EQ(Part(*model, 1).Flags, 1u | FACE | MASKED);
  EXPECT_TRUE(model->HasMaskedSections);
  EXPECT_EQ(Part(*model, 2).Flags, 2u | TEAM);
  EXPECT_EQ(Part(*model, 2).Width, 128);
  EXPECT_EQ(Part(*model, 2).Height, 64);
  EXPECT_EQ(model->Sections[2].Name, "TEAM");
  EXPECT_EQ(Part(*model, 3).Flags, 3u);
  EXPECT_EQ(Part(*model, 3).Width, 256);
  EXPECT_EQ(Part(*model, 5).Width, 64);
  EXPECT_EQ(Part(*model, 5).FormatNoTeamFace, "%SKIN%5%FACE%");
  EXPECT_EQ(Part(*model, 1).FormatNoTeamFace, "%SKIN%%SECTION%%FACE%");
  EXPECT_EQ(Part(*model, 1).FormatTeamFace, "%SKIN%%SECTION%T_%TEAM%%FACE%");
}

TEST(ModelDefinitionTest, FormatTwoSections) {
  testsupport::TempDir dir;
  const auto model = Read(dir,
                          "[Section3]\nName=Before\n"
                          "[Model]\nFormatVersion=2\nName=Mannequin\nPrefix=Mannequin\nGame=DeusEx\n"
                          "TalkTextureIndex=4\nScaleX=3\n"
                          "[SectionX]\nName=Not a section\n[Section]\nName=Nor this\n"
                          "[Section0]\nName=Zero\n"
                          "[Section1]\nName=Body\nTeam=Yes\nTextureSize=128X128\nFormatTeamNoFace=%SKIN%Team%TEAMNAME%\n"
                          "[section5]\nName=Talk\nTalkTexture=yes\nFace=YES\n"
                          "[Section6]\nName=Odd\nTextureSize=128x0\nMasked=no\nTranslucent=Yes\nModulated=Yes\n");
  EXPECT_FALSE(model->ForUnrealTournament);
  EXPECT_EQ(model->TalkTextureIndex, 5);
  // Without a mesh or model data file the preview settings stay at their defaults.
  EXPECT_FLOAT_EQ(model->ScaleX, 1.0f);
  EXPECT_EQ(model->Presets.front().Name, "Front");
  EXPECT_FLOAT_EQ(model->Presets.front().CameraZ, 2000.0f);
  ASSERT_EQ(model->Sections.size(), 4u);
  EXPECT_EQ(model->Sections[0].Name, "Zero");
  EXPECT_EQ(Part(*model, 1).Width, 128);
  EXPECT_EQ(Part(*model, 1).FormatTeamNoFace, "%SKIN%Team%TEAMNAME%");
  EXPECT_EQ(Part(*model, 1).FormatTeamFace, "%SKIN%%SECTION%T_%TEAM%%FACE%");
  EXPECT_EQ(Part(*model, 5).Flags, 5u | TALKTEXTURE | FACE);
  EXPECT_EQ(Part(*model, 5).Height, 64);
  EXPECT_EQ(Part(*model, 6).Width, 256);
  EXPECT_EQ(Part(*model, 6).Flags, 6u | TRANSLUCENT);
  EXPECT_FALSE(model->HasMaskedSections);
}

TEST(ModelDefinitionTest, WireBitmapsAndDataFileLieBesideTheDefinition) {
  testsupport::TempDir dir;
  raster::Bitmap wire(4, 2, raster::PixelFormat::Indexed8);
  wire.Palette() = {{10, 20, 30, 0}};
  raster::SaveBmpFile(wire, dir / "SOLDIERWIRE2.BMP");
  const auto model = Read(dir,
                          "[Model]\nPrefix=Soldier\n3DFile=Data\\Soldier.mrbm\n"
                          "Section1=Head\nSection2=Body\n");
  EXPECT_EQ(model->ModelDataFile, (dir / "Data/Soldier.mrbm").string());
  EXPECT_EQ(Part(*model, 1).Wire, nullptr);
  ASSERT_NE(Part(*model, 2).Wire, nullptr);
  const raster::Bitmap& picture = Part(*model, 2).Wire->Picture();
  EXPECT_EQ(picture.Format(), raster::PixelFormat::Bgr24);
  EXPECT_EQ(picture.Row(1)[2], 10);

  TModelo copy;
  copy.Assign(model);
  EXPECT_EQ(copy.Source.lock(), model);
  EXPECT_EQ(Part(copy, 2).Wire, Part(*model, 2).Wire);
  EXPECT_EQ(copy.SectionIndexByNumber(2), 1);
  EXPECT_EQ(copy.SectionIndexByNumber(7), -1);
  EXPECT_EQ(copy.SectionNumberByName("Body"), 2);
  EXPECT_EQ(copy.SectionNumberByName("body"), -1);
}

TEST(ModelDefinitionTest, MalformedValuesNameTheFile) {
  testsupport::TempDir dir;
  for (const std::string& text : {std::string("[Model]\nMesh=A.B\nScaleX=wide\n"),
                                  std::string("[Model]\nPreset1=Face;1;2;3\n"),
                                  std::string("[Model]\nFormatVersion=2\n[Section16]\nName=Too far\n")}) {
    try {
      Read(dir, text, "Broken.mrbe");
      ADD_FAILURE() << "accepted " << text;
    } catch (const DefinitionError& e) {
      EXPECT_NE(std::string(e.what()).find((dir / "Broken.mrbe").string()), std::string::npos) << e.what();
    }
  }
}

TEST(ModelDefinitionTest, TexturesLargerThanTheGameLoadsAreRefused) {
  testsupport::TempDir dir;
  const auto refusal = [&](const std::string& text) {
    try {
      Read(dir, text, "Huge.mrbe");
    } catch (const DefinitionError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(refusal("[Model]\nFormatVersion=2\n[Section3]\nTextureSize=60000x60000\n"),
            (dir / "Huge.mrbe").string() + ": [Section3]: the texture size 60000x60000 is larger than the 2048x2048 "
                                           "the game loads");
  EXPECT_EQ(refusal("[Model]\nSection2=Body, TEXTUREIS256X4096\n"),
            (dir / "Huge.mrbe").string() + ": [Model] Section2: the texture size 256x4096 is larger than the "
                                           "2048x2048 the game loads");
  EXPECT_EQ(Part(*Read(dir, "[Model]\nFormatVersion=2\n[Section1]\nTextureSize=2048x2048\n"), 1).Width, 2048);
}

TEST(ModelDefinitionTest, DescribesSections) {
  TModeloPart part;
  part.Flags = 1 | TEAM;
  part.Width = part.Height = 256;
  EXPECT_EQ(DescribeSection(part), "Section 1, Textures are 256x256, Allows Teams, Sets LODSet to Skin");
  part.Flags = 5 | FACE | ONEMIPMAP | LODSETWORLD | MASKED | TRANSLUCENT | CANNOTRESAMPLE | TALKTEXTURE | NOINT;
  part.Height = 0;
  EXPECT_EQ(DescribeSection(part),
            "Section 5, Allows Faces, Creates One MipMap, Textures are masked, Textures are translucent, "
            "Textures cannot be resampled, Talk Texture");
  part.Flags = 1 | LODSETWORLD | REQUIRED;
  EXPECT_EQ(DescribeSection(part), "Section 1, Needed in every skin");
}

TEST(ModelDefinitionTest, System2Helpers) {
  EXPECT_EQ(FindNthOccurrence(0, "ab", "xxabyyab"), 3);
  EXPECT_EQ(FindNthOccurrence(1, "ab", "xxabyyab"), 7);
  EXPECT_EQ(FindNthOccurrence(2, "ab", "xxabyyab"), 0);
  EXPECT_EQ(FindNthOccurrence(1, "aa", "aaa"), 0);
  EXPECT_EQ(FindNthOccurrence(-1, "a", "a"), 0);
  EXPECT_EQ(GetDelimitedField("a;b;;c", ';', 1), "b");
  EXPECT_EQ(GetDelimitedField("a;b;;c", ';', 2), "");
  EXPECT_EQ(GetDelimitedField("a;b;;c", ';', 9), "");
  EXPECT_EQ(GetDelimitedField("whole", ';', 0), "whole");
  EXPECT_EQ(GetRestAfterField("a;b;c", ';', 0), "b;c");
  EXPECT_EQ(GetRestAfterField("a;b;c", ';', 5), "");
  std::vector<std::string> list{"kept"};
  SplitToList("x, y, ", ", ", list);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "x", "y", ""}));
  SplitToList("", ",", list);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_DOUBLE_EQ(RaisePower(2, 10), 1024.0);
  EXPECT_DOUBLE_EQ(RaisePower(0, 3), 0.0);
  EXPECT_DOUBLE_EQ(DecimalOrDefault("2,25", 1), 2.25);
  EXPECT_DOUBLE_EQ(DecimalOrDefault(" ", 7), 7.0);
  EXPECT_THROW(DecimalOrDefault("two", 0), std::runtime_error);
}
