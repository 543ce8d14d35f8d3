#include "unrealpkg/ClassDefaults.h"

#include <algorithm>

#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/ObjectPaths.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

// Class chains longer than this are taken as loops in a damaged package.
constexpr int MaxChainSteps = 256;

std::string ValueText(const TUTValue& value) {
  if (value.IsText()) return "\"" + value.ToText() + "\"";
  if (value.IsBoolean()) return value.ToBoolean() ? "True" : "False";
  return value.ToText();
}

std::string NameList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text;
}

}  // namespace

TUTClassDefaults::TUTClassDefaults(TUTPackage& package, int classExport) {
  const TUTExportTableObjectData* entry = package.GetExport(classExport);
  if (!entry) throw ReadError("No class export " + std::to_string(classExport) + " in " + package.FileName().string());
  className_ = entry->ObjectName();
  Follow(package, classExport);
}

TUTClassDefaults::~TUTClassDefaults() = default;

void TUTClassDefaults::Follow(TUTPackage& package, int classExport) {
  TUTPackage* working = &package;
  int index = classExport;
  for (int step = 0; step < MaxChainSteps; ++step) {
    TUTExportTableObjectData* entry = working->GetExport(index);
    TUTObject& object = entry->Object();
    try {
      uses_.push_back(std::make_unique<TUTObjectUse>(object));
    } catch (const std::exception& e) {
      if (chain_.empty()) throw;
      throw ReadError("Cannot read the parent class " + object.FullPath() + " in " + working->FileName().string() +
                      ": " + e.what());
    }
    chain_.push_back(&object);

    const std::int32_t super = entry->SuperRef;
    if (super == 0) return;
    if (super > 0) {
      if (!working->GetExport(super - 1))
        throw ReadError("The class " + object.FullPath() + " of " + working->FileName().string() +
                        " extends export " + std::to_string(super - 1) + ", which the package does not hold");
      index = super - 1;
      continue;
    }
    const TUTImportTableObjectData* import = working->GetImport(-std::int64_t{super} - 1);
    if (!import)
      throw ReadError("The class " + object.FullPath() + " of " + working->FileName().string() + " extends import " +
                      std::to_string(-std::int64_t{super} - 1) + ", which the package does not hold");
    const std::string parent = working->GetObjectPath(super);
    const std::string packageName = OutermostPackage(parent);
    TUTPackage* sibling = working->SearchOtherPackages ? working->SiblingPackage(packageName) : nullptr;
    const int found = sibling ? sibling->FindObject(TableExports, MatchObjectName | MatchClassName | MatchPackagePath, 0,
                                                    "", import->ObjectName(), PathBelowOutermost(import->PackagePath()))
                              : -1;
    if (found < 0) {
      const std::string fileName = working->SiblingPackagePath(packageName).filename().string();
      missingParent_ = parent;
      missingReason_ = sibling ? fileName + " holds no class " + import->ObjectName()
                               : "there is no " + fileName + " beside " + working->FileName().string();
      return;
    }
    working = sibling;
    index = found;
  }
  throw ReadError("The class chain of " + className_ + " in " + package.FileName().string() + " is longer than " +
                  std::to_string(MaxChainSteps) + " classes");
}

const TUTProperty* TUTClassDefaults::FindProperty(std::string_view name) const {
  for (const TUTObject* object : chain_)
    if (const TUTProperty* property = object->Properties().FindProperty(name)) return property;
  return nullptr;
}

TUTValue TUTClassDefaults::GetValueDef(std::string_view name, const TUTValue& defaultValue) {
  if (const TUTProperty* property = FindProperty(name)) return PropertyValue(*property);
  const bool noted = std::any_of(defaulted_.begin(), defaulted_.end(),
                                 [&](const Defaulted& value) { return value.Name == name; });
  if (!missingParent_.empty() && !noted) defaulted_.push_back({std::string(name), ValueText(defaultValue)});
  return defaultValue;
}

std::string TUTClassDefaults::MissingParentNote() const {
  if (defaulted_.empty()) return {};
  // Values alike go together: "FixedSkin and TeamSkin1 take 0".
  std::vector<std::string> groups;
  std::vector<bool> told(defaulted_.size(), false);
  for (std::size_t i = 0; i < defaulted_.size(); ++i) {
    if (told[i]) continue;
    std::vector<std::string> names;
    for (std::size_t j = i; j < defaulted_.size(); ++j)
      if (!told[j] && defaulted_[j].Value == defaulted_[i].Value) {
        names.push_back(defaulted_[j].Name);
        told[j] = true;
      }
    groups.push_back(NameList(names) + (names.size() == 1 ? " takes " : " take ") + defaulted_[i].Value);
  }
  return "The class " + className_ + " inherits from " + missingParent_ + ", which is not found (" + missingReason_ +
         "): " + NameList(groups) + ", as no class of the chain stores " + (defaulted_.size() == 1 ? "it" : "them");
}

}  // namespace unrealpkg
