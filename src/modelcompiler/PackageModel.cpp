#include "modelcompiler/PackageModel.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "modelcompiler/ObjectReading.h"
#include "modelcompiler/PackageModelCompile.h"
#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "unrealpkg/ClassDefaults.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/ObjectPaths.h"
#include "unrealpkg/TUTObject.h"

namespace modelcompiler {

namespace {

using platform::EqualsIgnoreCase;
using unrealpkg::TUTPackage;

const char* const InvalidMesh = "Invalid Mesh/LodMesh/SkeletalMesh object";
const char* const MeshNotFound = "Mesh/LodMesh/SkeletalMesh object not found.";

struct MeshLocation {
  std::string ClassName;
  std::string ObjectName;
  // The file of the package that holds the mesh.
  std::filesystem::path Package;
};

// An imported mesh lives in the package file its outermost package names,
// beside the package that refers to it and with that package's extension.
MeshLocation LocateMesh(const TUTPackage& owner, std::int32_t meshRef) {
  MeshLocation location;
  if (meshRef > 0 && meshRef <= owner.ExportCount()) {
    const auto* entry = owner.GetExport(meshRef - 1);
    location.ClassName = entry->ClassName();
    location.ObjectName = entry->ObjectName();
    location.Package = owner.FileName();
    return location;
  }
  if (meshRef >= 0 || -meshRef > owner.ImportCount()) throw std::runtime_error(InvalidMesh);
  const auto* entry = owner.GetImport(-meshRef - 1);
  location.ClassName = entry->ClassName();
  location.ObjectName = entry->ObjectName();
  const std::string fileName = unrealpkg::OutermostPackage(entry->PackagePath()) + owner.FileName().extension().string();
  const auto found = platform::FindFileIgnoringCase(owner.FileName().parent_path(), fileName);
  if (!found)
    throw std::runtime_error("Cannot find the package " + fileName + " beside " + owner.FileName().string() +
                             ": it holds the mesh " + location.ObjectName);
  location.Package = *found;
  return location;
}

// The package a mesh reference points into: the listed one, or the package
// beside it whose class named the mesh, which listing has opened already.
TUTPackage& MeshOwner(TUTPackage& listed, const TMeshItem& item) {
  if (item.MeshOwner.empty()) return listed;
  TUTPackage* owner = listed.SiblingPackage(item.MeshOwner.stem().string());
  if (!owner) throw std::runtime_error("Cannot read the package " + item.MeshOwner.string() + ": it holds the mesh");
  return *owner;
}

model3d::TVertex3D Vertex(const unrealpkg::TUT_Struct_Vector& v) { return {v.X, v.Y, v.Z}; }

// Said of the mesh by whoever reads it, who names the mesh and the file.
[[noreturn]] void Refuse(const std::string& what) { throw std::runtime_error("it " + what); }

void CopyMeshFrames(const unrealpkg::TUTObjectClassMesh& mesh, MeshCopy& copy) {
  copy.FrameVerts = std::max(mesh.FrameVertexCount(), 0);
  copy.FrameCount = std::max(mesh.FrameCount(), 1);
  if (copy.FrameCount > MaxMeshFrames)
    Refuse("claims " + std::to_string(copy.FrameCount) + " frames; a model holds at most " +
                     std::to_string(MaxMeshFrames));
  const std::int64_t needed = std::int64_t{copy.FrameVerts} * copy.FrameCount;
  if (needed > mesh.VertexCount())
    Refuse("claims " + std::to_string(copy.FrameCount) + " frames of " + std::to_string(copy.FrameVerts) +
                     " vertices but holds only " + std::to_string(mesh.VertexCount()) + " vertices");
  copy.Vertices.reserve(static_cast<std::size_t>(needed));
  for (std::int64_t i = 0; i < needed; ++i) copy.Vertices.push_back(Vertex(mesh.GetVertex(i)));
}

void CopyLod(const unrealpkg::TUTObjectClassLodMesh& mesh, MeshCopy& copy) {
  for (int i = 0; i < mesh.WedgeCount(); ++i) {
    const auto& wedge = mesh.GetWedge(i);
    copy.Wedges.push_back({wedge.VertexIndex, model3d::TexCoordOfMeshBytes(wedge.U, wedge.V)});
  }
  for (int i = 0; i < mesh.FaceCount(); ++i) {
    const auto& face = mesh.GetFace(i);
    copy.Faces.push_back({face.WedgeIndex, face.MaterialIndex});
  }
  for (int i = 0; i < mesh.MaterialCount(); ++i) {
    const auto& material = mesh.GetMaterial(i);
    copy.Materials.push_back({material.PolyFlags, material.TextureIndex});
  }
}

MeshCopy CopyMesh(TUTPackage& package, unrealpkg::TUTObject& object, std::string source) {
  const auto* mesh = dynamic_cast<const unrealpkg::TUTObjectClassMesh*>(&object);
  if (!mesh) throw std::runtime_error(InvalidMesh);
  MeshCopy copy;
  copy.Source = std::move(source);
  const auto* lod = dynamic_cast<const unrealpkg::TUTObjectClassLodMesh*>(mesh);
  const auto* skeletal = dynamic_cast<const unrealpkg::TUTObjectClassSkeletalMesh*>(mesh);
  copy.Kind = skeletal ? MeshKind::SkeletalMesh : lod ? MeshKind::LodMesh : MeshKind::Mesh;
  // Rotator units: 65536 to the turn.
  const auto degrees = [](std::int32_t units) { return static_cast<float>(units) * 360.0f / 65536.0f; };
  const unrealpkg::TUT_Struct_Rotator& rotation = mesh->RotationOrigin();
  copy.Rotation = {degrees(rotation.Pitch), degrees(rotation.Yaw), degrees(rotation.Roll)};
  if (skeletal) {
    // The reference pose is the only frame a skeletal mesh holds.
    copy.FrameVerts = skeletal->PointCount();
    for (int i = 0; i < skeletal->PointCount(); ++i) copy.Vertices.push_back(Vertex(skeletal->GetPoint(i)));
  } else {
    CopyMeshFrames(*mesh, copy);
  }
  // The weapon's vertices lead every frame, a skeletal mesh's pose too.
  if (lod) copy.SpecialVerts = lod->SpecialVertexCount();
  for (int i = 0; i < mesh->TriangleCount(); ++i) {
    const auto& triangle = mesh->GetTriangle(i);
    MeshTriangleCopy t{triangle.VertexIndex, {}, triangle.PolyFlags, triangle.TextureIndex};
    for (int c = 0; c < 3; ++c) t.TexCoord[c] = model3d::TexCoordOfMeshBytes(triangle.Tex[c].U, triangle.Tex[c].V);
    copy.Triangles.push_back(t);
  }
  if (lod) CopyLod(*lod, copy);
  for (int i = 0; i < mesh->TextureCount(); ++i) copy.Textures.push_back(mesh->GetTextureRef(i));
  for (int i = 0; i < mesh->AnimSequenceCount(); ++i) {
    const auto& sequence = mesh->GetAnimSequence(i);
    copy.Sequences.push_back({package.GetName(sequence.Name), sequence.StartFrame, sequence.NumFrames, sequence.Rate});
  }
  if (copy.Sequences.empty()) copy.Sequences.push_back({"<All Frames>", 0, copy.FrameCount, 20.0f});
  const std::int64_t triangles = static_cast<std::int64_t>(copy.Faces.empty() ? copy.Triangles.size() : copy.Faces.size());
  if (triangles * copy.FrameCount > MaxFrameTriangles)
    Refuse("has " + std::to_string(copy.FrameCount) + " frames of " + std::to_string(triangles) +
                     " triangles, more than a model shows (" + std::to_string(MaxFrameTriangles) + " in all)");
  return copy;
}

std::vector<std::string> InformationLines(const MeshCopy& mesh) {
  switch (mesh.Kind) {
    case MeshKind::LodMesh:
      return {"Unreal LodMesh model", "Faces = " + std::to_string(mesh.Faces.size()),
              "Frames    = " + std::to_string(mesh.FrameCount)};
    case MeshKind::SkeletalMesh:
      return {"Unreal SkeletalMesh model", "Faces = " + std::to_string(mesh.Faces.size()),
              "Frames    = " + std::to_string(mesh.FrameCount)};
    case MeshKind::Mesh:
      break;
  }
  return {"Unreal Mesh model", "Triangles = " + std::to_string(mesh.Triangles.size()),
          "Frames    = " + std::to_string(mesh.FrameCount)};
}

}  // namespace

// The convention: the package imports AdvancedModelSupport and defines the
// class <package>SkinInfo whose defaults hold the values.
AdvancedModelSupport ReadAdvancedModelSupport(TUTPackage& package) {
  using namespace unrealpkg;
  AdvancedModelSupport ams;
  if (package.FindObject(TableImports, MatchObjectName, 0, "", "AdvancedModelSupport", "") < 0) return ams;
  const std::string skinInfo = package.FileName().stem().string() + "SkinInfo";
  const int index = package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "", skinInfo, "");
  if (index < 0) {
    ams.Detection = "unsupported format!";
    return ams;
  }
  ams.Enabled = true;
  ams.Detection = "Yes";
  TUTPackageLock lock(package);
  std::optional<TUTClassDefaults> chain;
  ReadingObject(package, "the Advanced Model Support values", [&] { chain.emplace(package, index); });
  TUTClassDefaults& defaults = *chain;
  ams.TalkTextureID = defaults.GetValueDef("TalkTextureID", "C").ToText();
  ams.HighestSkinNumber = defaults.GetValueDef("HighestSkinNumber", 3).ToInteger();
  ams.RelaxedSkinRules = defaults.GetValueDef("bRelaxedSkinRules", false).ToBoolean();
  ams.OldTextureNames = defaults.GetValueDef("OldTextureNames", 0).ToInteger();
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string element = "[" + std::to_string(i) + "]";
    ams.ChangesWithTeam[i] = defaults.GetValueDef("ChangesWithTeam" + element, true).ToBoolean();
    ams.ChangesWithFace[i] = defaults.GetValueDef("ChangesWithFace" + element, false).ToBoolean();
  }
  if (std::string note = defaults.MissingParentNote(); !note.empty()) ams.Notes.push_back(std::move(note));
  return ams;
}

MeshCopy ReadPackageMesh(TUTPackage& package, int exportIndex) {
  const std::string name = package.GetExport(exportIndex)->ObjectName();
  unrealpkg::TUTPackageLock lock(package);
  unrealpkg::TUTObject& object = package.GetExport(exportIndex)->Object();
  return ReadingObject(package, "the mesh " + name, [&] {
    unrealpkg::TUTObjectUse use(object);
    return CopyMesh(package, object, "the mesh " + name + " of " + package.FileName().string());
  });
}

std::size_t RestSequence(const MeshCopy& mesh) {
  for (std::size_t i = 0; i < mesh.Sequences.size(); ++i)
    if (EqualsIgnoreCase(mesh.Sequences[i].Name, "Breath1")) return i;
  return SequencesByName(mesh).front();
}

std::vector<std::size_t> SequencesByName(const MeshCopy& mesh) {
  std::vector<std::size_t> order(mesh.Sequences.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return platform::ToLowerAscii(mesh.Sequences[a].Name) < platform::ToLowerAscii(mesh.Sequences[b].Name);
  });
  return order;
}

std::string PackageModelName(TUTPackage& listed, const PackageModelEntry& entry) {
  return LocateMesh(MeshOwner(listed, entry.Item), entry.Item.MeshRef).ObjectName;
}

PackageModel ReadPackageModel(TUTPackage& listed, const PackageModelEntry& entry) {
  TUTPackage& owner = MeshOwner(listed, entry.Item);
  const MeshLocation location = LocateMesh(owner, entry.Item.MeshRef);
  const std::string& className = location.ClassName;
  if (className.size() < 4 || !EqualsIgnoreCase(className.substr(className.size() - 4), "mesh"))
    throw std::runtime_error(InvalidMesh);

  std::unique_ptr<TUTPackage> other;
  if (location.Package != owner.FileName()) other = std::make_unique<TUTPackage>(location.Package);
  TUTPackage& package = other ? *other : owner;
  const int index = package.FindExport(location.ObjectName, className);
  if (index < 0) throw std::runtime_error(MeshNotFound);

  PackageModel model;
  model.ModelName = location.ObjectName;
  model.PackageName = package.FileName().stem().string();
  model.Description = entry.Caption;
  model.Skins = entry.Item;
  model.Mesh = ReadPackageMesh(package, index);

  model.Information = InformationLines(model.Mesh);
  model.Ams = ReadAdvancedModelSupport(listed);
  model.Information.push_back("Advanced Model Support: " + model.Ams.Detection);
  if (!model.Ams.Enabled) {
    const DefaultSkinPackage skins =
        ReadDefaultSkinPackage(listed.FileName(), entry.Facts.DefaultSkinName, entry.Facts.DefaultPackage);
    model.Scheme = DecideSkinScheme(entry.Facts, entry.Item, skins, SkinMaterials(model.Mesh));
    model.Information.insert(model.Information.end(), model.Scheme.Reasons.begin(), model.Scheme.Reasons.end());
  }
  model.Notes = entry.Notes;
  model.Notes.insert(model.Notes.end(), model.Scheme.Notes.begin(), model.Scheme.Notes.end());
  model.Notes.insert(model.Notes.end(), model.Ams.Notes.begin(), model.Ams.Notes.end());
  model.RestSequence = RestSequence(model.Mesh);
  return model;
}

}  // namespace modelcompiler
