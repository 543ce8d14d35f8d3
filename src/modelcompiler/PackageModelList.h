#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "unrealpkg/TUTPackage.h"

namespace modelcompiler {

// The skin slots of a listed model and where its mesh is. MeshRef is an object
// reference into the listed package, or into MeshOwner when a parent class in
// another package names the mesh.
struct TMeshItem {
  std::int32_t FaceSkin = 0;
  std::int32_t FixedSkin = -1;
  std::int32_t TeamSkin1 = 1;
  std::int32_t TeamSkin2 = 2;
  std::int32_t MeshRef = 0;
  std::string TeamSkin;
  std::filesystem::path MeshOwner;
};

struct PackageModelEntry {
  std::string Caption;
  // The player class's or the mesh's object name.
  std::string ObjectName;
  TMeshItem Item;
  // Values that took their defaults because a parent class was not found.
  std::vector<std::string> Notes;
};

// The models of a package, in caption order.
struct PackageModelList {
  std::filesystem::path PackagePath;
  std::vector<PackageModelEntry> Entries;
};

// The player classes a localisation file declares ("Package.Class"), in file order.
std::vector<std::string> ReadPlayerClassNames(const std::filesystem::path& intFile);

// Lists the models of a package into `package`, which the caller keeps open to
// read the chosen one. With useInt, `chosenFile` is the package's localisation
// file and the models are its player classes; otherwise it is the package and
// the models are its mesh objects. Finding none is a ModelNotice.
PackageModelList ListPackageModels(unrealpkg::TUTPackage& package, const std::filesystem::path& chosenFile,
                                   bool useInt);

}  // namespace modelcompiler
