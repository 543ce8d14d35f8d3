#include "modelcompiler/PackageModelList.h"

#include <algorithm>
#include <optional>

#include "model/LocalisationLines.h"
#include "modelcompiler/ModelNotice.h"
#include "modelcompiler/ObjectReading.h"
#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "unrealpkg/ClassDefaults.h"
#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/TUTObject.h"

namespace modelcompiler {

namespace {

using platform::EqualsIgnoreCase;

bool IsMeshClass(std::string_view className) {
  return EqualsIgnoreCase(className, "mesh") || EqualsIgnoreCase(className, "lodmesh") ||
         EqualsIgnoreCase(className, "skeletalmesh");
}

// Localisation files name the package in any letter case; the package file
// beside them may differ in case on this system.
std::filesystem::path PackageBeside(const std::filesystem::path& intFile) {
  std::filesystem::path package = intFile;
  package.replace_extension(".u");
  if (std::filesystem::exists(package)) return package;
  const auto found = platform::FindFileIgnoringCase(package.parent_path(), package.filename().string());
  return found ? *found : package;
}

void OpenPackage(unrealpkg::TUTPackage& package, const std::filesystem::path& path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("Cannot find the package " + path.string());
  try {
    package.LoadFromFile(path);
  } catch (const unrealpkg::PackageError& e) {
    // The reader's own message names the file and what is wrong with it.
    throw std::runtime_error("The file is not an Unreal package.\n" + std::string(e.what()));
  }
}

int FindClassDefinition(const unrealpkg::TUTPackage& package, std::string_view packagePart,
                        std::string_view classPart) {
  for (int i = 0; i < package.ExportCount(); ++i) {
    const auto* entry = package.GetExport(i);
    if (entry->ClassName().empty() && EqualsIgnoreCase(entry->ObjectName(), classPart) &&
        EqualsIgnoreCase(entry->PackagePath(), packagePart))
      return i;
  }
  return -1;
}

// The skin slots, the defaults of the skin scripts and the textures the
// class fixes itself. Integers no class stores are 0 to the game, whatever
// the missing parent would have said.
void ReadSkinDefaults(unrealpkg::TUTClassDefaults& defaults, PackageModelEntry& entry) {
  TMeshItem& item = entry.Item;
  ClassSkinFacts& facts = entry.Facts;
  facts.ClassName = entry.ObjectName;
  item.TeamSkin = defaults.GetValueDef("TeamSkin", "").ToText();
  const std::pair<const char*, std::int32_t*> slots[] = {
      {"FaceSkin", &item.FaceSkin}, {"FixedSkin", &item.FixedSkin}, {"TeamSkin1", &item.TeamSkin1},
      {"TeamSkin2", &item.TeamSkin2}};
  for (const auto& [name, value] : slots) {
    if (!defaults.FindProperty(name)) facts.UnstoredSlots.emplace_back(name);
    *value = defaults.GetValueDef(name, 0).ToInteger();
  }
  if (const unrealpkg::TUTProperty* multi = defaults.FindProperty("bIsMultiSkinned")) {
    facts.MultiSkinned = unrealpkg::PropertyValue(*multi).ToBoolean();
    facts.MultiSkinnedIn = multi->Owner ? multi->Owner->ObjectName() : std::string();
  }
  facts.MissingParent = defaults.MissingParent();
  // Only hints where to look for skins: no note when a missing parent holds them.
  const auto stored = [&](const char* name) {
    const unrealpkg::TUTProperty* property = defaults.FindProperty(name);
    return property ? unrealpkg::PropertyValue(*property).ToText() : std::string();
  };
  facts.DefaultSkinName = stored("DefaultSkinName");
  facts.DefaultPackage = stored("DefaultCustomPackage");
  if (facts.DefaultPackage.empty()) facts.DefaultPackage = stored("DefaultPackage");
  for (std::size_t i = 0; i < facts.FixedTextures.size(); ++i)
    if (const auto* fixed = defaults.FindProperty("MultiSkins[" + std::to_string(i) + "]"))
      facts.FixedTextures[i] = fixed->Package->ObjectNameOf(unrealpkg::PropertyValue(*fixed).ToInteger());
}

// Why the class gives no model, when it gives none.
std::optional<std::string> AddPlayerClass(unrealpkg::TUTPackage& package, const DeclaredPlayerClass& declared,
                                          PackageModelList& list) {
  const std::size_t dot = declared.Name.find('.');
  if (dot == std::string::npos) return "its name does not say which package holds it";
  std::string packagePart = declared.Name.substr(0, dot);
  const std::string classPart = declared.Name.substr(dot + 1);
  if (EqualsIgnoreCase(packagePart, package.FileName().stem().string())) packagePart.clear();
  const int index = FindClassDefinition(package, packagePart, classPart);
  if (index < 0) return package.FileName().string() + " has no class " + classPart;

  std::optional<unrealpkg::TUTClassDefaults> defaults;
  ReadingObject(package, "the player class " + declared.Name, [&] { defaults.emplace(package, index); });
  PackageModelEntry entry;
  entry.Item.MeshRef = defaults->GetValueDef("Mesh", 0).ToInteger();
  // A parent class elsewhere names the mesh by a reference into its own package.
  const unrealpkg::TUTProperty* mesh = defaults->FindProperty("Mesh");
  const unrealpkg::TUTPackage& meshOwner = mesh ? *mesh->Package : package;
  if (!IsMeshClass(meshOwner.ClassNameOf(entry.Item.MeshRef))) return "the class and its parents name no mesh";
  if (&meshOwner != &package) entry.Item.MeshOwner = meshOwner.FileName();
  entry.ObjectName = package.GetExport(index)->ObjectName();
  entry.MenuName = defaults->GetValueDef("MenuName", "").ToText();
  entry.Caption = !declared.Description.empty() ? declared.Description
                  : !entry.MenuName.empty()     ? entry.MenuName
                                                : entry.ObjectName;
  ReadSkinDefaults(*defaults, entry);
  if (std::string note = defaults->MissingParentNote(); !note.empty()) entry.Notes.push_back(std::move(note));
  list.Entries.push_back(std::move(entry));
  return std::nullopt;
}

bool CaptionBefore(const PackageModelEntry& a, const PackageModelEntry& b) {
  return platform::ToLowerAscii(a.Caption) < platform::ToLowerAscii(b.Caption);
}

}  // namespace

std::vector<DeclaredPlayerClass> ReadPlayerClassNames(const std::filesystem::path& intFile) {
  std::vector<DeclaredPlayerClass> classes;
  for (model::DeclaredObject& object : model::ReadDeclaredObjects(intFile))
    if (EqualsIgnoreCase(object.MetaClass, "Botpack.TournamentPlayer") && !object.Name.empty())
      classes.push_back({std::move(object.Name), object.Description.value_or("")});
  return classes;
}

PackageModelList ListDeclaredPlayerClasses(unrealpkg::TUTPackage& package, const std::filesystem::path& packagePath,
                                           const std::vector<DeclaredPlayerClass>& classes,
                                           std::vector<SkippedPlayerClass>* skipped) {
  PackageModelList list;
  list.PackagePath = packagePath;
  OpenPackage(package, packagePath);
  unrealpkg::TUTPackageLock lock(package);
  for (const DeclaredPlayerClass& declared : classes) {
    std::optional<std::string> reason;
    try {
      reason = AddPlayerClass(package, declared, list);
    } catch (const std::runtime_error& e) {
      if (!skipped) throw;
      reason = e.what();
    }
    if (reason && skipped) skipped->push_back({declared, std::move(*reason)});
  }
  std::stable_sort(list.Entries.begin(), list.Entries.end(), CaptionBefore);
  return list;
}

PackageModelList ListPackageModels(unrealpkg::TUTPackage& package, const std::filesystem::path& chosenFile,
                                   bool useInt) {
  PackageModelList list;
  if (useInt) {
    const std::vector<DeclaredPlayerClass> classes = ReadPlayerClassNames(chosenFile);
    if (classes.empty()) throw ModelNotice("The package does not have any model object.");
    list = ListDeclaredPlayerClasses(package, PackageBeside(chosenFile), classes, nullptr);
  } else {
    list.PackagePath = chosenFile;
    OpenPackage(package, list.PackagePath);
    for (int i = 0; i < package.ExportCount(); ++i) {
      const auto* entry = package.GetExport(i);
      if (!IsMeshClass(entry->ClassName())) continue;
      PackageModelEntry model;
      model.Caption = model.ObjectName = entry->ObjectName();
      model.Item.MeshRef = i + 1;
      list.Entries.push_back(std::move(model));
    }
  }
  if (list.Entries.empty()) throw ModelNotice("The package does not have any Mesh/LodMesh/SkeletalMesh objects.");
  std::stable_sort(list.Entries.begin(), list.Entries.end(), CaptionBefore);
  return list;
}

}  // namespace modelcompiler
