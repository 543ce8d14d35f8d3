#include "preview/LoadMeshFromPackage.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "model/PackageSearch.h"
#include "platform/AsciiText.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/TUTPackage.h"

namespace preview {

namespace {

using model3d::TObjeto3D;

constexpr std::int32_t MaskedFlag = 0x02;
constexpr std::int32_t TranslucentFlag = 0x04;
constexpr std::int32_t ModulatedFlag = 0x40;
constexpr std::int32_t TwoSidedFlag = 0x100;

std::string MeshPart(const std::string& mesh) {
  const std::size_t dot = mesh.find('.');
  return dot == std::string::npos ? std::string() : mesh.substr(dot + 1);
}

// Toward zero; a rate no integer holds (damaged data) counts as 0.
std::int32_t TruncatedRate(float rate) {
  if (!(rate > -2147483648.0f && rate < 2147483648.0f)) return 0;
  return static_cast<std::int32_t>(rate);
}

std::string PackagePart(const std::string& mesh) { return mesh.substr(0, mesh.find('.')); }

model3d::TVertex3D Placed(const unrealpkg::TUT_Struct_Vector& vertex, bool mirror) {
  return {mirror ? -vertex.X : vertex.X, vertex.Y, vertex.Z};
}

// The preview's indexes are 16 bits, as the model data file's.
std::uint16_t Index(std::size_t index, const char* what) {
  if (index > std::numeric_limits<std::uint16_t>::max())
    throw std::runtime_error(std::string("The mesh has too many ") + what + " to preview.");
  return static_cast<std::uint16_t>(index);
}

std::int8_t MaterialIndex(std::int32_t index) {
  if (index < 0 || index > std::numeric_limits<std::int8_t>::max())
    throw std::runtime_error("The mesh uses texture index " + std::to_string(index) + ", which cannot be previewed.");
  return static_cast<std::int8_t>(index);
}

// Materials 0 to the highest texture index a mesh uses with a texture reference, at least one.
void MakeMaterials(TObjeto3D& model, std::int32_t highest) {
  model.Materials.assign(static_cast<std::size_t>(std::max(highest, 0) + 1), {});
}

void MarkMaterial(TObjeto3D& model, std::int32_t index, std::int32_t style) {
  model3d::TMaterial3D& material = model.Materials[static_cast<std::size_t>(index)];
  material.Flags |= style;
  if (material.Name.empty()) material.Name = "SKIN" + std::to_string(index);
}

void ReadTriangleMesh(const unrealpkg::TUTObjectClassMesh& mesh, int frames, bool mirror, TObjeto3D& model) {
  const std::int32_t frameVertices = mesh.FrameVertexCount();
  for (std::int32_t vertex = 0; vertex < frameVertices; ++vertex)
    for (int frame = 0; frame < frames; ++frame)
      model.Frames[static_cast<std::size_t>(frame)].push_back(
          Placed(mesh.GetVertex(static_cast<std::int64_t>(frame) * frameVertices + vertex), mirror));
  std::int32_t highest = -1;
  for (int t = 0; t < mesh.TriangleCount(); ++t) {
    const auto& triangle = mesh.GetTriangle(t);
    if (mesh.GetTextureRef(triangle.TextureIndex) >= 0) highest = std::max(highest, triangle.TextureIndex);
  }
  MakeMaterials(model, highest);
  const std::array<int, 3> order = mirror ? std::array{2, 1, 0} : std::array{0, 1, 2};
  for (int t = 0; t < mesh.TriangleCount(); ++t) {
    const auto& triangle = mesh.GetTriangle(t);
    model3d::TTriangle3D made;
    for (int corner = 0; corner < 3; ++corner) {
      const int from = order[static_cast<std::size_t>(corner)];
      const auto& tex = triangle.Tex[static_cast<std::size_t>(from)];
      made.TexCoord[corner] = Index(model.TexCoords.size(), "texture coordinates");
      model.TexCoords.push_back(model3d::TexCoordOfMeshBytes(tex.U, tex.V));
      const std::int32_t vertex = triangle.VertexIndex[static_cast<std::size_t>(from)];
      if (vertex < 0 || vertex >= frameVertices)
        throw std::runtime_error("A triangle of the mesh names vertex " + std::to_string(vertex) + ", which it lacks.");
      made.Vertex[corner] = Index(static_cast<std::size_t>(vertex), "vertices");
    }
    made.Material = MaterialIndex(triangle.TextureIndex);
    if (mesh.GetTextureRef(triangle.TextureIndex) >= 0) {
      const std::int32_t flags = triangle.PolyFlags;
      const std::int32_t style = (flags & MaskedFlag)        ? 2
                                 : (flags & ModulatedFlag)   ? 4
                                 : (flags & TranslucentFlag) ? 3
                                 : (flags & TwoSidedFlag)    ? 1
                                                             : 0;
      MarkMaterial(model, triangle.TextureIndex, style);
    }
    model.Triangles.push_back(made);
  }
}

void ReadWedgeMesh(const unrealpkg::TUTObjectClassLodMesh& mesh, const unrealpkg::TUTObjectClassSkeletalMesh* skeletal,
                   int frames, bool mirror, TObjeto3D& model) {
  const std::int64_t frameVertices = mesh.FrameVertexCount();
  for (int w = 0; w < mesh.WedgeCount(); ++w) {
    const auto& wedge = mesh.GetWedge(w);
    for (int frame = 0; frame < frames; ++frame) {
      const std::int64_t at = frame * frameVertices + mesh.SpecialVertexCount() + wedge.VertexIndex;
      model.Frames[static_cast<std::size_t>(frame)].push_back(
          Placed(skeletal ? skeletal->GetPoint(at) : mesh.GetVertex(at), mirror));
    }
    model.TexCoords.push_back(model3d::TexCoordOfMeshBytes(wedge.U, wedge.V));
  }
  Index(model.TexCoords.size(), "wedges");
  std::int32_t highest = -1;
  for (int m = 0; m < mesh.MaterialCount(); ++m) {
    const auto& material = mesh.GetMaterial(m);
    if (mesh.GetTextureRef(material.TextureIndex) >= 0) highest = std::max(highest, material.TextureIndex);
  }
  MakeMaterials(model, highest);
  for (int m = 0; m < mesh.MaterialCount(); ++m) {
    const auto& material = mesh.GetMaterial(m);
    if (mesh.GetTextureRef(material.TextureIndex) < 0) continue;
    const std::int32_t flags = material.PolyFlags;
    const std::int32_t style = (flags & 0x140) == 0x140   ? 4
                               : (flags & 0x104) == 0x104 ? 3
                               : (flags & 0x102) == 0x102 ? 2
                               : (flags & 0x100)          ? 1
                                                          : 0;
    MarkMaterial(model, MaterialIndex(material.TextureIndex), style);
  }
  const bool reversed = mirror != (skeletal != nullptr);
  const std::array<int, 3> order = reversed ? std::array{2, 1, 0} : std::array{0, 1, 2};
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    const auto& face = mesh.GetFace(f);
    model3d::TTriangle3D made;
    for (int corner = 0; corner < 3; ++corner) {
      const std::int32_t wedge = face.WedgeIndex[static_cast<std::size_t>(order[static_cast<std::size_t>(corner)])];
      if (wedge < 0 || wedge >= mesh.WedgeCount())
        throw std::runtime_error("A face of the mesh names wedge " + std::to_string(wedge) + ", which it lacks.");
      made.Vertex[corner] = made.TexCoord[corner] = static_cast<std::uint16_t>(wedge);
    }
    made.Material = MaterialIndex(mesh.GetMaterial(face.MaterialIndex).TextureIndex);
    model.Triangles.push_back(made);
  }
}

}  // namespace

std::filesystem::path FindMeshPackage(const model::TModelo& definition, const std::filesystem::path& home) {
  if (auto found = model::FindModelPackage(definition.ForUnrealTournament, home, PackagePart(definition.Mesh),
                                           definition.DefinitionFile().parent_path()))
    return *found;
  throw std::runtime_error("Mesh package not found");
}

model3d::TObjeto3D LoadMeshFromPackage(const model::TModelo& definition, const std::filesystem::path& packageFile) {
  TObjeto3D model;
  unrealpkg::TUTPackage package(packageFile);
  const std::string meshName = MeshPart(definition.Mesh);
  int index = -1;
  for (const char* className : {"skeletalmesh", "lodmesh", "mesh"}) {
    index = package.FindObject(unrealpkg::TableExports, unrealpkg::MatchObjectName | unrealpkg::MatchClassName, 0,
                               className, meshName, "");
    if (index >= 0) break;
  }
  if (index < 0) throw std::runtime_error("Mesh not found in package");
  const std::string className = platform::ToLowerAscii(package.GetExport(index)->ClassName());
  if (className != "skeletalmesh" && className != "lodmesh" && className != "mesh")
    throw std::runtime_error("Invalid Mesh");

  unrealpkg::TUTPackageLock lock(package);
  unrealpkg::TUTObject& object = package.GetExport(index)->Object();
  const unrealpkg::TUTObjectUse use(object);
  const auto* mesh = dynamic_cast<const unrealpkg::TUTObjectClassMesh*>(&object);
  if (!mesh) throw std::runtime_error("Invalid Mesh");
  const auto* lod = dynamic_cast<const unrealpkg::TUTObjectClassLodMesh*>(mesh);
  const auto* skeletal = dynamic_cast<const unrealpkg::TUTObjectClassSkeletalMesh*>(mesh);

  const int frames = mesh->FrameCount() > 0 ? mesh->FrameCount() : 1;
  // A damaged count must not make room for frames the file does not hold.
  const std::int64_t held = skeletal ? skeletal->PointCount() : mesh->VertexCount();
  if (static_cast<std::int64_t>(frames) * std::max<std::int64_t>(mesh->FrameVertexCount(), 0) > held)
    throw std::runtime_error("The mesh claims " + std::to_string(frames) + " frames of " +
                             std::to_string(mesh->FrameVertexCount()) + " vertices but holds " + std::to_string(held) +
                             " vertices.");
  model.Frames.assign(static_cast<std::size_t>(frames), {});
  model.StillFrame = 0;
  for (int s = 0; s < mesh->AnimSequenceCount(); ++s) {
    const auto& sequence = mesh->GetAnimSequence(s);
    const std::string name = package.GetName(sequence.Name);
    const auto packed = static_cast<std::uint32_t>(sequence.StartFrame) |
                        (static_cast<std::uint32_t>(sequence.NumFrames) << 16) |
                        (static_cast<std::uint32_t>(TruncatedRate(sequence.Rate)) << 24);
    model.Sequences.push_back({name, static_cast<std::int32_t>(packed)});
    if (platform::EqualsIgnoreCase(name, "breath1")) model.StillFrame = sequence.StartFrame;
  }
  if (!lod || lod->FaceCount() < 1)
    ReadTriangleMesh(*mesh, frames, definition.MirrorX, model);
  else
    ReadWedgeMesh(*lod, skeletal, frames, definition.MirrorX, model);
  return model;
}

}  // namespace preview
