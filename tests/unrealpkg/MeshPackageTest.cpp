#include <gtest/gtest.h>

#include "support/MeshPackage.h"
#include "support/TestFiles.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;
using namespace testsupport;

namespace {

struct Written {
  std::int32_t texture, imported, mesh, lod, skeletal, player;
};

// Vertices off the grid or outside its range must land on the nearest point within it.
Written WriteModel(const std::filesystem::path& dir, std::uint16_t version = 69) {
  MeshPackage package("Model", version);
  Written refs{};
  refs.texture = package.AddTexture("Skin0");
  refs.imported = package.ImportObject("Botpack", "Texture", "Other");

  MeshSpec mesh{.Name = "Plain"};
  mesh.Frames = {{{-127.875f, 128, -127.75f}, {0.125f, -0.5f, 0.25f}, {1.06f, 300, 0.375f}},
                 {{0, 0, 0}, {-1000, 127.9f, 0.3f}, {2, 3, 4}}};
  mesh.Sequences = {{"Still", 0, 2, 10}};
  mesh.Textures = {refs.texture, refs.imported};
  mesh.Triangles = {{{0, 1, 2}, {{{1, 2}, {3, 4}, {5, 6}}}, 0x102, 1}};
  refs.mesh = package.AddMesh(mesh);

  MeshSpec lod{.Name = "Figure", .SpecialVerts = 3};
  for (int f = 0; f < 3; ++f) {
    const auto x = static_cast<float>(f);
    lod.Frames.push_back({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {x, 0, 0}, {x, 2, 0}, {x, 0, 2}});
  }
  lod.Sequences = {{"Breath1", 0, 2, 15}, {"Run", 2, 1, 20}};
  lod.Textures = {refs.texture};
  lod.Wedges = {{0, 10, 20}, {1, 30, 40}, {2, 250, 255}};
  lod.Faces = {{{2, 1, 0}, 0}};
  lod.Materials = {{0x140, 0}};
  refs.lod = package.AddLodMesh(lod);

  MeshSpec skeletal{.Name = "Bones"};
  skeletal.Points = {{1.5f, -2.25f, 1000}, {0, 1, 0}, {0, 0, 1}};
  skeletal.Textures = {0};
  skeletal.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}};
  skeletal.Faces = {{{0, 1, 2}, 0}};
  skeletal.Materials = {{0, 0}};
  refs.skeletal = package.AddSkeletalMesh(skeletal);

  refs.player = package.AddPlayerClass({.Name = "FigurePlayer", .Mesh = refs.lod, .MenuName = "Figure",
                                        .TeamSkin = "Team", .FaceSkin = 3, .FixedSkin = 2, .TeamSkin1 = 0,
                                        .TeamSkin2 = 1, .Description = "A figure"});
  package.AddPlayerClass({.Name = "Bare", .Description = "Nothing set"});
  SkinInfoSpec info{.TalkTextureID = "T", .HighestSkinNumber = 7, .OldTextureNames = 1, .RelaxedSkinRules = true};
  info.ChangesWithTeam = {true, std::nullopt, false, true};
  info.ChangesWithFace = {true, false, std::nullopt, false};
  package.AddSkinInfo(info);
  package.Write(dir);
  return refs;
}

template <class Reader>
Reader& Read(TUTPackage& package, std::int32_t reference) {
  auto& object = dynamic_cast<Reader&>(package.GetExport(reference - 1)->Object());
  object.ReadObject(true);
  return object;
}

void ExpectVector(const TUT_Struct_Vector& v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.X, x);
  EXPECT_FLOAT_EQ(v.Y, y);
  EXPECT_FLOAT_EQ(v.Z, z);
}

}  // namespace

TEST(MeshPackage, MeshesReadBackInEveryVersion) {
  for (const std::uint16_t version : {61, 62, 64, 65, 69}) {
    SCOPED_TRACE(version);
    TempDir dir;
    const Written refs = WriteModel(dir.Path(), version);
    TUTPackage package(dir / "Model.u");
    for (const ObjectReport& failure : CheckPackage(package).Failures)
      ADD_FAILURE() << failure.ObjectPath << ": " << failure.Message;
    for (int i = 0; i < package.ExportCount(); ++i) {
      TUTObject& object = package.GetExport(i)->Object();
      TUTObjectUse use(object);
      EXPECT_EQ(object.ParsedSize(), object.Data().size()) << object.ObjectName();
    }

    const auto& mesh = Read<TUTObjectClassMesh>(package, refs.mesh);
    EXPECT_EQ(package.GetExport(refs.mesh - 1)->ClassName(), "Mesh");
    ASSERT_EQ(mesh.FrameVertexCount(), 3);
    ASSERT_EQ(mesh.FrameCount(), 2);
    ExpectVector(mesh.GetVertex(0), -127.875f, 128, -127.75f);
    ExpectVector(mesh.GetVertex(1), 0.125f, -0.5f, 0.25f);
    ExpectVector(mesh.GetVertex(2), 1, 128, 0.5f);
    ExpectVector(mesh.GetVertex(4), -127.875f, 127.875f, 0.25f);
    ExpectVector(mesh.GetVertex(5), 2, 3, 4);
    const TUT_Struct_Triangle& triangle = mesh.GetTriangle(0);
    EXPECT_EQ(triangle.VertexIndex, (std::array<std::int32_t, 3>{0, 1, 2}));
    EXPECT_EQ(triangle.Tex[2].U, 5);
    EXPECT_EQ(triangle.Tex[2].V, 6);
    EXPECT_EQ(triangle.PolyFlags, 0x102);
    EXPECT_EQ(triangle.TextureIndex, 1);
    EXPECT_EQ(mesh.GetTextureRef(0), refs.texture);
    EXPECT_EQ(mesh.GetTextureRef(1), refs.imported);
    EXPECT_EQ(package.GetObjectPath(refs.imported), "Botpack.Other");
    EXPECT_EQ(mesh.VertexLinks().size(), 3u);
    ExpectVector(mesh.MeshBoundingBox().Max, 2, 128, 4);

    const auto& lod = Read<TUTObjectClassLodMesh>(package, refs.lod);
    EXPECT_EQ(lod.FrameVertexCount(), 6);
    EXPECT_EQ(lod.FrameCount(), 3);
    EXPECT_EQ(lod.SpecialVertexCount(), 3);
    ExpectVector(lod.GetVertex(2 * 6 + 4), 2, 2, 0);
    ASSERT_EQ(lod.AnimSequenceCount(), 2);
    EXPECT_EQ(package.GetName(lod.GetAnimSequence(0).Name), "Breath1");
    EXPECT_EQ(package.GetName(lod.GetAnimSequence(1).Name), "Run");
    EXPECT_EQ(lod.GetAnimSequence(1).StartFrame, 2);
    EXPECT_EQ(lod.GetAnimSequence(1).NumFrames, 1);
    EXPECT_FLOAT_EQ(lod.GetAnimSequence(1).Rate, 20);
    EXPECT_EQ(lod.GetWedge(2).VertexIndex, 2);
    EXPECT_EQ(lod.GetWedge(2).U, 250);
    EXPECT_EQ(lod.GetWedge(2).V, 255);
    EXPECT_EQ(lod.GetFace(0).WedgeIndex, (std::array<std::int32_t, 3>{2, 1, 0}));
    EXPECT_EQ(lod.GetMaterial(0).PolyFlags, 0x140);
    EXPECT_EQ(lod.GetTextureRef(0), refs.texture);
    EXPECT_EQ(lod.SpecialFaces().size(), 1u);

    const auto& skeletal = Read<TUTObjectClassSkeletalMesh>(package, refs.skeletal);
    EXPECT_EQ(skeletal.FrameCount(), 0);
    ASSERT_EQ(skeletal.PointCount(), 3);
    ExpectVector(skeletal.GetPoint(0), 1.5f, -2.25f, 1000);
    EXPECT_EQ(skeletal.BoneCount(), 1);
    EXPECT_EQ(skeletal.GetWedge(1).U, 255);
    EXPECT_EQ(skeletal.GetTextureRef(0), 0);
  }
}

TEST(MeshPackage, PlayerClassesSkinInfoAndLocalisation) {
  TempDir dir;
  const Written refs = WriteModel(dir.Path());
  TUTPackage package(dir / "Model.u");

  const TUTPropertyList& player = Read<TUTObject>(package, refs.player).Properties();
  EXPECT_EQ(player.GetValueDef("Mesh", TUTValue(0)).ToInteger(), refs.lod);
  EXPECT_EQ(package.ClassNameOf(refs.lod), "LodMesh");
  EXPECT_EQ(player.GetValueDef("MenuName", TUTValue("")), TUTValue("Figure"));
  EXPECT_EQ(player.GetValueDef("TeamSkin", TUTValue("")), TUTValue("Team"));
  EXPECT_EQ(player.GetValueDef("FaceSkin", TUTValue(0)).ToInteger(), 3);
  EXPECT_EQ(player.GetValueDef("FixedSkin", TUTValue(-1)).ToInteger(), 2);
  EXPECT_EQ(player.GetValueDef("TeamSkin1", TUTValue(1)).ToInteger(), 0);
  EXPECT_EQ(player.GetValueDef("TeamSkin2", TUTValue(2)).ToInteger(), 1);
  const int bare = package.FindExport("Bare", "");
  ASSERT_GE(bare, 0);
  EXPECT_EQ(Read<TUTObject>(package, bare + 1).Properties().GetValueDef("Mesh", TUTValue(0)).ToInteger(), 0);
  EXPECT_EQ(package.GetObjectPath(package.GetExport(refs.player - 1)->SuperRef), "Botpack.TournamentPlayer");

  EXPECT_GE(package.FindObject(TableImports, MatchObjectName, 0, "", "AdvancedModelSupport", ""), 0);
  const int info = package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "", "ModelSkinInfo", "");
  ASSERT_GE(info, 0);
  const TUTPropertyList& skin = Read<TUTObject>(package, info + 1).Properties();
  EXPECT_EQ(skin.GetValueDef("TalkTextureID", TUTValue("C")), TUTValue("T"));
  EXPECT_EQ(skin.GetValueDef("HighestSkinNumber", TUTValue(3)).ToInteger(), 7);
  EXPECT_TRUE(skin.GetValueDef("bRelaxedSkinRules", TUTValue(false)).ToBoolean());
  EXPECT_EQ(skin.GetValueDef("OldTextureNames", TUTValue(0)).ToInteger(), 1);
  const std::array<bool, 4> team{true, true, false, true}, face{true, false, false, false};
  for (int i = 0; i < 4; ++i) {
    const std::string index = "[" + std::to_string(i) + "]";
    EXPECT_EQ(skin.GetValueDef("ChangesWithTeam" + index, TUTValue(true)).ToBoolean(), team[i]) << i;
    EXPECT_EQ(skin.GetValueDef("ChangesWithFace" + index, TUTValue(false)).ToBoolean(), face[i]) << i;
  }

  const std::vector<std::uint8_t> text = ReadFile(dir / "Model.int");
  EXPECT_EQ(std::string(text.begin(), text.end()),
            "[Public]\r\n"
            "Object=(Name=Model.FigurePlayer,Class=Class,MetaClass=Botpack.TournamentPlayer,Description=\"A figure\")\r\n"
            "Object=(Name=Model.Bare,Class=Class,MetaClass=Botpack.TournamentPlayer,Description=\"Nothing set\")\r\n");
}
