#include <gtest/gtest.h>

#include "modelcompiler/ModelNotice.h"
#include "modelcompiler/ModelCompilation.h"
#include "support/MeshPackage.h"
#include "support/Mutations.h"
#include "support/TestFiles.h"

namespace {

using namespace modelcompiler;
using testsupport::MeshSpec;

// Robots.u: a LodMesh, a Mesh and a SkeletalMesh with their player classes and
// the Advanced Model Support values.
testsupport::MeshPackage RobotPackage() {
  testsupport::MeshPackage package("Robots");
  MeshSpec lod{.Name = "Walker",
               .Frames = {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}}, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 2}}},
               .Sequences = {{"Breath1", 0, 2, 8.0f}, {"Run", 1, 1, 10.0f}},
               .Textures = {0, 0},
               .SpecialVerts = 1,
               .Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}},
               .Faces = {{{0, 1, 2}, 0}, {{2, 1, 0}, 1}},
               .Materials = {{0, 0}, {0x102, 1}}};
  const std::int32_t walker = package.AddLodMesh(lod);
  const std::int32_t box = package.AddMesh({.Name = "Box",
                                            .Frames = {{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}},
                                            .Textures = {0},
                                            .Triangles = {{{0, 1, 2}, {{{0, 0}, {255, 0}, {0, 255}}}, 0x03, 0}}});
  const std::int32_t skeleton = package.AddSkeletalMesh({.Name = "Bones",
                                                         .Textures = {0},
                                                         .Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}},
                                                         .Faces = {{{0, 1, 2}, 0}},
                                                         .Materials = {{0, 0}},
                                                         .Points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}});
  package.AddPlayerClass({.Name = "WalkerBot", .Mesh = walker, .MenuName = "Walker", .FaceSkin = 1});
  package.AddPlayerClass({.Name = "BoxBot", .Mesh = box, .TeamSkin = "Box"});
  package.AddPlayerClass({.Name = "BoneBot", .Mesh = skeleton});
  package.AddSkinInfo({.TalkTextureID = "5", .ChangesWithTeam = {true, false}});
  return package;
}

// Lists, reads, compiles and writes every model the file offers, as the model
// compiler does for each one the user picks.
void CompileEvery(const std::filesystem::path& chosen, bool useInt, const std::filesystem::path& home) {
  unrealpkg::TUTPackage package;
  const PackageModelList list = ListPackageModels(package, chosen, useInt);
  for (const PackageModelEntry& entry : list.Entries) {
    const PackageModel model = ReadPackageModel(package, entry);
    for (const bool animated : {true, false}) {
      FrameChoice choice{.Animated = animated, .MirrorX = !animated, .Sequence = model.RestSequence};
      model3d::TObjeto3D compiled;
      CompilePackageModelFiles(model, choice, home, {.Overwrite = [](const std::filesystem::path&) { return true; }}, compiled);
    }
  }
}

// A damaged package or localisation file ends in a note or in an error naming
// the file at fault, never in a crash or a broken index.
TEST(PackageModelReplayTest, DamagedPackagesAndLocalisationFilesFailCleanly) {
  testsupport::TempDir dir;
  testsupport::TempDir home;
  RobotPackage().Write(dir.Path());
  const std::vector<std::uint8_t> package = testsupport::ReadFile(dir / "Robots.u");
  const std::vector<std::uint8_t> localisation = testsupport::ReadFile(dir / "Robots.int");
  CompileEvery(dir / "Robots.int", true, home.Path());
  CompileEvery(dir / "Robots.u", false, home.Path());

  // The counts and offsets of the name, export and import tables.
  const std::vector<std::size_t> headerFields{12, 16, 20, 24, 28, 32};
  struct Seed {
    std::string damaged;
    const std::vector<std::uint8_t>& bytes;
    std::vector<std::size_t> fields;
  };
  testsupport::Random random(5117);
  for (const Seed& seed : {Seed{"Robots.u", package, headerFields}, Seed{"Robots.int", localisation, {}}}) {
    for (int n = testsupport::MutationsPerFile(100); n > 0; --n) {
      std::vector<std::uint8_t> bytes = seed.bytes;
      testsupport::Mutate(bytes, random, {}, seed.fields);
      testsupport::WriteFile(dir / seed.damaged, bytes);
      for (const bool useInt : {true, false}) {
        try {
          CompileEvery(dir / (useInt ? "Robots.int" : "Robots.u"), useInt, home.Path());
        } catch (const ModelNotice&) {
        } catch (const std::runtime_error& e) {
          const std::string message = e.what();
          ASSERT_FALSE(testsupport::IsInternalError(message)) << message;
          ASSERT_NE(message.find("Robots"), std::string::npos) << message;
        }
      }
    }
    testsupport::WriteFile(dir / seed.damaged, seed.bytes);
  }
}

}  // namespace
