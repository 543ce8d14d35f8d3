// The preview's model read from generated packages, and its eight actors.
#include <gtest/gtest.h>

#include <cmath>

#include "model/ModelCatalogue.h"
#include "preview/LoadMeshFromPackage.h"
#include "preview/PreviewMesh.h"
#include "support/MeshPackage.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

namespace {

using testsupport::MeshSpec;

// A definition of the mesh Pkg.Thing, kept in the home.
std::shared_ptr<model::TModelo> Definition(const std::filesystem::path& home, bool mirror = false) {
  auto definition = std::make_shared<model::TModelo>();
  definition->Mesh = "Pkg.Thing";
  definition->MirrorX = mirror;
  definition->ForUnrealTournament = false;
  definition->DefinitionId = (home / "Thing.mrbe").string() + "|Model";
  return definition;
}

// Two frames of four vertices; triangles of materials 0, 1 and 9, whose
// textures are referenced except texture 1's.
MeshSpec TriangleSpec() {
  MeshSpec spec;
  spec.Name = "Thing";
  spec.Frames = {{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {{1, 1, 1}, {11, 1, 1}, {1, 11, 1}, {1, 1, 11}}};
  spec.Sequences = {{"All", 0, 2, 0}, {"Breath1", 1, 1, 30}};
  spec.Textures = std::vector<std::int32_t>(10, 0);
  spec.Textures[1] = -1;
  spec.Triangles = {{{0, 1, 2}, {{{0, 0}, {255, 0}, {0, 255}}}, 0x02, 0},
                    {{0, 2, 3}, {{{10, 20}, {30, 40}, {50, 60}}}, 0x04, 1},
                    {{1, 2, 3}, {{{0, 0}, {0, 0}, {0, 0}}}, 0x100, 9}};
  return spec;
}

std::filesystem::path WritePackage(const std::filesystem::path& dir, const std::function<void(testsupport::MeshPackage&)>& add) {
  testsupport::MeshPackage package("Pkg");
  add(package);
  package.Write(dir);
  return dir / "Pkg.u";
}

}  // namespace

TEST(PreviewMeshTest, AClassMeshGivesEveryFrameMaterialStylesAndTheRestFrame) {
  testsupport::TempDir home;
  const auto file = WritePackage(home.Path(), [](auto& package) { package.AddMesh(TriangleSpec()); });
  const model3d::TObjeto3D model = preview::LoadMeshFromPackage(*Definition(home.Path()), file);
  ASSERT_EQ(model.Frames.size(), 2u);
  ASSERT_EQ(model.Frames[1].size(), 4u);
  EXPECT_EQ(model.Frames[1][1], (model3d::TVertex3D{11, 1, 1}));
  EXPECT_EQ(model.StillFrame, 1);
  ASSERT_EQ(model.Sequences.size(), 2u);
  EXPECT_EQ(model.Sequences[1].Packed, 1 | 1 << 16 | 30 << 24);
  // Texture 1 has no reference of its own: it makes no material of its own style or name.
  ASSERT_EQ(model.Materials.size(), 10u);
  EXPECT_EQ(model.Materials[0], (model3d::TMaterial3D{"SKIN0", 2}));
  EXPECT_EQ(model.Materials[1], (model3d::TMaterial3D{"", 0}));
  EXPECT_EQ(model.Materials[9], (model3d::TMaterial3D{"SKIN9", 1}));
  ASSERT_EQ(model.Triangles.size(), 3u);
  EXPECT_EQ(model.Triangles[1].Material, 1);
  // V counts up from the texture's bottom, for triangles as for wedges.
  EXPECT_FLOAT_EQ(model.TexCoords[model.Triangles[1].TexCoord[2]].V, 1.0f - 60.0f / 255.0f);

  const model3d::TObjeto3D mirrored = preview::LoadMeshFromPackage(*Definition(home.Path(), true), file);
  EXPECT_EQ(mirrored.Frames[1][1], (model3d::TVertex3D{-11, 1, 1}));
  EXPECT_EQ(mirrored.Triangles[0].Vertex[0], 2);
  EXPECT_EQ(mirrored.Triangles[0].Vertex[2], 0);
  EXPECT_FLOAT_EQ(mirrored.TexCoords[mirrored.Triangles[0].TexCoord[0]].V, 0.0f);
}

TEST(PreviewMeshTest, WedgeMeshesFlipVAndOrderFacesByMirrorAndKind) {
  MeshSpec spec;
  spec.Name = "Thing";
  spec.SpecialVerts = 1;
  spec.Frames = {{{99, 99, 99}, {0, 0, 0}, {5, 0, 0}, {0, 5, 0}}};
  spec.Textures = {0};
  spec.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 51}};
  spec.Faces = {{{0, 1, 2}, 0}};
  spec.Materials = {{0x140, 0}};
  spec.Points = {{99, 99, 99}, {0, 0, 0}, {7, 0, 0}, {0, 7, 0}};
  testsupport::TempDir home;
  const auto lodFile = WritePackage(home.Path(), [&](auto& package) { package.AddLodMesh(spec); });
  const model3d::TObjeto3D lod = preview::LoadMeshFromPackage(*Definition(home.Path()), lodFile);
  ASSERT_EQ(lod.Frames[0].size(), 3u);
  EXPECT_EQ(lod.Frames[0][1], (model3d::TVertex3D{5, 0, 0}));
  EXPECT_FLOAT_EQ(lod.TexCoords[2].V, 1.0f - 51.0f / 255.0f);
  EXPECT_EQ(lod.Materials[0], (model3d::TMaterial3D{"SKIN0", 4}));
  EXPECT_EQ(lod.Triangles[0].Vertex[0], 0);
  EXPECT_EQ(preview::LoadMeshFromPackage(*Definition(home.Path(), true), lodFile).Triangles[0].Vertex[0], 2);

  testsupport::TempDir skeletalHome;
  const auto skeletalFile = WritePackage(skeletalHome.Path(), [&](auto& package) { package.AddSkeletalMesh(spec); });
  const model3d::TObjeto3D skeletal = preview::LoadMeshFromPackage(*Definition(skeletalHome.Path()), skeletalFile);
  EXPECT_EQ(skeletal.Frames[0][1], (model3d::TVertex3D{7, 0, 0}));
  EXPECT_EQ(skeletal.Triangles[0].Vertex[0], 2);
  EXPECT_EQ(preview::LoadMeshFromPackage(*Definition(skeletalHome.Path(), true), skeletalFile).Triangles[0].Vertex[0], 0);
}

// Counts a file may claim but no model can show are refused before anything
// is built for them, naming the mesh and the file.
TEST(PreviewMeshTest, MeshesWithMoreFramesOrTrianglesThanAModelShowsAreRefused) {
  testsupport::TempDir home;
  const auto load = [&](int frames, std::size_t triangles) {
    MeshSpec spec;
    spec.Name = "Thing";
    spec.Frames.assign(static_cast<std::size_t>(frames), {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    spec.Textures = {0};
    spec.Triangles.assign(triangles, testsupport::MeshTriangle{{0, 1, 2}, {{{0, 0}, {255, 0}, {0, 255}}}, 0, 0});
    const auto file = WritePackage(home.Path(), [&](auto& package) { package.AddMesh(spec); });
    return preview::LoadMeshFromPackage(*Definition(home.Path()), file);
  };
  const std::string file = (home / "Pkg.u").string();
  EXPECT_EQ(ErrorOf([&] { load(0x10000, 1); }),
            "Cannot read the mesh Thing of " + file + ": it claims 65536 frames; a model holds at most 65535");
  EXPECT_EQ(ErrorOf([&] { load(40000, 101); }),
            "Cannot read the mesh Thing of " + file +
                ": it has 40000 frames of 101 triangles, more than a model shows (4000000 in all)");
  EXPECT_EQ(load(40000, 100).Frames.size(), 40000u);
}

TEST(PreviewMeshTest, ThePackageIsLookedForInTheSystemFolderTheHomeAndBesideTheDefinition) {
  testsupport::TempDir home;
  testsupport::TempDir elsewhere;
  const auto definition = Definition(elsewhere.Path());
  EXPECT_EQ(ErrorOf([&] { preview::FindMeshPackage(*definition, home.Path()); }), "Mesh package not found");
  WritePackage(elsewhere.Path(), [](auto& package) { package.AddMesh(TriangleSpec()); });
  std::filesystem::rename(elsewhere / "Pkg.u", elsewhere / "pkg.U");
  EXPECT_EQ(preview::FindMeshPackage(*definition, home.Path()), elsewhere / "pkg.U");
  WritePackage(home.Path(), [](auto& package) { package.AddMesh(TriangleSpec()); });
  EXPECT_EQ(preview::FindMeshPackage(*definition, home.Path()), home / "Pkg.u");

  definition->Mesh = "Pkg.Other";
  EXPECT_EQ(ErrorOf([&] { preview::LoadMeshFromPackage(*definition, home / "Pkg.u"); }), "Mesh not found in package");
}

TEST(PreviewMeshTest, ActorsDrawTheirMaterialWithOwnCornersAndSkipTheWeapon) {
  model3d::TObjeto3D model;
  model.Frames = {{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}};
  model.TexCoords = {{0, 0}, {1, 0}, {0, 1}};
  model.Materials = {{"SKIN0", 0}, {"WEAPON", model3d::WeaponMaterial}, {"SKIN2", model3d::WeaponMaterial}, {}, {}, {}, {}, {}, {"SKIN8", 0}};
  for (std::int8_t material : {0, 0, 1, 2, 8}) model.Triangles.push_back({{0, 1, 2}, {0, 1, 2}, material});
  model.Sequences = {{"Run", model3d::PackSequence("Run", 0, 2, 30).Packed}, {"Still", model3d::PackSequence("Still", 1, 1, 0).Packed}};
  model.StillFrame = 1;
  long long lastDone = -1;
  long long whole = 0;
  const preview::PreviewMesh mesh = preview::BuildMesh(model, [&](long long done, long long total) {
    EXPECT_GE(done, lastDone);
    lastDone = done;
    whole = total;
  });
  EXPECT_EQ(whole, 2LL * 8 * 5);
  EXPECT_EQ(lastDone, whole);
  EXPECT_EQ(mesh.Actors[0].CornerCount(), 6u);
  EXPECT_EQ(mesh.Actors[1].CornerCount(), 0u);  // the weapon
  EXPECT_EQ(mesh.Actors[2].CornerCount(), 3u);  // a second weapon material is drawn
  EXPECT_EQ(mesh.Actors[3].CornerCount(), 0u);
  // Two frames of six corners of three coordinates.
  ASSERT_EQ(mesh.Actors[0].Positions.size(), 2u * 6 * 3);
  EXPECT_EQ(mesh.Actors[0].Positions[2 * 6 * 3 - 9 + 3], 4.0f);
  for (std::size_t corner = 0; corner < 12; ++corner) EXPECT_FLOAT_EQ(mesh.Actors[0].Normals[corner * 3 + 2], 1.0f);
  // OpenGL takes pictures top row first: V from the bottom becomes 1 - V.
  EXPECT_EQ(mesh.Actors[0].TexCoords, (std::vector<float>{0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0}));
  ASSERT_EQ(mesh.Animations.size(), 2u);
  EXPECT_EQ(mesh.Animations[0].EndFrame, 1);
  EXPECT_EQ(preview::FrameInterval(mesh.Animations[0]), 33);
  EXPECT_EQ(preview::FrameInterval(mesh.Animations[1]), 50);
  EXPECT_EQ(mesh.StillFrame, 1);
}

TEST(PreviewMeshTest, TheSampleModelLoadsAndBuilds) {
  // The generated sample ships beside the program in every build.
  const std::filesystem::path home = std::filesystem::path(MARBELLE_SAMPLE_HOME);
  if (!std::filesystem::exists(home / "Mannequin.u")) GTEST_SKIP() << "no sample content at " << home;
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  const auto definition = catalogue.FindByPrefix("Mannequin");
  ASSERT_TRUE(definition);
  const model3d::TObjeto3D model = preview::LoadMeshFromPackage(*definition, preview::FindMeshPackage(*definition, home));
  const preview::PreviewMesh mesh = preview::BuildMesh(model);
  EXPECT_GT(mesh.Actors[0].CornerCount(), 0u);
  EXPECT_GT(mesh.FrameCount, 1);
}
