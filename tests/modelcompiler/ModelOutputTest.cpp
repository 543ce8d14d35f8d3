#include <gtest/gtest.h>

#include "model/TModelo.h"
#include "modelcompiler/ModelOutput.h"
#include "modelcompiler/TextureNameClashes.h"
#include "modelcompiler/WireBitmapDrawing.h"
#include "raster/PictureFile.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using namespace modelcompiler;
using model3d::TObjeto3D;

// One triangle per material, over the given texture coordinates.
TObjeto3D ModelWith(std::vector<model3d::TMaterial3D> materials, std::vector<model3d::TTexCoord> coords = {}) {
  TObjeto3D model;
  model.Frames = {{{1, -3, 3}, {3, 1, 5}, {2, -1, 4}}};
  model.Materials = std::move(materials);
  if (coords.empty()) coords = {{0.25f, 0.75f}, {0.75f, 0.75f}, {0.25f, 0.25f}};
  model.TexCoords = coords;
  for (std::size_t m = 0; m < model.Materials.size(); ++m)
    model.Triangles.push_back({{0, 1, 2}, {0, 1, 2}, static_cast<std::int8_t>(m)});
  return model;
}

// A multi-skinned player class with the face on section 4 and teams on 2 and 3.
SkinScheme SoldierScheme(const std::vector<std::int32_t>& materials) {
  ClassSkinFacts facts;
  facts.ClassName = "Soldier";
  facts.MultiSkinned = true;
  facts.MultiSkinnedIn = "Soldier";
  TMeshItem slots;
  slots.FixedSkin = 0;
  slots.FaceSkin = 3;
  slots.TeamSkin1 = 1;
  slots.TeamSkin2 = 2;
  return DecideSkinScheme(facts, slots, {}, materials);
}

ModelOutputSettings Soldier(const std::filesystem::path& home) {
  ModelOutputSettings settings;
  settings.Home = home;
  settings.ModelName = "Soldier";
  settings.Description = "The Soldier";
  settings.PackageName = "SoldierSkins";
  settings.MeshName = "Soldier";
  settings.Scheme = SoldierScheme({0, 1, 2});
  return settings;
}

std::vector<std::string> Sections(const std::vector<std::string>& lines) {
  std::vector<std::string> sections;
  for (const auto& line : lines)
    if (line.rfind("[Section", 0) == 0) sections.push_back(line);
  return sections;
}

TEST(ModelOutputTest, ThePackageModelExampleDefinition) {
  const TObjeto3D model = ModelWith({{"SKIN0", 0}, {"SKIN1", 0}, {"SKIN2", 0}});
  const std::vector<std::string> expected = {
      "[Model]", "FormatVersion=2", "Name=The Soldier", "Prefix=Soldier", "Game=UnrealTournament",
      // Standing, and brought from 2 units tall to 100.
      "Mesh=SoldierSkins.Soldier", "ScaleX=50.000", "ScaleY=50.000", "ScaleZ=50.000", "OffsetX=50.000",
      "OffsetY=-200.000", "OffsetZ=-100.000", "Pitch=-90.000", "Roll=0.000", "Turn=-90.000",
      "Preset1=Front;0.000;0.000;477.808;0.000;0.000;0.000", "Preset2=Face;100.000;50.000;60.000;100.000;50.000;50.000",
      // The fixed part, which the game must find in every skin.
      "", "[Section1]", "Name=SKIN0", "Required=Yes",
      "", "[Section2]", "Name=SKIN1", "Team=Yes",
      "", "[Section3]", "Name=SKIN2", "Team=Yes",
      // The scripts load the face section though no triangle uses it.
      "", "[Section4]", "Name=SKIN3", "Face=Yes",
      "", "[Section5]", "Name=Talk Texture", "Face=Yes", "OneMipMap=Yes", "LODSetWorld=Yes", "TextureSize=64x64",
      "TalkTexture=Yes"};
  EXPECT_EQ(ModelDefinitionLines(model, Soldier("/home")), expected);

  testsupport::TempDir dir;
  const ModelOutputFiles files = WriteModelOutput(model, Soldier(dir.Path()), {});
  std::string text;
  for (const auto& line : expected) text += line + "\r\n";
  EXPECT_EQ(testsupport::ReadFile(dir / "CustomModels/Soldier.mrbe"), Bytes(text));
}

TEST(ModelOutputTest, SkinSlotsStylesAndWeaponsDecideTheSections) {
  ModelOutputSettings settings = Soldier("/home");
  // A weapon keeps its number; flags 9 is no weapon and has no style line.
  const TObjeto3D model =
      ModelWith({{"skin0", 2}, {"W", 8}, {"SKIN2", 9}, {"SKIN3", 3}, {"SKIN4", 4}, {"", 0}, {"SKIN6", 1}});
  settings.Scheme = SoldierScheme({0, 2, 3, 4, 6});
  const std::vector<std::string> lines = ModelDefinitionLines(model, settings);
  // Section 2 is a team slot of the scripts, so it stays though the weapon has it; section 5 is a material's.
  EXPECT_EQ(Sections(lines), (std::vector<std::string>{"[Section1]", "[Section2]", "[Section3]", "[Section4]",
                                                       "[Section5]", "[Section7]"}));
  const auto first = std::find(lines.begin(), lines.end(), "[Section1]");
  EXPECT_EQ(std::vector<std::string>(first, first + 4),
            (std::vector<std::string>{"[Section1]", "Name=SKIN0", "Required=Yes", "Masked=Yes"}));
  const auto third = std::find(lines.begin(), lines.end(), "[Section3]");
  EXPECT_EQ(std::vector<std::string>(third, third + 4), (std::vector<std::string>{"[Section3]", "Name=SKIN2", "Team=Yes", ""}));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Modulated=Yes"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "TwoSided=Yes"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Translucent=Yes"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "TalkTexture=Yes"), lines.end());

  // An external model without a SKIN material: no section 1, and its own kind's lines.
  settings = {};
  settings.ModelKind = 1;
  settings.ModelName = "/models/Robot.3ds";
  settings.WriteDataFile = true;
  const std::vector<std::string> external = ModelDefinitionLines(ModelWith({{"", 0}, {"BODY", 0}}), settings);
  EXPECT_EQ(Sections(external), (std::vector<std::string>{"[Section2]", "[Section5]"}));
  EXPECT_EQ(std::vector<std::string>(external.begin() + 4, external.begin() + 6),
            (std::vector<std::string>{"3DFile=Robot.mrbm", "ScaleX=1.0"}));
  EXPECT_NE(std::find(external.begin(), external.end(), "Pitch=90"), external.end());
}

TEST(ModelOutputTest, WireBitmapsOutlineEachMaterialsTriangles) {
  // Corners at pixels (64, 64), (192, 64) and (64, 192); a second material lies at (1, 0), off the bitmap.
  TObjeto3D model = ModelWith({{"SKIN0", 0}, {"SKIN1", 0}, {"WEAPON", 8}, {"SKIN3", 0}});
  model.TexCoords.push_back({1, 0});
  model.Triangles[1] = {{0, 1, 2}, {3, 3, 3}, 1};
  model.Triangles.pop_back();
  int drawn = 0;
  const raster::Bitmap wire = DrawWireBitmap(model, 0, drawn);
  EXPECT_EQ(drawn, 1);
  auto at = [&](const raster::Bitmap& b, int x, int y) { return b.Row(y)[x]; };
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{64, 64}, {191, 64}, {64, 191}, {128, 128}, {64, 150}})
    EXPECT_EQ(at(wire, x, y), WireLine) << x << "," << y;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{63, 64}, {193, 64}, {100, 100}, {0, 0}, {255, 255}})
    EXPECT_EQ(at(wire, x, y), WireBackground) << x << "," << y;
  const raster::Bitmap offBitmap = DrawWireBitmap(model, 1, drawn);
  EXPECT_EQ(drawn, 1);
  EXPECT_TRUE(std::all_of(offBitmap.Pixels().begin(), offBitmap.Pixels().end(),
                          [](std::uint8_t p) { return p == WireBackground; }));

  testsupport::TempDir dir;
  ModelOutputSettings settings = Soldier(dir.Path());
  settings.WriteDataFile = true;
  const ModelOutputFiles files = WriteModelOutput(model, settings, {});
  // The weapon and the material without triangles leave no bitmap.
  ASSERT_EQ(files.WireBitmaps.size(), 2u);
  EXPECT_EQ(files.WireBitmaps[1], dir / "CustomModels/SoldierWire2.bmp");
  const auto bytes = testsupport::ReadFile(files.WireBitmaps[0]);
  EXPECT_EQ(bytes[28], 4);  // bits per pixel
  const raster::Bitmap loaded = raster::LoadPicture(files.WireBitmaps[0]).ToBgr24();
  EXPECT_EQ(loaded.Row(64)[64 * 3], 255);
  EXPECT_EQ(loaded.Row(100)[100 * 3], 128);
  EXPECT_EQ(std::filesystem::file_size(files.DataFile), 72u + 3 * 12 + 4 * 8 + 3 * 20 + 41);
}

}  // namespace

namespace {

// How writing went when asked about a problem of the model, answering `answer`.
struct ProblemAsked {
  std::vector<std::string> Problems;
  ModelOutputFiles Files;
};
ProblemAsked WriteAnswering(const TObjeto3D& model, const ModelOutputSettings& settings, bool answer) {
  ProblemAsked asked;
  OutputQuestions questions;
  questions.WriteDespite = [&](const std::string& problem) {
    asked.Problems.push_back(problem);
    return answer;
  };
  asked.Files = WriteModelOutput(model, settings, questions);
  return asked;
}

}  // namespace

TEST(ModelOutputTest, SectionsThatWouldNameTexturesAlikeAreToldBeforeWriting) {
  testsupport::TempDir dir;
  ModelOutputSettings settings = Soldier(dir.Path());
  // Both team sections name their team textures "T_robo_<team>", whatever the skin.
  for (SchemeSection& section : settings.Scheme->Sections)
    if (section.Team) section.FormatTeamNoFace = "T_robo_%TEAM%";
  const TObjeto3D model = ModelWith({{"SKIN0", 0}, {"SKIN1", 0}, {"SKIN2", 0}});
  const ProblemAsked declined = WriteAnswering(model, settings, false);
  ASSERT_EQ(declined.Problems.size(), 1u);
  EXPECT_EQ(declined.Problems[0],
            "The model Soldier would give textures of two sections the same name, and a package can hold only one "
            "of them:\n- sections 2 (SKIN1) and 3 (SKIN2) would both name their team 0 texture \"T_robo_0\"\n"
            "A project for this model can give such a texture to only one of the sections. Give the sections name "
            "formats of their own in the model's definition to use both.");
  EXPECT_TRUE(declined.Files.Abandoned);
  EXPECT_FALSE(std::filesystem::exists(dir / "CustomModels"));

  const ProblemAsked accepted = WriteAnswering(model, settings, true);
  EXPECT_FALSE(accepted.Files.Abandoned);
  EXPECT_TRUE(accepted.Files.DefinitionWritten);
  EXPECT_EQ(accepted.Files.WireBitmaps.size(), 3u);

  // Names apart (the skin's own formats, with the section in them) ask nothing.
  settings.Scheme = SoldierScheme({0, 1, 2});
  EXPECT_TRUE(WriteAnswering(model, settings, false).Problems.empty());
}

TEST(ModelOutputTest, AClashNamesEachPairWithTheTexturesThatMeet) {
  // A default texture of one section can meet a team texture of another.
  const auto definition = DefinitionOfLines(
      {"[Model]", "FormatVersion=2", "Name=Odd", "Prefix=Odd", "[Section1]", "Name=SKIN0",
       "FormatNoTeamNoFace=%SKIN%body", "[Section2]", "Name=SKIN1", "Team=Yes", "FormatTeamNoFace=%SKIN%body",
       "[Section3]", "Name=SKIN2", "Face=Yes", "FormatNoTeamFace=%SKIN%%FACE%", "[Section4]", "Name=SKIN3",
       "Face=Yes", "FormatNoTeamFace=%skin%%face%"},
      "/nowhere/Odd.mrbe");
  EXPECT_EQ(DescribeTextureNameClashes(*definition),
            "The model Odd would give textures of two sections the same name, and a package can hold only one of "
            "them:\n- section 1 (SKIN0) would name its default texture and section 2 (SKIN1) its team 0 texture "
            "\"%SKIN%body\"\n- sections 3 (SKIN2) and 4 (SKIN3) would both name their face texture \"%SKIN%%FACE%\"\n"
            "A project for this model can give such a texture to only one of the sections. Give the sections name "
            "formats of their own in the model's definition to use both.");
}
