#include <array>
#include <cstdio>

#include "modelcompiler/ExternalReaders.h"

namespace modelcompiler {

namespace {

enum ChunkId : std::uint16_t {
  MainChunk = 0x4D4D,
  VersionChunk = 0x0002,
  EditorChunk = 0x3D3D,
  ObjectChunk = 0x4000,
  TriangleMeshChunk = 0x4100,
  VertexListChunk = 0x4110,
  FaceListChunk = 0x4120,
  MaterialGroupChunk = 0x4130,
  TexVertexListChunk = 0x4140,
};

constexpr std::size_t ChunkHeaderBytes = 6;

struct MaterialGroup {
  std::string Name;
  std::vector<std::uint16_t> Faces;
};

struct Mesh {
  std::vector<model3d::TVertex3D> Vertices;
  std::vector<model3d::TTexCoord> TexVertices;
  std::vector<std::array<std::uint16_t, 3>> Faces;
  std::vector<MaterialGroup> Groups;
};

struct Studio3DSFile {
  std::uint32_t Release = 0;
  std::vector<Mesh> Meshes;
};

// Calls visit(id, payload) for each chunk in `parent`, the payload a reader of
// its own so nothing inside a chunk reads past it. Bytes too few for a chunk
// header at the end are ignored.
template <class Visit>
void ForEachChunk(unrealpkg::ByteReader& parent, const std::filesystem::path& file, Visit visit) {
  while (parent.Remaining() >= ChunkHeaderBytes) {
    const std::uint16_t id = parent.ReadWord();
    const std::uint32_t length = parent.ReadUInt32();
    if (length < ChunkHeaderBytes || length - ChunkHeaderBytes > parent.Remaining()) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(id));
      FailModelFile(file, "chunk " + std::string(hex) + " claims " + std::to_string(length) + " bytes where " +
                              std::to_string(parent.Remaining() + ChunkHeaderBytes) + " are left");
    }
    const std::size_t size = length - ChunkHeaderBytes;
    unrealpkg::ByteReader payload(parent.Take(size), size);
    visit(id, payload);
  }
}

std::vector<std::uint16_t> ReadFaceIndices(unrealpkg::ByteReader& chunk) {
  const std::uint16_t count = chunk.ReadWord();
  chunk.CheckCount(count, 2);
  std::vector<std::uint16_t> faces(count);
  for (std::uint16_t& face : faces) face = chunk.ReadWord();
  return faces;
}

void ReadFaces(unrealpkg::ByteReader& chunk, const std::filesystem::path& file, Mesh& mesh) {
  const std::uint16_t count = chunk.ReadWord();
  chunk.CheckCount(count, 8);
  mesh.Faces.resize(count);
  for (auto& face : mesh.Faces) {
    for (std::uint16_t& corner : face) corner = chunk.ReadWord();
    chunk.Skip(2);
  }
  ForEachChunk(chunk, file, [&](std::uint16_t id, unrealpkg::ByteReader& child) {
    if (id != MaterialGroupChunk) return;
    std::string name = child.ReadZeroText();
    mesh.Groups.push_back({std::move(name), ReadFaceIndices(child)});
  });
}

Mesh ReadMesh(unrealpkg::ByteReader& chunk, const std::filesystem::path& file) {
  Mesh mesh;
  ForEachChunk(chunk, file, [&](std::uint16_t id, unrealpkg::ByteReader& child) {
    if (id == VertexListChunk) {
      const std::uint16_t count = child.ReadWord();
      child.CheckCount(count, 12);
      mesh.Vertices.resize(count);
      for (auto& v : mesh.Vertices) v = {child.ReadFloat(), child.ReadFloat(), child.ReadFloat()};
    } else if (id == TexVertexListChunk) {
      const std::uint16_t count = child.ReadWord();
      child.CheckCount(count, 8);
      mesh.TexVertices.resize(count);
      for (auto& t : mesh.TexVertices) t = {child.ReadFloat(), child.ReadFloat()};
    } else if (id == FaceListChunk) {
      ReadFaces(child, file, mesh);
    }
  });
  return mesh;
}

Studio3DSFile Read3DSFile(const std::filesystem::path& file) {
  return ParseModelFile(file, [&](unrealpkg::ByteReader& reader) {
    if (reader.Size() < ChunkHeaderBytes || reader.ReadWord() != MainChunk)
      FailModelFile(file, "the file is not a 3D Studio file");
    reader.Seek(0);
    Studio3DSFile result;
    ForEachChunk(reader, file, [&](std::uint16_t id, unrealpkg::ByteReader& main) {
      if (id != MainChunk) return;
      ForEachChunk(main, file, [&](std::uint16_t mainId, unrealpkg::ByteReader& section) {
        if (mainId == VersionChunk) result.Release = section.ReadUInt32();
        if (mainId != EditorChunk) return;
        ForEachChunk(section, file, [&](std::uint16_t editorId, unrealpkg::ByteReader& object) {
          if (editorId != ObjectChunk) return;
          object.ReadZeroText();
          ForEachChunk(object, file, [&](std::uint16_t objectId, unrealpkg::ByteReader& mesh) {
            if (objectId == TriangleMeshChunk) result.Meshes.push_back(ReadMesh(mesh, file));
          });
        });
      });
    });
    return result;
  });
}

}  // namespace

void InspectStudio3DS(ExternalModelInfo& info) {
  const Studio3DSFile model = Read3DSFile(info.ModelName);
  const std::size_t triangles = model.Meshes.empty() ? 0 : model.Meshes.front().Faces.size();
  info.Lines = {"3DStudio model", "Triangles = " + std::to_string(triangles),
                "Meshes    = " + std::to_string(model.Meshes.size())};
  info.MaxNumber = static_cast<int>(model.Meshes.size()) - 1;
}

void ReadStudio3DSMesh(const std::filesystem::path& file, int number, model3d::TObjeto3D& model) {
  Studio3DSFile source = Read3DSFile(file);
  if (number < 0 || static_cast<std::size_t>(number) >= source.Meshes.size())
    FailModelFile(file, "there is no mesh " + std::to_string(number));
  Mesh& mesh = source.Meshes[static_cast<std::size_t>(number)];
  // Texture vertices share the vertices' indices; a mesh mapped short gets (0, 0) for the rest.
  if (mesh.TexVertices.size() < mesh.Vertices.size()) mesh.TexVertices.resize(mesh.Vertices.size());
  model.Frames.push_back(std::move(mesh.Vertices));
  model.TexCoords = std::move(mesh.TexVertices);

  const bool reversed = source.Release == 1 || source.Release == 2;
  for (const auto& face : mesh.Faces) {
    model3d::TTriangle3D& triangle = model.Triangles.emplace_back();
    for (int k = 0; k < 3; ++k) triangle.Vertex[k] = triangle.TexCoord[k] = face[reversed ? 2 - k : k];
    triangle.Material = -1;
  }
  for (const MaterialGroup& group : mesh.Groups) {
    if (group.Faces.empty()) continue;
    const std::int8_t material = FindOrAddMaterial(model, group.Name, NameMatch::Exact, file);
    for (const std::uint16_t face : group.Faces) {
      if (face >= model.Triangles.size())
        FailModelFile(file, "material " + group.Name + " lists face " + std::to_string(face) + " of " +
                                std::to_string(model.Triangles.size()));
      model.Triangles[face].Material = material;
    }
  }
  // Faces no material group lists join the skin, so they can still be painted.
  for (model3d::TTriangle3D& triangle : model.Triangles)
    if (triangle.Material < 0) triangle.Material = FindOrAddMaterial(model, "SKIN", NameMatch::Exact, file);
  CheckTriangleIndices(model, file);
}

}  // namespace modelcompiler
