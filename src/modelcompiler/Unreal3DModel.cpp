#include "modelcompiler/ExternalReaders.h"
#include "platform/FileLookup.h"

namespace modelcompiler {

namespace {

// After the triangle and vertex counts.
constexpr std::size_t SkippedHeaderBytes = 44;
constexpr std::size_t TriangleBytes = 16;
// Frame count and frame size, both unused.
constexpr std::size_t AnimationHeaderBytes = 4;
constexpr std::size_t PackedVertexBytes = 4;

// The model name plus `suffix`, found whatever the letter case of the name on disk.
std::filesystem::path PairFile(const std::string& modelName, const char* suffix) {
  const std::filesystem::path base(modelName);
  const std::string name = base.filename().string() + suffix;
  return platform::FindFileIgnoringCase(base.parent_path(), name).value_or(base.parent_path() / name);
}

std::uint16_t FirstWord(const std::filesystem::path& file) {
  return ParseModelFile(file, [](unrealpkg::ByteReader& reader) { return reader.ReadWord(); });
}

std::string MaterialName(std::uint8_t type, std::uint8_t texture) {
  std::string name = "SKIN" + std::to_string(texture);
  switch (type & 0xF) {
    case model3d::WeaponMaterial:
      return name + ".WEAP";
    case model3d::StyleTwoSided:
      return name + ".TWOS";
    case model3d::StyleTranslucent:
      return name + ".TRAN";
    case model3d::StyleMasked:
      return name + ".MASK";
    default:
      return name;
  }
}

// Returns the vertex count the animation frames hold.
std::size_t ReadTriangles(const std::filesystem::path& file, model3d::TObjeto3D& model) {
  return ParseModelFile(file, [&](unrealpkg::ByteReader& reader) {
    const std::uint16_t triangles = reader.ReadWord();
    const std::uint16_t vertices = reader.ReadWord();
    reader.Skip(SkippedHeaderBytes);
    reader.CheckCount(triangles, TriangleBytes);
    for (std::uint16_t t = 0; t < triangles; ++t) {
      const std::uint8_t* record = reader.Take(TriangleBytes);
      const std::uint8_t type = record[6];
      const std::int8_t material =
          FindOrAddMaterial(model, MaterialName(type, record[14]), NameMatch::IgnoringCase, file);
      if ((type & 0xF) == model3d::WeaponMaterial) continue;
      const std::uint16_t corners[3] = {unrealpkg::LoadWord(record), unrealpkg::LoadWord(record + 2),
                                        unrealpkg::LoadWord(record + 4)};
      model3d::TTexCoord coords[3];
      for (int k = 0; k < 3; ++k) coords[k] = {record[8 + 2 * k] / 255.0f, 1.0f - record[9 + 2 * k] / 255.0f};
      AddTriangleWithOwnCoords(model, corners, coords, material, file);
    }
    return std::size_t{vertices};
  });
}

// Bits 0-10 and 11-21 in eighths, 22-31 in quarters, each signed by wrapping above 128.
float Unpack(std::uint32_t bits, float scale) {
  const float value = static_cast<float>(bits) / scale;
  return value > 128.0f ? value - 256.0f : value;
}

void ReadFrame(const std::filesystem::path& file, int frame, std::size_t vertices, model3d::TObjeto3D& model) {
  ParseModelFile(file, [&](unrealpkg::ByteReader& reader) {
    reader.Skip(AnimationHeaderBytes);
    reader.Skip(static_cast<std::size_t>(frame) * vertices * PackedVertexBytes);
    const std::uint8_t* packed = reader.Take(vertices * PackedVertexBytes);
    std::vector<model3d::TVertex3D>& points = model.Frames.emplace_back();
    points.reserve(vertices);
    for (std::size_t v = 0; v < vertices; ++v) {
      const std::uint32_t value = unrealpkg::LoadUInt32(packed + v * PackedVertexBytes);
      const float x = Unpack(value & 0x7FF, 8.0f);
      const float y = Unpack((value >> 11) & 0x7FF, 8.0f);
      const float z = Unpack(value >> 22, 4.0f);
      points.push_back({-y, -x, z});
    }
  });
}

}  // namespace

void InspectUnreal3D(ExternalModelInfo& info) {
  const std::uint16_t triangles = FirstWord(PairFile(info.ModelName, "_D.3D"));
  const std::uint16_t frames = FirstWord(PairFile(info.ModelName, "_A.3D"));
  info.Lines = {"Unreal3D model", "Triangles = " + std::to_string(triangles), "Frames    = " + std::to_string(frames)};
  info.MaxNumber = frames - 1;
}

void ReadUnreal3DMesh(const std::string& modelName, int frame, model3d::TObjeto3D& model) {
  const std::filesystem::path data = PairFile(modelName, "_D.3D");
  const std::size_t vertices = ReadTriangles(data, model);
  ReadFrame(PairFile(modelName, "_A.3D"), frame, vertices, model);
  CheckTriangleIndices(model, data);
}

}  // namespace modelcompiler
