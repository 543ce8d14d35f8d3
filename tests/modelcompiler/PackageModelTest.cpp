#include <gtest/gtest.h>

#include "model/ModelCatalogue.h"
#include "modelcompiler/ModelNotice.h"
#include "modelcompiler/ModelOutput.h"
#include "modelcompiler/PackageModelCompile.h"
#include "support/MeshPackage.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using namespace modelcompiler;
using testsupport::MeshPackage;
using testsupport::MeshSpec;
using testsupport::MeshVertex;

// Frame f, vertex i lies at (10 f + i, -i, 2 f).
std::vector<std::vector<MeshVertex>> Frames(int frames, int vertices) {
  std::vector<std::vector<MeshVertex>> result(static_cast<std::size_t>(frames));
  for (int f = 0; f < frames; ++f)
    for (int i = 0; i < vertices; ++i)
      result[static_cast<std::size_t>(f)].push_back(
          {static_cast<float>(10 * f + i), static_cast<float>(-i), static_cast<float>(2 * f)});
  return result;
}

// Five vertices per frame, the first special; texture 2 is imported.
MeshSpec SoldierMesh(std::int32_t importedTexture) {
  MeshSpec mesh;
  mesh.Name = "Soldier";
  mesh.Frames = Frames(3, 5);
  mesh.SpecialVerts = 1;
  mesh.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}, {3, 255, 255}, {1, 51, 102}};
  mesh.Materials = {{0x102, 0}, {0x100, 0}, {0, 1}, {0, 2}};
  mesh.Faces = {{{0, 1, 2}, 0}, {{1, 3, 2}, 1}, {{0, 4, 3}, 2}, {{2, 3, 4}, 3}};
  mesh.Textures = {0, 0, importedTexture};
  mesh.Sequences = {{"Run", 0, 1, 10.0f}, {"Breath1", 1, 2, 15.9f}, {"All", 0, 300, 20.0f}};
  return mesh;
}

MeshSpec CrateMesh(std::int32_t importedTexture) {
  MeshSpec mesh;
  mesh.Name = "Crate";
  mesh.Frames = Frames(2, 7);
  mesh.Textures = {0, importedTexture};
  mesh.Triangles = {{{4, 5, 6}, {{{0, 0}, {255, 0}, {0, 255}}}, 0x02, 0},
                    {{0, 1, 2}, {{{51, 51}, {102, 102}, {153, 153}}}, 0x100, 0},
                    {{1, 2, 3}, {{{0, 0}, {0, 0}, {0, 0}}}, 0, 1}};
  return mesh;
}

MeshSpec SkeletalMesh() {
  MeshSpec mesh;
  mesh.Name = "Skel";
  mesh.Points = {{1, 2, 3}, {-4, 5, 6}, {7, 8, -9}};
  mesh.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}};
  mesh.Materials = {{0, 0}};
  mesh.Faces = {{{0, 1, 2}, 0}};
  mesh.Textures = {0};
  return mesh;
}

// SoldierSkins.u with a LodMesh, a Mesh, a SkeletalMesh and one imported from
// othermodels.u (named in lower case, as packages often are), their player
// classes, and two classes that are not models.
class PackageModelTest : public testing::Test {
protected:
  void SetUp() override {
    MeshPackage other("OtherModels");
    MeshSpec robot = SoldierMesh(0);
    robot.Name = "Robot";
    other.AddLodMesh(robot);
    other.Write(dir.Path());
    std::filesystem::rename(dir / "OtherModels.u", dir / "othermodels.u");

    MeshPackage skins("SoldierSkins");
    const std::int32_t skin = skins.ImportObject("SoldierTextures", "Texture", "Skin");
    const std::int32_t soldier = skins.AddLodMesh(SoldierMesh(skin));
    const std::int32_t crate = skins.AddMesh(CrateMesh(skin));
    const std::int32_t skeletal = skins.AddSkeletalMesh(SkeletalMesh());
    const std::int32_t imported = skins.ImportObject("OtherModels", "LodMesh", "Robot");
    const std::int32_t painting = skins.AddTexture("Painting");
    skins.AddPlayerClass({.Name = "Soldier", .Mesh = soldier, .MenuName = "Soldier", .FaceSkin = 3,
                            .TeamSkin1 = 1, .TeamSkin2 = 2, .Description = "Soldier"});
    skins.AddPlayerClass({.Name = "CrateClass", .Mesh = crate, .Description = "Crate"});
    skins.AddPlayerClass({.Name = "SkelClass", .Mesh = skeletal, .MenuName = "Alpha Skeleton"});
    skins.AddPlayerClass({.Name = "RobotClass", .Mesh = imported, .MenuName = "Imported Robot",
                            .TeamSkin = "Robo"});
    skins.AddPlayerClass({.Name = "Framed", .Mesh = painting});
    skins.AddPlayerClass({.Name = "Ghost"});
    skins.Write(dir.Path());
  }

  PackageModelEntry Entry(const PackageModelList& list, const std::string& caption) {
    for (const auto& entry : list.Entries)
      if (entry.Caption == caption) return entry;
    ADD_FAILURE() << "no model " << caption;
    return {};
  }

  PackageModel Read(const std::string& caption) {
    const PackageModelList list = ListPackageModels(package, dir / "SoldierSkins.int", true);
    return ReadPackageModel(package, Entry(list, caption));
  }

  testsupport::TempDir dir;
  unrealpkg::TUTPackage package;
};

std::vector<std::string> Captions(const PackageModelList& list) {
  std::vector<std::string> captions;
  for (const auto& entry : list.Entries) captions.push_back(entry.Caption);
  return captions;
}

TEST_F(PackageModelTest, ListsPlayerClassesWithMeshesAndMeshObjects) {
  const PackageModelList classes = ListPackageModels(package, dir / "SoldierSkins.int", true);
  EXPECT_EQ(classes.PackagePath, dir / "SoldierSkins.u");
  // The localisation file's description names a model as the game's menus do; then MenuName, then the class.
  EXPECT_EQ(Captions(classes), (std::vector<std::string>{"Alpha Skeleton", "Crate", "Imported Robot", "Soldier"}));
  const TMeshItem soldier = Entry(classes, "Soldier").Item;
  EXPECT_EQ(soldier.FaceSkin, 3);
  // An integer no class stores is 0 to the game.
  EXPECT_EQ(soldier.FixedSkin, 0);
  EXPECT_EQ(soldier.TeamSkin2, 2);
  EXPECT_EQ(Entry(classes, "Imported Robot").Item.TeamSkin, "Robo");
  EXPECT_LT(Entry(classes, "Imported Robot").Item.MeshRef, 0);

  const PackageModelList meshes = ListPackageModels(package, dir / "SoldierSkins.u", false);
  EXPECT_EQ(Captions(meshes), (std::vector<std::string>{"Crate", "Skel", "Soldier"}));
  EXPECT_EQ(meshes.Entries[0].Item.FaceSkin, 0);
  EXPECT_EQ(meshes.Entries[0].Item.TeamSkin1, 1);
}

TEST_F(PackageModelTest, LocalisationLinesNameTheirPackage) {
  const std::string line = "Object=(Name=SoldierSkins.Soldier,Class=Class,MetaClass=Botpack.TournamentPlayer)\r\n";
  testsupport::WriteFile(
      dir / "Mixed.int",
      Bytes("[Public]\r\nObject=(Name=X.Y,Class=Class,MetaClass=Engine.Actor)\r\n" +
            std::string("OBJECT=(NAME=Pkg.Cls,CLASS=Class,METACLASS=BOTPACK.TOURNAMENTPLAYER,DESCRIPTION=\"Nali WarCow\")\r\n") +
            "Object=(MetaClass=Botpack.TournamentPlayer,Class=Class)\r\n" + line));
  EXPECT_EQ(ReadPlayerClassNames(dir / "Mixed.int"),
            (std::vector<DeclaredPlayerClass>{{"Pkg.Cls", "Nali WarCow"}, {"SoldierSkins.Soldier", ""}}));

  // Read from another package's file, the class must sit in a group named SoldierSkins.
  std::filesystem::copy_file(dir / "SoldierSkins.u", dir / "Other.u");
  testsupport::WriteFile(dir / "Other.int", Bytes(line));
  EXPECT_EQ(ErrorOf([&] { ListPackageModels(package, dir / "Other.int", true); }),
            "The package does not have any Mesh/LodMesh/SkeletalMesh objects.");
  testsupport::WriteFile(dir / "Nothing.int", Bytes("[Public]\r\n"));
  EXPECT_THROW(ListPackageModels(package, dir / "Nothing.int", true), ModelNotice);
  testsupport::WriteFile(dir / "Broken.int", Bytes(line));
  testsupport::WriteFile(dir / "Broken.u", Bytes("not a package at all"));
  EXPECT_EQ(ErrorOf([&] { ListPackageModels(package, dir / "Broken.int", true); }),
            "The file is not an Unreal package.\nException processing package " + (dir / "Broken.u").string() +
                "\r\nERROR! This isn't an Unreal package");
  EXPECT_NE(ErrorOf([&] { ListPackageModels(package, dir / "Missing.int", true); }).find("Missing.int"), std::string::npos);
}

TEST_F(PackageModelTest, ReadsTheChosenMesh) {
  const PackageModel soldier = Read("Soldier");
  EXPECT_EQ(soldier.ModelName, "Soldier");
  EXPECT_EQ(soldier.PackageName, "SoldierSkins");
  EXPECT_EQ(std::vector<std::string>(soldier.Information.begin(), soldier.Information.begin() + 4),
            (std::vector<std::string>{"Unreal LodMesh model", "Faces = 4", "Frames    = 3", "Advanced Model Support: No"}));
  // Then where each decision on the skins came from.
  EXPECT_NE(std::find(soldier.Information.begin(), soldier.Information.end(), "Section 4: faces (FaceSkin 3)"),
            soldier.Information.end());
  EXPECT_EQ(soldier.Mesh.Sequences[soldier.RestSequence].Name, "Breath1");
  EXPECT_FLOAT_EQ(soldier.Mesh.Wedges[4].TexCoord.U, 0.2f);
  EXPECT_FLOAT_EQ(soldier.Mesh.Wedges[4].TexCoord.V, 0.6f);

  const PackageModel robot = Read("Imported Robot");
  EXPECT_EQ(robot.ModelName, "Robot");
  EXPECT_EQ(robot.PackageName, "othermodels");

  const PackageModel skeleton = Read("Alpha Skeleton");
  EXPECT_EQ(skeleton.Information[0], "Unreal SkeletalMesh model");
  ASSERT_EQ(skeleton.Mesh.Sequences.size(), 1u);
  EXPECT_EQ(skeleton.Mesh.Sequences[0].Name, "<All Frames>");
  EXPECT_EQ(skeleton.Mesh.Sequences[0].NumFrames, 1);
  EXPECT_EQ(skeleton.Mesh.Sequences[0].Rate, 20.0f);

  std::filesystem::remove(dir / "othermodels.u");
  EXPECT_NE(ErrorOf([&] { Read("Imported Robot"); }).find("OtherModels.u"), std::string::npos);
}

TEST_F(PackageModelTest, CompilesLodMeshFramesWedgesAndMaterials) {
  const PackageModel soldier = Read("Soldier");
  model3d::TObjeto3D model;
  FrameChoice choice;
  choice.Sequence = soldier.RestSequence;
  const std::vector<std::string> notes = CompilePackageModel(soldier.Mesh, choice, model);
  EXPECT_EQ(notes, (std::vector<std::string>{"Left out the animation sequence \"All\" (start 0, 300 frames): a model "
                                             "holds sequences of up to 255 frames"}));
  ASSERT_EQ(model.Frames.size(), 3u);
  ASSERT_EQ(model.VertexCount(), 5u);
  // Wedge 3 is vertex 3 after the special one: mesh vertex 4 of frame 2.
  EXPECT_EQ(model.Frames[2][3], (model3d::TVertex3D{24, -4, 4}));
  EXPECT_EQ(model.TexCoords[1], (model3d::TTexCoord{1, 1}));
  EXPECT_EQ(model.TexCoords[2], (model3d::TTexCoord{0, 0}));
  EXPECT_EQ(model.StillFrame, 1);
  ASSERT_EQ(model.Sequences.size(), 2u);
  EXPECT_EQ(model.Sequences[1].Packed, 1 | 2 << 16 | 15 << 24);
  // Two materials of texture 0 with styles 2 and 1 leave 2; the imported
  // texture 2 gets an unnamed slot so its face keeps a material.
  EXPECT_EQ(model.Materials, (std::vector<model3d::TMaterial3D>{{"SKIN0", 2}, {"SKIN1", 0}, {"", 0}}));
  ASSERT_EQ(model.Triangles.size(), 4u);
  EXPECT_EQ(model.Triangles[3].Material, 2);

  choice.Animated = false;
  choice.MirrorX = true;
  choice.Frame = 1;
  CompilePackageModel(soldier.Mesh, choice, model);
  ASSERT_EQ(model.Frames.size(), 1u);
  EXPECT_EQ(model.Frames[0][3], (model3d::TVertex3D{-24, -4, 4}));
  EXPECT_EQ(model.StillFrame, 0);
  EXPECT_TRUE(model.Sequences.empty());
  const model3d::TTriangle3D& first = model.Triangles[0];
  EXPECT_EQ((std::array{first.Vertex[0], first.Vertex[1], first.Vertex[2]}), (std::array<std::uint16_t, 3>{2, 1, 0}));

  choice.Frame = 2;
  EXPECT_EQ(ErrorOf([&] { CompilePackageModel(soldier.Mesh, choice, model); }),
            "Frame 3 is not one of the 3 frames of the mesh Soldier of " + (dir / "SoldierSkins.u").string());
}

TEST_F(PackageModelTest, CompilesMeshTrianglesMirrored) {
  const PackageModel crate = Read("Crate");
  EXPECT_EQ(crate.Information[1], "Triangles = 3");
  model3d::TObjeto3D model;
  FrameChoice choice;
  choice.MirrorX = true;
  CompilePackageModel(crate.Mesh, choice, model);
  ASSERT_EQ(model.Frames.size(), 2u);
  EXPECT_EQ(model.Frames[1][6], (model3d::TVertex3D{-16, -6, 2}));
  const model3d::TTriangle3D& first = model.Triangles[0];
  EXPECT_EQ((std::array{first.Vertex[0], first.Vertex[1], first.Vertex[2]}), (std::array<std::uint16_t, 3>{6, 5, 4}));
  EXPECT_EQ((std::array{first.TexCoord[0], first.TexCoord[1], first.TexCoord[2]}),
            (std::array<std::uint16_t, 3>{2, 1, 0}));
  // V counts up from the texture's bottom, as for wedges.
  EXPECT_EQ(model.TexCoords[1], (model3d::TTexCoord{1, 1}));
  EXPECT_EQ(model.TexCoords[2], (model3d::TTexCoord{0, 0}));
  // Masked OR two-sided on texture 0; the imported texture 1 stays unnamed.
  EXPECT_EQ(model.Materials, (std::vector<model3d::TMaterial3D>{{"SKIN0", 3}, {"", 0}}));
}

TEST_F(PackageModelTest, WritesDefinitionAndWireBitmapsTheCatalogueReads) {
  const PackageModel soldier = Read("Soldier");
  model3d::TObjeto3D model;
  CompilePackageModel(soldier.Mesh, {}, model);
  const ModelOutputSettings settings = PackageModelOutput(soldier, false, dir.Path());
  const ModelOutputFiles files = WriteModelOutput(model, settings, {});
  EXPECT_TRUE(files.DataFile.empty());
  ASSERT_EQ(files.WireBitmaps.size(), 3u);
  EXPECT_EQ(files.WireBitmaps[0], dir / "CustomModels/SoldierWire1.bmp");
  ASSERT_TRUE(files.DefinitionWritten);

  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(dir.Path());
  EXPECT_TRUE(catalogue.Problems.empty());
  const auto definition = catalogue.FindByPrefix("Soldier");
  ASSERT_TRUE(definition);
  EXPECT_EQ(definition->Mesh, "SoldierSkins.Soldier");
  // The fixed skin, two teams and the face, which the scripts load whether triangles use them or not.
  ASSERT_EQ(definition->Sections.size(), 5u);
  EXPECT_EQ(definition->Sections[0].Name, "SKIN0");
  EXPECT_TRUE(definition->Sections[0].Part.Has(model::MASKED));
  EXPECT_TRUE(definition->Sections[1].Part.Has(model::TEAM));
  EXPECT_TRUE(definition->Sections[2].Part.Has(model::TEAM));
  EXPECT_TRUE(definition->Sections[3].Part.Has(model::FACE));
  EXPECT_TRUE(definition->Sections[4].Part.Has(model::TALKTEXTURE));
  ASSERT_TRUE(definition->Sections[0].Part.Wire);
  EXPECT_EQ(definition->Sections[0].Part.Wire->Picture().Width(), 256);

  // Declining the question keeps the old definition; the bitmaps are new.
  testsupport::WriteFile(files.Definition, Bytes("[Model]\r\n"));
  bool asked = false;
  const ModelOutputFiles again = WriteModelOutput(model, settings, {.Overwrite = [&](const std::filesystem::path&) {
                                                         asked = true;
                                                         return false;
                                                       }});
  EXPECT_TRUE(asked);
  EXPECT_FALSE(again.DefinitionWritten);
  EXPECT_EQ(testsupport::ReadFile(files.Definition), Bytes("[Model]\r\n"));
}

// Hero extends Middle, both in Mod.u; Middle extends Base.BasePlayer of
// base.u, which holds the mesh and extends Botpack.TournamentPlayer of a
// Botpack.u that is not there. Orphan's parent package is missing altogether.
TEST(InheritedDefaultsTest, ValuesComeFromTheNearestClassUpTheChain) {
  testsupport::TempDir dir;
  MeshPackage base("Base");
  const std::int32_t body = base.AddLodMesh(SoldierMesh(0));
  base.AddPlayerClass({.Name = "BasePlayer", .Mesh = body, .MenuName = "Base", .TeamSkin = "T_base_", .FaceSkin = 2,
                       .TeamSkin1 = 3, .TeamSkin2 = 4});
  base.Write(dir.Path());
  std::filesystem::rename(dir / "Base.u", dir / "base.u");

  MeshPackage mod("Mod");
  const std::int32_t own = mod.AddMesh(CrateMesh(0));
  mod.AddPlayerClass({.Name = "Middle", .Extends = "Base.BasePlayer", .Listed = false, .TeamSkin1 = 1});
  mod.AddPlayerClass({.Name = "Hero", .Extends = "Middle", .MenuName = "Hero", .TeamSkin2 = 5});
  mod.AddPlayerClass({.Name = "Orphan", .Extends = "Gone.Player", .Mesh = own, .MenuName = "Orphan", .FaceSkin = 1});
  mod.Write(dir.Path());

  unrealpkg::TUTPackage package;
  const PackageModelList list = ListPackageModels(package, dir / "Mod.int", true);
  ASSERT_EQ(list.Entries.size(), 2u);
  const PackageModelEntry& hero = list.Entries[0];
  EXPECT_EQ(hero.Caption, "Hero");
  EXPECT_EQ(hero.Item.FaceSkin, 2);
  EXPECT_EQ(hero.Item.TeamSkin1, 1);
  EXPECT_EQ(hero.Item.TeamSkin2, 5);
  EXPECT_EQ(hero.Item.TeamSkin, "T_base_");
  EXPECT_EQ(hero.Item.FixedSkin, 0);
  EXPECT_EQ(hero.Item.MeshOwner, dir / "base.u");
  EXPECT_EQ(hero.Notes, (std::vector<std::string>{
                            "The class Hero inherits from Botpack.TournamentPlayer, which is not found (there is no "
                            "Botpack.u beside " + (dir / "base.u").string() + "): FixedSkin takes 0, as no class of "
                            "the chain stores it"}));

  // The mesh a parent in another package names is read from there.
  const PackageModel model = ReadPackageModel(package, hero);
  EXPECT_EQ(model.ModelName, "Soldier");
  EXPECT_EQ(model.PackageName, "base");
  // Reading the model adds how the skins' names were inferred.
  EXPECT_EQ(model.Notes, (std::vector<std::string>{
                             hero.Notes.front(),
                             "The class Hero does not say whether it is multi-skinned (Botpack.TournamentPlayer is not "
                             "found): bIsMultiSkinned is taken as True, as the class names no default skin package; "
                             "taken as multi-skinned, as the game's player classes are"}));

  const PackageModelEntry& orphan = list.Entries[1];
  EXPECT_EQ(orphan.Item.FaceSkin, 1);
  EXPECT_EQ(orphan.Item.TeamSkin1, 0);
  EXPECT_TRUE(orphan.Item.MeshOwner.empty());
  EXPECT_EQ(orphan.Notes, (std::vector<std::string>{
                              "The class Orphan inherits from Gone.Player, which is not found (there is no Gone.u "
                              "beside " + (dir / "Mod.u").string() + "): TeamSkin takes \"\" and FixedSkin, "
                              "TeamSkin1 and TeamSkin2 take 0, as no class of the chain stores them"}));
  EXPECT_EQ(ReadPackageModel(package, orphan).ModelName, "Crate");
}

TEST(AdvancedModelSupportTest, ConventionValuesShapeTheSections) {
  testsupport::TempDir dir;
  MeshPackage withAms("AmsModel");
  const std::int32_t mesh = withAms.AddLodMesh(SoldierMesh(0));
  withAms.AddPlayerClass({.Name = "AmsPlayer", .Mesh = mesh, .MenuName = "Ams Player", .FaceSkin = 0});
  withAms.AddSkinInfo({.TalkTextureID = "T", .ChangesWithTeam = {true, false, std::nullopt, std::nullopt},
                       .ChangesWithFace = {false, true, std::nullopt, std::nullopt}});
  withAms.Write(dir.Path());
  unrealpkg::TUTPackage package;
  const PackageModelList list = ListPackageModels(package, dir / "AmsModel.int", true);
  const PackageModel model = ReadPackageModel(package, list.Entries.front());
  EXPECT_EQ(model.Information.back(), "Advanced Model Support: Yes");
  EXPECT_EQ(model.Ams.TalkTextureID, "T");
  EXPECT_EQ(model.Ams.ChangesWithTeam, (std::array<bool, 4>{true, false, true, true}));

  model3d::TObjeto3D compiled;
  FrameChoice mirrored;
  mirrored.MirrorX = true;
  CompilePackageModel(model.Mesh, mirrored, compiled);
  const std::vector<std::string> lines = ModelDefinitionLines(compiled, PackageModelOutput(model, true, dir.Path()));
  const std::vector<std::string> tail(std::find(lines.begin(), lines.end(), "MirrorX=Yes"), lines.end());
  const std::vector<std::string> expected = {
      "MirrorX=Yes", "ScaleX=1.500", "ScaleY=1.500", "ScaleZ=1.500", "OffsetX=3.750", "OffsetY=0.000", "OffsetZ=3.750",
      "Pitch=-90.000", "Roll=0.000", "Turn=-90.000", "Preset1=Front;0.000;0.000;11.876;0.000;0.000;0.000",
      "Preset2=Face;0.750;0.000;2.475;0.750;0.000;0.750", "AMS=Yes",
      "", "[Section1]", "Name=SKIN0", "Team=Yes",
      "FormatNoTeamNoFace=%SKIN%%SECTION0%", "FormatNoTeamFace=%SKIN%%SECTION0%%FACE%",
      "FormatTeamNoFace=%SKIN%%SECTION0%T_%TEAM%", "FormatTeamFace=%SKIN%%SECTION0%T_%TEAM%%FACE%", "Masked=Yes",
      "", "[Section2]", "Name=SKIN1", "Face=Yes",
      "FormatNoTeamNoFace=%SKIN%%SECTION0%", "FormatNoTeamFace=%SKIN%%SECTION0%%FACE%",
      "FormatTeamNoFace=%SKIN%%SECTION0%T_%TEAM%", "FormatTeamFace=%SKIN%%SECTION0%T_%TEAM%%FACE%",
      "", "[Section3]", "Name=SKIN2", "Team=Yes",
      "FormatNoTeamNoFace=%SKIN%%SECTION0%", "FormatNoTeamFace=%SKIN%%SECTION0%%FACE%",
      "FormatTeamNoFace=%SKIN%%SECTION0%T_%TEAM%", "FormatTeamFace=%SKIN%%SECTION0%T_%TEAM%%FACE%",
      "", "[Section5]", "Name=Talk Texture", "Face=Yes", "Team=Yes", "OneMipMap=Yes", "LODSetWorld=Yes",
      "TextureSize=64x64", "TalkTexture=Yes", "FormatNoTeamNoFace=%SKIN%T", "FormatNoTeamFace=%SKIN%T%FACE%",
      "FormatTeamNoFace=%SKIN%TT_%TEAM%", "FormatTeamFace=%SKIN%TT_%TEAM%%FACE%"};
  EXPECT_EQ(tail, expected);
}

}  // namespace
