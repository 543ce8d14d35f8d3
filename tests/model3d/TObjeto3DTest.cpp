#include <gtest/gtest.h>

#include <cstring>

#include "model3d/TObjeto3D.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using namespace model3d;

std::uint16_t Word(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t Long(const std::vector<std::uint8_t>& b, std::size_t at) {
  return Word(b, at) | static_cast<std::uint32_t>(Word(b, at + 2)) << 16;
}

// Offset of a chunk's tag, walking the chunks from the format word.
std::size_t ChunkAt(const std::vector<std::uint8_t>& b, const char* tag) {
  for (std::size_t at = 2; at + 8 <= b.size(); at += 8 + Long(b, at + 4))
    if (std::memcmp(&b[at], tag, 4) == 0) return at;
  ADD_FAILURE() << "no chunk " << tag;
  return 0;
}

TObjeto3D FramesOf(int frames, int vertices) {
  TObjeto3D model;
  for (int f = 0; f < frames; ++f) {
    model.Frames.emplace_back();
    for (int v = 0; v < vertices; ++v)
      model.Frames.back().push_back({static_cast<float>(f), static_cast<float>(v), 0.5f});
  }
  return model;
}

TEST(ModelDataFile, EmptyListsStillWriteEveryChunk) {
  const auto bytes = EncodeModelData(FramesOf(1, 4));
  ASSERT_EQ(bytes.size(), 72u + 12u * 4u);
  EXPECT_EQ(Word(bytes, 0), 0x0201);
  const char* tags[] = {"FRAM", "STLF", "VERT", "TEXC", "MATS", "MESH", "ASEQ"};
  std::size_t expected = 2;
  for (const char* tag : tags) {
    EXPECT_EQ(ChunkAt(bytes, tag), expected) << tag;
    expected += 8 + Long(bytes, expected + 4);
  }
  EXPECT_EQ(expected, bytes.size());
  EXPECT_EQ(Word(bytes, ChunkAt(bytes, "MESH") + 8), 0);
}

TEST(ModelDataFile, RecordsAreLaidOutFieldByField) {
  TObjeto3D model = FramesOf(3, 10);
  model.StillFrame = 2;
  model.TexCoords = {{0.25f, 0.75f}};
  model.Materials = {{std::string(300, 'm'), 0x12}, {"SKIN1", 3}};
  TTriangle3D triangle{{1, 2, 9}, {0, 0, 0}, -1};
  model.Triangles = {triangle};
  model.Sequences = {PackSequence("Run", 12, 8, 15.9f)};
  EXPECT_EQ(model.Sequences[0].Packed, 12 | 8 << 16 | 15 << 24);

  const auto bytes = EncodeModelData(model);
  const std::size_t vert = ChunkAt(bytes, "VERT");
  EXPECT_EQ(Long(bytes, vert + 4), 362u);
  float lastX;
  std::memcpy(&lastX, &bytes[vert + 10 + 29 * 12], 4);
  EXPECT_EQ(lastX, 2.0f);  // frame 2's last vertex
  EXPECT_EQ(Word(bytes, ChunkAt(bytes, "STLF") + 8), 2);

  const std::size_t mats = ChunkAt(bytes, "MATS");
  EXPECT_EQ(bytes[mats + 10], 255);
  EXPECT_EQ(bytes[mats + 11 + 254], 'm');
  EXPECT_EQ(Long(bytes, mats + 11 + 255), 0x12u);
  EXPECT_EQ(Long(bytes, mats + 4), 2u + 1 + 255 + 4 + 1 + 5 + 4);

  const std::size_t mesh = ChunkAt(bytes, "MESH");
  EXPECT_EQ(Long(bytes, mesh + 4), 22u);
  EXPECT_EQ(Word(bytes, mesh + 10 + 8), 9);
  EXPECT_EQ(Word(bytes, mesh + 10 + 12), 0xFFFF);

  const std::size_t aseq = ChunkAt(bytes, "ASEQ");
  const std::vector<std::uint8_t> sequence(bytes.begin() + static_cast<long>(aseq) + 14, bytes.end());
  EXPECT_EQ(sequence, (std::vector<std::uint8_t>{0x0C, 0x00, 0x08, 0x0F}));
}

TEST(ModelDataFile, RefusesWhatTheFormatCannotHold) {
  EXPECT_EQ(ErrorOf([] { EncodeModelData(TObjeto3D{}); }), "A model without frames cannot be written");
  TObjeto3D big = FramesOf(1, 3);
  big.TexCoords.resize(65536);
  EXPECT_EQ(ErrorOf([&] { EncodeModelData(big); }),
            "The model has 65536 texture coordinates; a compiled model data file holds at most 65535");
  TObjeto3D rest = FramesOf(2, 3);
  rest.StillFrame = 2;
  EXPECT_NE(ErrorOf([&] { EncodeModelData(rest); }), "");
  EXPECT_NE(ErrorOf([] { PackSequence("Long", 0, 256, 20); }).find("\"Long\""), std::string::npos);
  EXPECT_NE(ErrorOf([] { PackSequence("Late", 65536, 1, 20); }), "");
  EXPECT_NE(ErrorOf([] { PackSequence("Back", 0, 1, -1); }), "");
}

TEST(ModelDataFile, WritesAndReplacesTheFile) {
  testsupport::TempDir dir;
  const auto file = dir / "Model.mrbm";
  WriteModelDataFile(FramesOf(1, 1), file);
  WriteModelDataFile(FramesOf(1, 2), file);
  EXPECT_EQ(std::filesystem::file_size(file), 72u + 24u);
  EXPECT_ANY_THROW(WriteModelDataFile(FramesOf(1, 1), dir / "missing/Model.mrbm"));
}

}  // namespace
