// Damaged mesh packages, read and built as the preview does: every failure is
// a message that the reader or the builder noticed, never a crash.
#include <gtest/gtest.h>

#include <algorithm>

#include "preview/LoadMeshFromPackage.h"
#include "preview/PreviewMesh.h"
#include "support/MeshPackage.h"
#include "support/Mutations.h"
#include "support/TestHelpers.h"
#include "unrealpkg/TUTPackage.h"

namespace {

struct MeshExport {
  std::string Name;
  testsupport::ByteSpan Bytes;
};

std::vector<MeshExport> MeshExports(const std::filesystem::path& file) {
  unrealpkg::TUTPackage package(file);
  std::vector<MeshExport> meshes;
  for (int i = 0; i < package.ExportCount(); ++i) {
    const auto* entry = package.GetExport(i);
    const std::string className = entry->ClassName();
    if (className == "Mesh" || className == "LodMesh" || className == "SkeletalMesh")
      meshes.push_back({entry->ObjectName(),
                        {static_cast<std::size_t>(entry->SerialOffset),
                         static_cast<std::size_t>(entry->SerialOffset) + static_cast<std::size_t>(entry->SerialSize)}});
  }
  return meshes;
}

// Reads and builds every mesh of a file; a failure must be one of ours.
void Exercise(const std::filesystem::path& file, const std::string& packageName, const std::vector<MeshExport>& meshes) {
  for (const MeshExport& mesh : meshes) {
    model::TModelo definition;
    definition.Mesh = packageName + "." + mesh.Name;
    try {
      const preview::PreviewMesh built = preview::BuildMesh(preview::LoadMeshFromPackage(definition, file));
      for (const preview::ActorMesh& actor : built.Actors)
        ASSERT_EQ(actor.Positions.size(), actor.CornerCount() * 3 * static_cast<std::size_t>(built.FrameCount));
    } catch (const std::exception& e) {
      ASSERT_FALSE(testsupport::IsInternalError(e.what())) << mesh.Name << ": " << e.what();
    }
  }
}

// `onlySmallest` keeps to the smallest mesh of a package of large ones.
void Replay(const std::filesystem::path& source, int usual, std::uint64_t seed, bool onlySmallest = false) {
  SCOPED_TRACE(source.string());
  std::vector<MeshExport> meshes = MeshExports(source);
  ASSERT_FALSE(meshes.empty());
  if (onlySmallest) {
    std::sort(meshes.begin(), meshes.end(), [](const MeshExport& a, const MeshExport& b) {
      return a.Bytes.end - a.Bytes.begin < b.Bytes.end - b.Bytes.begin;
    });
    meshes.resize(1);
  }
  std::vector<testsupport::ByteSpan> regions;
  for (const MeshExport& mesh : meshes) regions.push_back(mesh.Bytes);
  const std::vector<std::uint8_t> original = testsupport::ReadFile(source);
  testsupport::TempDir dir;
  const std::filesystem::path mutant = dir / source.filename().string();
  testsupport::Random random(seed);
  for (int n = testsupport::MutationsPerFile(usual); n > 0; --n) {
    std::vector<std::uint8_t> bytes = original;
    testsupport::Mutate(bytes, random, regions, {12, 16, 20, 24, 28, 32});
    testsupport::WriteFile(mutant, bytes);
    Exercise(mutant, source.stem().string(), meshes);
    if (testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace

TEST(MeshReplayTest, DamagedGeneratedMeshesOfEveryKindFailCleanly) {
  testsupport::MeshSpec spec;
  spec.Frames = {{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}}, {{1, 0, 0}, {11, 0, 0}, {1, 10, 0}, {1, 0, 10}}};
  spec.Sequences = {{"Breath1", 0, 2, 10}};
  spec.Textures = {0, 0};
  spec.Triangles = {{{0, 1, 2}, {}, 0, 0}, {{1, 2, 3}, {}, 0x02, 1}};
  spec.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}, {3, 9, 9}};
  spec.Faces = {{{0, 1, 2}, 0}, {{1, 2, 3}, 1}};
  spec.Materials = {{0, 0}, {0x102, 1}};
  spec.Points = spec.Frames.front();
  testsupport::MeshPackage package("Meshes");
  for (const char* name : {"Plain", "Lod", "Skeletal"}) {
    spec.Name = name;
    if (spec.Name == "Plain") package.AddMesh(spec);
    if (spec.Name == "Lod") package.AddLodMesh(spec);
    if (spec.Name == "Skeletal") package.AddSkeletalMesh(spec);
  }
  testsupport::TempDir dir;
  package.Write(dir.Path());
  Replay(dir / "Meshes.u", 400, 20261209);
}

TEST(MeshReplayTest, DamagedCorpusPlayerMeshesFailCleanly) {
  const std::filesystem::path source = testsupport::CorpusFile("utpatches/System/epiccustommodels.u");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(source));
  Replay(source, 30, 7, true);
}
