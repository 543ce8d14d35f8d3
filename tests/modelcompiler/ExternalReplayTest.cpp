#include <gtest/gtest.h>

#include "support/ExternalModelFiles.h"
#include "modelcompiler/ExternalModel.h"
#include "modelcompiler/MaterialList.h"
#include "support/Mutations.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using namespace modelcompiler;

struct Seed {
  std::string name;  // the file damaged
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> fields;
  std::string chosen;  // the file the user picks
};

std::vector<Seed> Seeds() {
  using externalfiles::PackVertex;
  const std::vector<std::uint8_t> unrealData = externalfiles::Unreal3DData(
      3, {{{0, 1, 2}, 0, {0, 255, 255, 0, 51, 102}, 0}, {{2, 1, 0}, 8, {}, 2}, {{1, 2, 0}, 3, {}, 1}});
  const std::vector<std::uint8_t> unrealAnimation = externalfiles::Unreal3DAnimation(
      2, {{PackVertex(8, 16, 4), PackVertex(0x7F8, 3, 9), 0}, {1, 2, PackVertex(0x400, 0x7FF, 0x3FF)}});
  const externalfiles::Studio3DSMesh mesh{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
                                          {{0, 0}, {1, 0}, {0, 1}, {1, 1}},
                                          {{0, 1, 2}, {1, 2, 3}},
                                          {{"Metal", {0, 1}}, {"Glass", {1}}}};
  std::vector<std::size_t> chunkLengths;
  std::vector<std::uint8_t> studio = externalfiles::Studio3DS(2, {mesh, mesh}, &chunkLengths);
  const std::vector<model3d::TVertex3D> vertices{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  const std::vector<std::uint8_t> milkShape =
      externalfiles::MilkShape(vertices, {{{0, 1, 2}, {0.1f, 0.2f, 0.3f}, {0, 1, 0}}, {{2, 1, 0}, {}, {}}},
                               {{{1, 0}, 1}, {{}, -1}}, {"A", "B"}, 9);
  const std::string painter = externalfiles::Painter3DSample("\r\n");
  return {
      {"robot_d.3d", unrealData, {0, 2}, "robot_d.3d"},
      {"robot_a.3d", unrealAnimation, {0, 2}, "robot_d.3d"},
      {"damaged.3ds", std::move(studio), chunkLengths, "damaged.3ds"},
      {"damaged.ms3d", milkShape, {14, 16 + 3 * 15, 18 + 3 * 15 + 2 * 70}, "damaged.ms3d"},
      {"damaged.p3d", {painter.begin(), painter.end()}, {}, "damaged.p3d"},
  };
}

void ExpectIndicesInRange(const model3d::TObjeto3D& model) {
  ASSERT_EQ(model.Frames.size(), 1u);
  for (const model3d::TTriangle3D& triangle : model.Triangles) {
    for (int k = 0; k < 3; ++k) {
      ASSERT_LT(triangle.Vertex[k], model.VertexCount());
      ASSERT_LT(triangle.TexCoord[k], model.TexCoords.size());
    }
    ASSERT_GE(triangle.Material, -1);
    ASSERT_LT(triangle.Material, static_cast<int>(model.Materials.size()));
  }
}

// Damaged files of every kind read with every index in range, or fail with a
// message naming the file.
TEST(ExternalReplayTest, DamagedModelFilesFailCleanly) {
  const std::vector<Seed> seeds = Seeds();
  testsupport::TempDir dir;
  for (const Seed& seed : seeds) testsupport::WriteFile(dir / seed.name, seed.bytes);
  testsupport::Random random(4303);
  for (const Seed& seed : seeds) {
    for (int n = testsupport::MutationsPerFile(300); n > 0; --n) {
      std::vector<std::uint8_t> bytes = seed.bytes;
      testsupport::Mutate(bytes, random, {}, seed.fields);
      testsupport::WriteFile(dir / seed.name, bytes);
      try {
        const ExternalModelInfo info = InspectExternalModel(dir / seed.chosen);
        model3d::TObjeto3D model;
        ReadExternalMesh(info, std::max(info.MaxNumber, 0), model);
        ExpectIndicesInRange(model);
        AdjustMaterials(model, BuildMaterialList(model));
        ExpectIndicesInRange(model);
      } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        ASSERT_FALSE(testsupport::IsInternalError(message)) << message;
        const std::string named = seed.name.substr(0, seed.name.find('_'));
        ASSERT_NE(message.find((dir / named).string()), std::string::npos) << message;
      }
    }
    testsupport::WriteFile(dir / seed.name, seed.bytes);
  }
}

}  // namespace
