#include <cstring>
#include <stdexcept>
#include <string_view>

#include "modelcompiler/ExternalReaders.h"

namespace modelcompiler {

namespace {

constexpr char Magic[] = "MS3D000000";
constexpr std::size_t MagicBytes = 10;
constexpr std::size_t VersionBytes = 4;
constexpr std::size_t VertexBytes = 15;
constexpr std::size_t TriangleBytes = 70;
constexpr std::size_t NameBytes = 32;
constexpr std::size_t MaterialBytes = 361;
// The animation rate and the current time, both floats.
constexpr std::size_t TimingBytes = 8;
// Flags, name, triangle count and material index of a group without triangles.
constexpr std::size_t EmptyGroupBytes = 1 + NameBytes + 2 + 1;

struct Triangle {
  std::uint16_t Vertex[3];
  model3d::TTexCoord Corner[3];
};

struct Group {
  std::vector<std::uint16_t> Triangles;
  std::int8_t Material;
};

struct MilkShapeFile {
  std::vector<model3d::TVertex3D> Vertices;
  std::vector<Triangle> Triangles;
  std::vector<Group> Groups;
  std::vector<std::string> Materials;
  std::int32_t TotalFrames = 0;
};

template <class Element, class Read>
std::vector<Element> ReadList(unrealpkg::ByteReader& reader, std::size_t minBytes, Read read) {
  const std::uint16_t count = reader.ReadWord();
  reader.CheckCount(count, minBytes);
  std::vector<Element> list;
  list.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) list.push_back(read());
  return list;
}

MilkShapeFile ReadMilkShapeFile(const std::filesystem::path& file) {
  return ParseModelFile(file, [&](unrealpkg::ByteReader& reader) {
    if (reader.Size() < MagicBytes || std::memcmp(reader.Take(MagicBytes), Magic, MagicBytes) != 0)
      throw std::runtime_error(file.string() + " is not a valid MilkShape 3D file.");
    reader.Skip(VersionBytes);
    MilkShapeFile model;
    model.Vertices = ReadList<model3d::TVertex3D>(reader, VertexBytes, [&] {
      const std::uint8_t* p = reader.Take(VertexBytes);
      return model3d::TVertex3D{unrealpkg::LoadFloat(p + 1), unrealpkg::LoadFloat(p + 5), unrealpkg::LoadFloat(p + 9)};
    });
    model.Triangles = ReadList<Triangle>(reader, TriangleBytes, [&] {
      const std::uint8_t* p = reader.Take(TriangleBytes);
      Triangle triangle;
      for (int k = 0; k < 3; ++k) {
        triangle.Vertex[k] = unrealpkg::LoadWord(p + 2 + 2 * k);
        triangle.Corner[k] = {unrealpkg::LoadFloat(p + 44 + 4 * k), 1.0f - unrealpkg::LoadFloat(p + 56 + 4 * k)};
      }
      return triangle;
    });
    model.Groups = ReadList<Group>(reader, EmptyGroupBytes, [&] {
      reader.Skip(1 + NameBytes);
      Group group;
      group.Triangles = ReadList<std::uint16_t>(reader, 2, [&] { return reader.ReadWord(); });
      group.Material = static_cast<std::int8_t>(reader.ReadByte());
      return group;
    });
    model.Materials = ReadList<std::string>(reader, MaterialBytes, [&] {
      const std::string_view name(reinterpret_cast<const char*>(reader.Take(MaterialBytes)), NameBytes);
      return std::string(name.substr(0, name.find('\0')));
    });
    reader.Skip(TimingBytes);
    model.TotalFrames = reader.ReadInt32();
    return model;
  });
}

}  // namespace

void InspectMilkShape(ExternalModelInfo& info) {
  const MilkShapeFile model = ReadMilkShapeFile(info.ModelName);
  info.Lines = {"MilkShape3D model", "Triangles = " + std::to_string(model.Triangles.size()),
                "Frames    = " + std::to_string(model.TotalFrames) + " (cannot select in this version)"};
  info.MaxNumber = 0;
}

void ReadMilkShapeMesh(const std::filesystem::path& file, model3d::TObjeto3D& model) {
  MilkShapeFile source = ReadMilkShapeFile(file);
  model.Frames.push_back(std::move(source.Vertices));
  for (const Triangle& triangle : source.Triangles)
    AddTriangleWithOwnCoords(model, triangle.Vertex, triangle.Corner, -1, file);
  for (const Group& group : source.Groups) {
    if (group.Material == -1) continue;
    for (const std::uint16_t t : group.Triangles) {
      if (t >= model.Triangles.size())
        FailModelFile(file,
                      "a group lists triangle " + std::to_string(t) + " of " + std::to_string(model.Triangles.size()));
      model.Triangles[t].Material = group.Material;
    }
  }
  for (std::string& name : source.Materials) model.Materials.push_back({std::move(name), 0});
  CheckTriangleIndices(model, file);
}

}  // namespace modelcompiler
