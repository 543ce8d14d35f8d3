#include "preview/LoadMeshFromPackage.h"

#include <stdexcept>

#include "model/PackageSearch.h"
#include "modelcompiler/PackageModelCompile.h"
#include "unrealpkg/TUTPackage.h"

namespace preview {

namespace {

std::string MeshPart(const std::string& mesh) {
  const std::size_t dot = mesh.find('.');
  return dot == std::string::npos ? std::string() : mesh.substr(dot + 1);
}

std::string PackagePart(const std::string& mesh) { return mesh.substr(0, mesh.find('.')); }

}  // namespace

std::filesystem::path FindMeshPackage(const model::TModelo& definition, const std::filesystem::path& home) {
  if (auto found = model::FindModelPackage(definition.ForUnrealTournament, home, PackagePart(definition.Mesh),
                                           definition.DefinitionFile().parent_path()))
    return *found;
  throw std::runtime_error("Mesh package not found");
}

model3d::TObjeto3D LoadMeshFromPackage(const model::TModelo& definition, const std::filesystem::path& packageFile) {
  unrealpkg::TUTPackage package(packageFile);
  const std::string meshName = MeshPart(definition.Mesh);
  int index = -1;
  for (const char* className : {"skeletalmesh", "lodmesh", "mesh"}) {
    index = package.FindObject(unrealpkg::TableExports, unrealpkg::MatchObjectName | unrealpkg::MatchClassName, 0,
                               className, meshName, "");
    if (index >= 0) break;
  }
  if (index < 0) throw std::runtime_error("Mesh not found in package");
  // The model compiler's own conversion, with the checks it makes, resting
  // where a compiled model rests.
  const modelcompiler::MeshCopy mesh = modelcompiler::ReadPackageMesh(package, index);
  modelcompiler::FrameChoice choice;
  choice.Animated = mesh.Kind != modelcompiler::MeshKind::SkeletalMesh;
  choice.MirrorX = definition.MirrorX;
  choice.Sequence = modelcompiler::RestSequence(mesh);
  model3d::TObjeto3D model;
  modelcompiler::CompilePackageModel(mesh, choice, model);
  return model;
}

}  // namespace preview
