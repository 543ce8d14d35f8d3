#include "unrealpkg/PackageCheck.h"

#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/MediaObjects.h"
#include "unrealpkg/MeshObjExport.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TextureObjects.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

// A tag that tools skipping by declared size would misread. A bool's value
// lives in its info byte, whatever size the tag declares.
std::string TagSizeNote(const TUTPropertyList& properties) {
  std::string note;
  for (const auto& property : properties) {
    if (!property->Valid || property->PropType == PropEnd || property->PropType == PropBool ||
        property->PropType == PropError || property->DeclaredSize == property->StoredSize)
      continue;
    note += (note.empty() ? "tag sizes differ from their values: " : ", ") + property->Name + " declares " +
            std::to_string(property->DeclaredSize) + " bytes and holds " + std::to_string(property->StoredSize);
  }
  return note;
}

std::vector<std::string> CheckObject(TUTObject& object) {
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

  std::vector<std::string> notes;
  if (const auto* media = dynamic_cast<const TUTMediaObject*>(&object); media && media->Stripped())
    notes.push_back("data stripped");
  if (std::string note = TagSizeNote(object.Properties()); !note.empty()) notes.push_back(std::move(note));
  return notes;
}

}  // namespace

PackageCheckResult CheckExport(TUTPackage& package, int exportIndex) {
  PackageCheckResult result;
  TUTExportTableObjectData* entry = package.GetExport(exportIndex);
  if (!entry) {
    result.Failures.push_back({exportIndex, "", "", "No export " + std::to_string(exportIndex)});
    return result;
  }
  const auto report = [&](std::string message) {
    return ObjectReport{exportIndex, entry->ClassName(), package.GetObjectPath(exportIndex + 1), std::move(message)};
  };
  try {
    for (std::string& note : CheckObject(entry->Object())) result.Notes.push_back(report(std::move(note)));
  } catch (const std::exception& e) {
    result.Failures.push_back(report(e.what()));
  }
  return result;
}

PackageCheckResult CheckPackage(TUTPackage& package) {
  PackageCheckResult result;
  TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    PackageCheckResult one = CheckExport(package, i);
    for (ObjectReport& failure : one.Failures) result.Failures.push_back(std::move(failure));
    for (ObjectReport& note : one.Notes) result.Notes.push_back(std::move(note));
  }
  return result;
}

}  // namespace unrealpkg
