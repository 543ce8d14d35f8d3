#include "modelcompiler/PackageModelList.h"

#include <algorithm>
#include <optional>

#include "model/System2.h"
#include "modelcompiler/ModelNotice.h"
#include "modelcompiler/ObjectReading.h"
#include "platform/AsciiText.h"
#include "platform/FileContents.h"
#include "platform/FileLookup.h"
#include "unrealpkg/ClassDefaults.h"

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

void AddPlayerClass(unrealpkg::TUTPackage& package, const std::string& className, PackageModelList& list) {
  const std::size_t dot = className.find('.');
  if (dot == std::string::npos) return;
  std::string packagePart = className.substr(0, dot);
  const std::string classPart = className.substr(dot + 1);
  if (EqualsIgnoreCase(packagePart, package.FileName().stem().string())) packagePart.clear();
  const int index = FindClassDefinition(package, packagePart, classPart);
  if (index < 0) return;

  std::optional<unrealpkg::TUTClassDefaults> defaults;
  ReadingObject(package, "the player class " + className, [&] { defaults.emplace(package, index); });
  PackageModelEntry entry;
  entry.Item.MeshRef = defaults->GetValueDef("Mesh", 0).ToInteger();
  // A parent class elsewhere names the mesh by a reference into its own package.
  const unrealpkg::TUTProperty* mesh = defaults->FindProperty("Mesh");
  const unrealpkg::TUTPackage& meshOwner = mesh ? *mesh->Package : package;
  if (!IsMeshClass(meshOwner.ClassNameOf(entry.Item.MeshRef))) return;
  if (&meshOwner != &package) entry.Item.MeshOwner = meshOwner.FileName();
  entry.ObjectName = package.GetExport(index)->ObjectName();
  entry.Caption = defaults->GetValueDef("MenuName", "").ToText();
  if (entry.Caption.empty()) entry.Caption = entry.ObjectName;
  entry.Item.TeamSkin = defaults->GetValueDef("TeamSkin", "").ToText();
  entry.Item.FaceSkin = defaults->GetValueDef("FaceSkin", 0).ToInteger();
  entry.Item.FixedSkin = defaults->GetValueDef("FixedSkin", -1).ToInteger();
  entry.Item.TeamSkin1 = defaults->GetValueDef("TeamSkin1", 1).ToInteger();
  entry.Item.TeamSkin2 = defaults->GetValueDef("TeamSkin2", 2).ToInteger();
  if (std::string note = defaults->MissingParentNote(); !note.empty()) entry.Notes.push_back(std::move(note));
  list.Entries.push_back(std::move(entry));
}

bool CaptionBefore(const PackageModelEntry& a, const PackageModelEntry& b) {
  return platform::ToLowerAscii(a.Caption) < platform::ToLowerAscii(b.Caption);
}

}  // namespace

std::vector<std::string> ReadPlayerClassNames(const std::filesystem::path& intFile) {
  const auto text = platform::ReadFileContents(intFile);
  if (!text) throw std::runtime_error("Cannot read " + intFile.string() + ": there is no such file");
  std::vector<std::string> lines;
  model::SplitToList(*text, "\n", lines);
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    const std::string lower = platform::ToLowerAscii(line);
    if (lower.find("metaclass=botpack.tournamentplayer") == std::string::npos) continue;
    const std::size_t name = lower.find("name=");
    const std::size_t cls = lower.find(",class=");
    if (name == std::string::npos || cls == std::string::npos || cls < name + 5) continue;
    names.push_back(line.substr(name + 5, cls - name - 5));
  }
  return names;
}

PackageModelList ListPackageModels(unrealpkg::TUTPackage& package, const std::filesystem::path& chosenFile,
                                   bool useInt) {
  PackageModelList list;
  if (useInt) {
    const std::vector<std::string> classes = ReadPlayerClassNames(chosenFile);
    if (classes.empty()) throw ModelNotice("The package does not have any model object.");
    list.PackagePath = PackageBeside(chosenFile);
    OpenPackage(package, list.PackagePath);
    unrealpkg::TUTPackageLock lock(package);
    for (const std::string& className : classes) AddPlayerClass(package, className, list);
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
