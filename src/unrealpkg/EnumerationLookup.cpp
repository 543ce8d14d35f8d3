#include <string>

#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/ObjectPaths.h"
#include "unrealpkg/PropertyObjects.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

// Class chains longer than this are taken as loops in a damaged package.
constexpr int MaxChainSteps = 256;

std::string ValueOfEnumExport(TUTPackage& package, int exportIndex, std::uint8_t value) {
  auto* enumeration = dynamic_cast<TUTObjectClassEnum*>(&package.GetExport(exportIndex)->Object());
  if (!enumeration) return {};
  TUTObjectUse use(*enumeration);
  return enumeration->GetEnumValueName(value);
}

// An enumeration designated by an object reference in `package`.
std::string ValueOfEnumReference(TUTPackage& package, std::int32_t reference, std::uint8_t value) {
  if (reference > 0) {
    if (!package.GetExport(reference - 1)) return {};
    return ValueOfEnumExport(package, reference - 1, value);
  }
  const TUTImportTableObjectData* import = package.GetImport(-std::int64_t{reference} - 1);
  if (reference == 0 || !import || !package.SearchOtherPackages) return {};
  TUTPackage* sibling = package.SiblingPackage(OutermostPackage(package.GetObjectPath(reference)));
  if (!sibling) return {};
  const int found = sibling->FindExport(import->ObjectName(), "Enum");
  return found >= 0 ? ValueOfEnumExport(*sibling, found, value) : std::string();
}

std::string Lookup(TUTObject& owner, const std::string& propertyName, std::uint8_t value) {
  TUTPackage* working = &owner.Package();
  const std::string ownerClass = owner.ClassName();
  std::int32_t chain = ownerClass.empty() || EqualsIgnoreCase(ownerClass, "Class") || EqualsIgnoreCase(ownerClass, "State")
                           ? owner.SuperRef()
                           : owner.ClassRef();
  std::string searchPath = owner.FullPath();
  for (int step = 0; step < MaxChainSteps; ++step) {
    const int found = working->FindObject(TableExports, MatchObjectName | MatchClassName | MatchPackagePath, 0,
                                          "ByteProperty", propertyName, searchPath);
    if (found >= 0) {
      auto* property = dynamic_cast<TUTObjectClassByteProperty*>(&working->GetExport(found)->Object());
      if (!property) return {};
      std::int32_t enumeration;
      {
        TUTObjectUse use(*property);
        enumeration = property->Enum();
      }
      return ValueOfEnumReference(*working, enumeration, value);
    }
    if (chain > 0) {
      const TUTExportTableObjectData* entry = working->GetExport(chain - 1);
      if (!entry) break;
      searchPath = working->GetObjectPath(chain);
      chain = entry->SuperRef;
    } else if (chain < 0 && working->SearchOtherPackages) {
      const TUTImportTableObjectData* import = working->GetImport(-std::int64_t{chain} - 1);
      if (!import) break;
      TUTPackage* sibling = working->SiblingPackage(OutermostPackage(working->GetObjectPath(chain)));
      if (!sibling) break;
      const int cls = sibling->FindObject(TableExports, MatchObjectName | MatchPackagePath, 0, "", import->ObjectName(),
                                          PathBelowOutermost(import->PackagePath()));
      working = sibling;
      if (cls >= 0) {
        searchPath = sibling->GetObjectPath(cls + 1);
        chain = sibling->GetExport(cls)->SuperRef;
      } else {
        chain = 0;
      }
    } else {
      break;
    }
  }

  const std::string enumName = "E" + propertyName;
  const int local = working->FindObject(TableExports, MatchObjectName | MatchClassName, 0, "Enum", enumName, "");
  if (local >= 0) return ValueOfEnumExport(*working, local, value);
  const int imported = working->FindObject(TableImports, MatchObjectName | MatchClassName, 0, "Enum", enumName, "");
  return imported >= 0 ? ValueOfEnumReference(*working, -(imported + 1), value) : std::string();
}

}  // namespace

std::string EnumValueName(TUTObject& owner, const std::string& propertyName, std::uint8_t value) {
  try {
    return Lookup(owner, propertyName, value);
  } catch (const std::exception&) {
    // The name is a courtesy; a damaged definition leaves the plain number.
    return {};
  }
}

}  // namespace unrealpkg
