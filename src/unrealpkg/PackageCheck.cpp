#include "unrealpkg/PackageCheck.h"

#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/MeshObjExport.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TextureObjects.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

void CheckObject(TUTObject& object) {
  TUTObjectUse use(object);
  for (const auto& property : object.Properties()) DescribeValue(*property);
  if (const auto* function = dynamic_cast<const TUTObjectClassFunction*>(&object);
      function && !function->ScriptError().empty())
    throw ReadError(function->ScriptError());
  if (auto* texture = dynamic_cast<TUTObjectClassTexture*>(&object)) {
    for (int i = 0; i < texture->MipCount(); ++i) texture->MipBitmap(i);
    for (int i = 0; i < texture->CompressedMipCount(); ++i) texture->CompressedMipBitmap(i);
  }
  // Building a frame checks that every face, wedge and vertex index lies within the mesh.
  if (const auto* mesh = dynamic_cast<const TUTObjectClassMesh*>(&object);
      mesh && (mesh->FrameCount() > 0 || dynamic_cast<const TUTObjectClassSkeletalMesh*>(mesh)))
    MeshToObj(*mesh, 0);
}

}  // namespace

std::optional<ObjectFailure> CheckExport(TUTPackage& package, int exportIndex) {
  TUTExportTableObjectData* entry = package.GetExport(exportIndex);
  if (!entry) return ObjectFailure{exportIndex, "", "", "No export " + std::to_string(exportIndex)};
  try {
    CheckObject(entry->Object());
  } catch (const std::exception& e) {
    return ObjectFailure{exportIndex, entry->ClassName(), package.GetObjectPath(exportIndex + 1), e.what()};
  }
  return std::nullopt;
}

std::vector<ObjectFailure> CheckPackage(TUTPackage& package) {
  std::vector<ObjectFailure> failures;
  TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i)
    if (auto failure = CheckExport(package, i)) failures.push_back(std::move(*failure));
  return failures;
}

}  // namespace unrealpkg
