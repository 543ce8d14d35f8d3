#include <gtest/gtest.h>

#include "CliRunner.h"
#include "model3d/TObjeto3D.h"
#include "support/ExternalModelFiles.h"
#include "support/MeshPackage.h"
#include "support/TestFiles.h"

namespace {

using testsupport::MeshPackage;

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::string Text(const std::filesystem::path& path) {
  const auto bytes = testsupport::ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

// Two frames of a quad split in two faces, with a "Breath1" and a "Run" sequence.
testsupport::MeshSpec Quad(const std::string& name) {
  testsupport::MeshSpec mesh;
  mesh.Name = name;
  mesh.Frames = {{{0, 0, 0}, {4, 0, 0}, {4, 0, 4}, {0, 0, 4}}, {{0, 1, 0}, {4, 1, 0}, {4, 1, 4}, {0, 1, 4}}};
  mesh.Wedges = {{0, 0, 255}, {1, 255, 255}, {2, 255, 0}, {3, 0, 0}};
  mesh.Faces = {{{0, 1, 2}, 0}, {{0, 2, 3}, 1}};
  mesh.Materials = {{0, 0}, {0, 1}};
  mesh.Textures = {0, 0};
  mesh.Sequences = {{"Breath1", 1, 1, 5.0f}, {"Run", 0, 2, 10.0f}};
  return mesh;
}

TEST(CompileModelCliTest, ListsAndCompilesThePlayerModelsOfAPackage) {
  testsupport::TempDir dir;
  MeshPackage package("QuadSkins");
  const std::int32_t quad = package.AddLodMesh(Quad("Quad"));
  const std::int32_t tile = package.AddLodMesh(Quad("Tile"));
  package.AddPlayerClass({.Name = "QuadPlayer", .Mesh = quad, .MenuName = "Quad Runner", .FaceSkin = 1,
                          .Description = "Quad Runner"});
  package.AddPlayerClass({.Name = "TilePlayer", .Mesh = tile, .MenuName = "A Tile", .TeamSkin = "Tile"});
  package.Write(dir.Path());
  const QString home = Path(dir / "home");

  const Outcome list = Marbelle({"compile-model", Path(dir / "QuadSkins.int"), "--list"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out,
            "A Tile\tTilePlayer\tFaceSkin 0, FixedSkin 0, TeamSkin1 0, TeamSkin2 0, TeamSkin \"Tile\"\tAMS No\n"
            "Quad Runner\tQuadPlayer\tFaceSkin 1, FixedSkin 0, TeamSkin1 0, TeamSkin2 0, TeamSkin \"\"\tAMS No\n");
  const Outcome meshes = Marbelle({"compile-model", Path(dir / "QuadSkins.u"), "--list"});
  EXPECT_EQ(meshes.out.substr(0, 5), "Quad\t");

  const Outcome first = Marbelle({"compile-model", Path(dir / "QuadSkins.int"), "--home", home});
  ASSERT_EQ(first.status, 0) << first.err;
  // A multi-skinned model's scripts name team textures by code and section, whatever TeamSkin says.
  EXPECT_EQ(Text(dir / "home/CustomModels/Tile.mrbe").find("FormatTeamNoFace"), std::string::npos);

  const QStringList quadRun = {"compile-model", Path(dir / "QuadSkins.int"), "--model", "quadplayer", "--sequence",
                               "run", "--frame", "1", "--mirror-x", "--description", "Mirrored quad", "--home", home};
  const Outcome compiled = Marbelle(quadRun);
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_NE(compiled.out.find("Unreal LodMesh model\nFaces = 2\nFrames    = 2\nAdvanced Model Support: No\n"),
            std::string::npos);
  EXPECT_NE(compiled.out.find("QuadWire2.bmp"), std::string::npos);
  const std::string definition = Text(dir / "home/CustomModels/Quad.mrbe");
  for (const char* line : {"Name=Mirrored quad\r\n", "Mesh=QuadSkins.Quad\r\nMirrorX=Yes\r\n", "OffsetZ=50.000\r\n",
                           "[Section1]\r\nName=SKIN0\r\nTeam=Yes\r\n", "[Section2]\r\nName=SKIN1\r\nFace=Yes\r\n\r\n"})
    EXPECT_NE(definition.find(line), std::string::npos) << line;

  const Outcome kept = Marbelle(quadRun);
  EXPECT_NE(kept.out.find("Kept the existing"), std::string::npos);
  const Outcome forced = Marbelle(QStringList(quadRun) << "--force" << "--frame" << "2");
  EXPECT_EQ(forced.status, 1);
  EXPECT_NE(forced.err.find("Frame 2 is not one of the 2 frames of the mesh Quad"), std::string::npos);

  testsupport::WriteFile(dir / "Broken.u", {'n', 'o'});
  const Outcome broken = Marbelle({"compile-model", Path(dir / "Broken.u")});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("Broken.u: The file is not an Unreal package."), std::string::npos) << broken.err;
}

// An Unreal 3D pair: a skin triangle, a masked one and a weapon triangle, in two frames.
TEST(CompileModelCliTest, CompilesAnExternalModelInTheUsersMaterialOrder) {
  using externalfiles::PackVertex;
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "Robot_d.3d", externalfiles::Unreal3DData(3, {{{0, 1, 2}, 0, {0, 0, 255, 0, 0, 255}, 1},
                                                                            {{2, 1, 0}, 2, {51, 102, 102, 51, 255, 255}, 0},
                                                                            {{1, 2, 0}, 8, {}, 2}}));
  testsupport::WriteFile(dir / "Robot_a.3d",
                         externalfiles::Unreal3DAnimation(2, {{0, 0, 0}, {PackVertex(16, 8, 4), PackVertex(8, 8, 8),
                                                                          PackVertex(0x7F8, 0x7F0, 0x3FC)}}));
  const QString robot = Path(dir / "Robot_d.3d");
  const Outcome listed = Marbelle({"compile-model", "--external", robot, "--list"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, "Unreal3D model\nTriangles = 3\nFrames    = 2\nMaterials: SKIN0 SKIN1 SKIN2\n");

  const Outcome compiled = Marbelle({"compile-model", "--external", robot, "--mesh", "1", "--materials", "skin0,skin2",
                                     "--home", Path(dir / "home")});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_NE(compiled.out.find("Materials: SKIN0 SKIN2 SKIN1\n"), std::string::npos) << compiled.out;

  // The user's order puts the weapon in slot 1, where it leaves a gap.
  model3d::TObjeto3D expected;
  expected.Frames = {{{-1, -2, 1}, {-1, -1, 2}, {2, 1, -1}}};
  expected.TexCoords = {{0, 1}, {1, 1}, {0, 0}, {51 / 255.0f, 1.0f - 102 / 255.0f}, {102 / 255.0f, 1.0f - 51 / 255.0f}, {1, 0}};
  expected.Triangles = {{{0, 1, 2}, {0, 1, 2}, 2}, {{2, 1, 0}, {3, 4, 5}, 0}};
  expected.Materials = {{"SKIN0", model3d::StyleMasked}, {"SKIN2", model3d::WeaponMaterial}, {"SKIN1", 0}};
  const std::filesystem::path models = dir / "home/CustomModels";
  EXPECT_EQ(testsupport::ReadFile(models / "Robot.mrbm"), model3d::EncodeModelData(expected));
  EXPECT_TRUE(std::filesystem::exists(models / "RobotWire1.bmp"));
  EXPECT_FALSE(std::filesystem::exists(models / "RobotWire2.bmp"));
  EXPECT_TRUE(std::filesystem::exists(models / "RobotWire3.bmp"));
  const std::string definition = Text(models / "Robot.mrbe");
  for (const char* lines : {"Name=Robot\r\nPrefix=Robot\r\n3DFile=Robot.mrbm\r\nScaleX=1.0\r\n", "Pitch=90\r\n",
                            "[Section1]\r\nName=SKIN0\r\nFace=Yes\r\nTeam=Yes\r\nMasked=Yes\r\n\r\n[Section3]\r\n"})
    EXPECT_NE(definition.find(lines), std::string::npos) << lines << definition;
  EXPECT_EQ(definition.find("[Section2]"), std::string::npos);

  const Outcome unknown = Marbelle({"compile-model", "--external", Path(dir / "Robot.obj")});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("Unknown file format."), std::string::npos) << unknown.err;
}

}  // namespace
