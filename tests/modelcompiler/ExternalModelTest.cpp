#include <gtest/gtest.h>

#include "support/ExternalModelFiles.h"
#include "modelcompiler/ExternalModel.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using namespace modelcompiler;
using model3d::TObjeto3D;
using model3d::TTexCoord;
using model3d::TVertex3D;

std::vector<std::string> MaterialNames(const TObjeto3D& model) {
  std::vector<std::string> names;
  for (const auto& material : model.Materials) names.push_back(material.Name);
  return names;
}

std::vector<int> TriangleMaterials(const TObjeto3D& model) {
  std::vector<int> materials;
  for (const auto& triangle : model.Triangles) materials.push_back(triangle.Material);
  return materials;
}

TObjeto3D ReadMesh(const std::filesystem::path& file, int number) {
  TObjeto3D model;
  ReadExternalMesh(InspectExternalModel(file), number, model);
  return model;
}

void ExpectTexCoord(const TTexCoord& actual, float u, float v) {
  EXPECT_NEAR(actual.U, u, 1e-6);
  EXPECT_NEAR(actual.V, v, 1e-6);
}

TEST(ExternalModel, OtherExtensionsAreAnUnknownFormat) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "robot.obj", Bytes("v 0 0 0\n"));
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(dir / "robot.obj"); }), "Unknown file format.");
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(dir / "robot"); }), "Unknown file format.");
}

class Unreal3D : public ::testing::Test {
protected:
  void SetUp() override {
    using externalfiles::PackVertex;
    // Weapon triangles add a material but no triangle.
    testsupport::WriteFile(dir / "robot_d.3d",
                           externalfiles::Unreal3DData(3, {{{0, 1, 2}, 0x10, {0, 255, 255, 0, 51, 102}, 0},
                                                           {{2, 1, 0}, 8, {}, 2},
                                                           {{1, 2, 0}, 3, {}, 0},
                                                           {{0, 2, 1}, 0, {}, 0}}));
    std::vector<std::vector<std::uint32_t>> frames;
    for (std::uint32_t f = 0; f < 4; ++f)
      frames.push_back({PackVertex(8 * f, 0, 0), PackVertex(0x008, 0x010, 0x004), PackVertex(0x7F8, 0, 0)});
    testsupport::WriteFile(dir / "robot_a.3d", externalfiles::Unreal3DAnimation(4, frames));
  }

  testsupport::TempDir dir;
};

TEST_F(Unreal3D, InformationNamesThePairWhateverTheLetterCase) {
  const ExternalModelInfo info = InspectExternalModel(dir / "robot_D.3D");
  EXPECT_EQ(info.Kind, ExternalModelKind::Unreal3D);
  EXPECT_EQ(info.ModelName, (dir / "robot").string());
  EXPECT_EQ(info.Lines, (std::vector<std::string>{"Unreal3D model", "Triangles = 4", "Frames    = 4"}));
  EXPECT_EQ(info.MaxNumber, 3);
}

TEST_F(Unreal3D, ReadsTheChosenFrameAndUnpacksVertices) {
  const TObjeto3D first = ReadMesh(dir / "robot_a.3d", 0);
  ASSERT_EQ(first.Frames.size(), 1u);
  EXPECT_EQ(first.Frames[0], (std::vector<TVertex3D>{{-0.0f, -0.0f, 0}, {-2, -1, 1}, {-0.0f, 1, 0}}));
  EXPECT_EQ(ReadMesh(dir / "robot_a.3d", 3).Frames[0][0], (TVertex3D{-0.0f, -3, 0}));
  EXPECT_EQ(first.StillFrame, 0);
  EXPECT_TRUE(first.Sequences.empty());
}

TEST_F(Unreal3D, NamesMaterialsByTextureAndStyle) {
  const TObjeto3D model = ReadMesh(dir / "robot_d.3d", 0);
  EXPECT_EQ(MaterialNames(model), (std::vector<std::string>{"SKIN0", "SKIN2.WEAP", "SKIN0.TRAN"}));
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{0, 2, 0}));
  ASSERT_EQ(model.TexCoords.size(), 9u);
  ExpectTexCoord(model.TexCoords[0], 0, 0);
  ExpectTexCoord(model.TexCoords[1], 1, 1);
  ExpectTexCoord(model.TexCoords[2], 0.2f, 0.6f);
  EXPECT_EQ(model.Triangles[1].Vertex[0], 1);
  EXPECT_EQ(model.Triangles[1].TexCoord[0], 3);
}

TEST_F(Unreal3D, DamagedPairsNameTheFileAtFault) {
  TObjeto3D model;
  const ExternalModelInfo info = InspectExternalModel(dir / "robot_d.3d");
  EXPECT_NE(ErrorOf([&] { ReadExternalMesh(info, 4, model); }).find("there is no mesh or frame 4"), std::string::npos);

  testsupport::WriteFile(dir / "robot_a.3d", externalfiles::Unreal3DAnimation(4, {{1, 2, 3}}));
  EXPECT_EQ(ErrorOf([&] { ReadExternalMesh(info, 1, model); }),
            (dir / "robot_a.3d").string() + ": the file ends early");

  testsupport::WriteFile(dir / "robot_d.3d", externalfiles::Unreal3DData(3, {{{0, 3, 2}, 0, {}, 0}}));
  EXPECT_EQ(ErrorOf([&] { ReadExternalMesh(info, 0, model); }),
            (dir / "robot_d.3d").string() + ": triangle 0 refers to vertex 3 of 3");

  std::filesystem::remove(dir / "robot_a.3d");
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(dir / "robot_d.3d"); }),
            (dir / "robot_A.3D").string() + ": the file does not exist");
}

TEST(Studio3DS, InformationCountsMeshesAndFacesOfTheFirst) {
  testsupport::TempDir dir;
  externalfiles::Studio3DSMesh mesh{
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 0}, {1, 0}, {0, 1}}, {{0, 1, 2}, {2, 1, 0}}, {}};
  testsupport::WriteFile(dir / "ship.3DS", externalfiles::Studio3DS(3, {mesh, mesh, mesh}));
  const ExternalModelInfo info = InspectExternalModel(dir / "ship.3DS");
  EXPECT_EQ(info.Kind, ExternalModelKind::Studio3DS);
  EXPECT_EQ(info.Lines, (std::vector<std::string>{"3DStudio model", "Triangles = 2", "Meshes    = 3"}));
  EXPECT_EQ(info.MaxNumber, 2);

  testsupport::WriteFile(dir / "empty.3ds", externalfiles::Studio3DS(3, {}));
  EXPECT_EQ(InspectExternalModel(dir / "empty.3ds").Lines[1], "Triangles = 0");
  TObjeto3D model;
  EXPECT_EQ(ErrorOf([&] { ReadExternalMesh(InspectExternalModel(dir / "empty.3ds"), 0, model); }),
            (dir / "empty.3ds").string() + ": the file holds no mesh or frame");
}

TEST(Studio3DS, FacesTakeTheLastGroupListingThemAndTheSkinOtherwise) {
  testsupport::TempDir dir;
  const externalfiles::Studio3DSMesh first{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {{0, 1, 2}}, {}};
  const externalfiles::Studio3DSMesh second{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 1, 1}},
                                            {{0.25f, 0.5f}, {1, 0}, {0, 1}},
                                            {{0, 1, 2}, {1, 2, 3}, {3, 2, 1}},
                                            {{"Metal", {0, 1}}, {"Unused", {}}, {"Glass", {1}}}};
  testsupport::WriteFile(dir / "ship.3ds", externalfiles::Studio3DS(3, {first, second}));
  const TObjeto3D model = ReadMesh(dir / "ship.3ds", 1);
  EXPECT_EQ(model.Frames[0], second.Vertices);
  // Texture vertices a mesh lacks are (0, 0).
  EXPECT_EQ(model.TexCoords, (std::vector<TTexCoord>{{0.25f, 0.5f}, {1, 0}, {0, 1}, {0, 0}}));
  EXPECT_EQ(MaterialNames(model), (std::vector<std::string>{"Metal", "Glass", "SKIN"}));
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(model.Triangles[1].Vertex[0], 1);
  EXPECT_EQ(model.Triangles[1].TexCoord[2], 3);
}

TEST(Studio3DS, ReleaseOneAndTwoFilesHaveTheirCornersReversed) {
  testsupport::TempDir dir;
  const externalfiles::Studio3DSMesh mesh{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {{0, 1, 2}}, {{"A", {0}}}};
  for (const std::uint32_t release : {1u, 2u, 3u}) {
    testsupport::WriteFile(dir / "m.3ds", externalfiles::Studio3DS(release, {mesh}));
    const model3d::TTriangle3D triangle = ReadMesh(dir / "m.3ds", 0).Triangles.at(0);
    const std::uint16_t first = release == 3 ? 0 : 2;
    EXPECT_EQ(triangle.Vertex[0], first) << release;
    EXPECT_EQ(triangle.TexCoord[0], first) << release;
    EXPECT_EQ(triangle.Vertex[2], 2 - first) << release;
  }
}

TEST(Studio3DS, DamagedChunksNameTheFile) {
  testsupport::TempDir dir;
  const auto file = dir / "m.3ds";
  const externalfiles::Studio3DSMesh mesh{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {{0, 1, 2}}, {{"A", {0}}}};
  std::vector<std::size_t> lengths;
  const std::vector<std::uint8_t> good = externalfiles::Studio3DS(3, {mesh}, &lengths);

  for (const std::uint8_t length : {0, 5}) {
    std::vector<std::uint8_t> bytes = good;
    bytes[lengths[1]] = length;  // the version chunk
    testsupport::WriteFile(file, bytes);
    EXPECT_NE(ErrorOf([&] {
                InspectExternalModel(file);
              }).find(file.string() + ": chunk 0002 claims " + std::to_string(length) + " bytes where "),
              std::string::npos);
  }
  std::vector<std::uint8_t> overlong = good;
  overlong[lengths.back() + 2] = 0x10;  // the material group chunk, past its face list
  testsupport::WriteFile(file, overlong);
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(file); }),
            file.string() + ": chunk 4130 claims 1048588 bytes where 12 are left");

  testsupport::WriteFile(file, externalfiles::Studio3DS(3, {{mesh.Vertices, {}, {{0, 1, 3}}, {{"A", {1}}}}}));
  EXPECT_EQ(ErrorOf([&] { ReadMesh(file, 0); }), file.string() + ": material A lists face 1 of 1");
  testsupport::WriteFile(file, externalfiles::Studio3DS(3, {{mesh.Vertices, {}, {{0, 1, 3}}, {}}}));
  EXPECT_EQ(ErrorOf([&] { ReadMesh(file, 0); }), file.string() + ": triangle 0 refers to vertex 3 of 3");
  testsupport::WriteFile(file, Bytes("MM\x06"));
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(file); }), file.string() + ": the file is not a 3D Studio file");
}

TEST(MilkShape, ReadsVerticesCornersGroupsAndMaterials) {
  testsupport::TempDir dir;
  testsupport::WriteFile(
      dir / "m.ms3d", externalfiles::MilkShape(
                          {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
                          {{{0, 1, 2}, {0.1f, 0.2f, 0.3f}, {0.25f, 0.5f, 1}}, {{2, 1, 0}, {}, {}}, {{1, 1, 1}, {}, {}}},
                          {{{2, 0}, 1}, {{1}, -1}}, {"Body", std::string(32, 'x'), "Head"}, 30));
  const ExternalModelInfo info = InspectExternalModel(dir / "m.ms3d");
  EXPECT_EQ(info.Lines, (std::vector<std::string>{"MilkShape3D model", "Triangles = 3",
                                                  "Frames    = 30 (cannot select in this version)"}));
  EXPECT_EQ(info.MaxNumber, 0);

  const TObjeto3D model = ReadMesh(dir / "m.ms3d", 0);
  EXPECT_EQ(model.Frames.at(0), (std::vector<TVertex3D>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
  ASSERT_EQ(model.TexCoords.size(), 9u);
  ExpectTexCoord(model.TexCoords[0], 0.1f, 0.75f);
  ExpectTexCoord(model.TexCoords[2], 0.3f, 0);
  EXPECT_EQ(model.Triangles[1].TexCoord[0], 3);
  EXPECT_EQ(model.Triangles[1].Vertex[0], 2);
  // The second triangle's group has no material.
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{1, -1, 1}));
  EXPECT_EQ(MaterialNames(model), (std::vector<std::string>{"Body", std::string(32, 'x'), "Head"}));
}

TEST(MilkShape, RefusesOtherFilesAndGroupsOutsideTheLists) {
  testsupport::TempDir dir;
  const auto file = dir / "m.ms3d";
  for (const std::string text : {"MS3D000001xxxx", "MS3D"}) {
    testsupport::WriteFile(file, Bytes(text));
    EXPECT_EQ(ErrorOf([&] { InspectExternalModel(file); }), file.string() + " is not a valid MilkShape 3D file.");
  }
  const std::vector<TVertex3D> vertices{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  testsupport::WriteFile(file, externalfiles::MilkShape(vertices, {{{0, 1, 2}, {}, {}}}, {{{1}, 0}}, {"A"}, 1));
  EXPECT_EQ(ErrorOf([&] { ReadMesh(file, 0); }), file.string() + ": a group lists triangle 1 of 1");
  testsupport::WriteFile(file, externalfiles::MilkShape(vertices, {{{0, 1, 2}, {}, {}}}, {{{0}, 1}}, {"A"}, 1));
  EXPECT_EQ(ErrorOf([&] { ReadMesh(file, 0); }), file.string() + ": triangle 0 refers to material 1 of 1");
  std::vector<std::uint8_t> cut = externalfiles::MilkShape(vertices, {}, {}, {}, 1);
  cut.pop_back();
  testsupport::WriteFile(file, cut);
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(file); }), file.string() + ": the file ends early");
}

TEST(Painter3D, InformationCountsMeshesAndTheFirstMeshsTriangles) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "m.p3d", Bytes(externalfiles::Painter3DSample("\n")));
  const ExternalModelInfo info = InspectExternalModel(dir / "m.p3d");
  EXPECT_EQ(info.Kind, ExternalModelKind::Painter3D);
  EXPECT_EQ(info.Lines, (std::vector<std::string>{"Painter3D model", "Triangles = 1", "Meshes    = 2"}));
  EXPECT_EQ(info.MaxNumber, 1);
}

TEST(Painter3D, QuartersOfTheTextureBecomeFourSkins) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "m.p3d", Bytes(externalfiles::Painter3DSample("\r\n")));
  const TObjeto3D model = ReadMesh(dir / "m.p3d", 1);
  EXPECT_EQ(model.Frames.at(0), (std::vector<TVertex3D>{{1.5f, -2.25f, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}));
  EXPECT_EQ(MaterialNames(model), (std::vector<std::string>{"SKIN0", "SKIN1", "SKIN2", "SKIN3"}));
  // Corner 0 of each triangle lies in another quarter: (0.75, 0.25), (0.1, 0.8), (0.6, 0.9), (0.25, 0.25).
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{3, 0, 1, 2}));
  ASSERT_EQ(model.TexCoords.size(), 4u);
  ExpectTexCoord(model.TexCoords[0], 0.5f, 0.5f);
  ExpectTexCoord(model.TexCoords[1], 0.2f, 0.6f);
  ExpectTexCoord(model.TexCoords[2], 0.2f, 0.8f);
  ExpectTexCoord(model.TexCoords[3], 0.5f, 0.5f);
  EXPECT_EQ(model.Triangles[1].Vertex[2], 3);
  EXPECT_EQ(model.Triangles[1].TexCoord[0], 1);
  EXPECT_EQ(ReadMesh(dir / "m.p3d", 0).Triangles.size(), 1u);
}

TEST(Painter3D, RefusesOtherFilesAndBrokenTriangles) {
  testsupport::TempDir dir;
  const auto file = dir / "m.p3d";
  testsupport::WriteFile(file, Bytes("Voodoo Binary File\n"));
  EXPECT_EQ(ErrorOf([&] { InspectExternalModel(file); }), file.string() + " is not a valid Painter 3D file.");

  const std::string head = "Voodoo Ascii File\nTriM {\nCoor {\nVect 0,0,0\nVect 1,0,0\n}\nUVCo {\nVect 0,0,0\n}\n";
  const auto error = [&](const std::string& body) {
    testsupport::WriteFile(file, Bytes(head + body));
    return ErrorOf([&] { ReadMesh(file, 0); });
  };
  EXPECT_EQ(error("MshT {\nCNUV 1,1,1\nCNUV 2,1,1\n}\n}\n"), file.string() + ": line 10: a triangle has 2 corners");
  EXPECT_EQ(error("MshT {\nCNUV 1,1,1\nCNUV 2,1,1\nCNUV 3,1,1\n}\n}\n"),
            file.string() + ": triangle 0 refers to vertex 2 of 2");
  EXPECT_EQ(error("MshT {\nCNUV 1,1\n}\n"), file.string() + ": line 11: \"CNUV 1,1\" is not a corner");
  EXPECT_EQ(error("Coor {\n}\n"), file.string() + ": line 10: a mesh holds one \"Coor\" block");
  EXPECT_EQ(error("UVCo {\nVect 0.5;0.5\n}\n"), file.string() + ": line 11: \"Vect 0.5;0.5\" is not a vector");
  EXPECT_EQ(error("MshT {\nCNUV 1,1,1\n"), file.string() + ": line 10: the block is not closed");
}

}  // namespace
