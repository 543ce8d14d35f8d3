#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
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

// What a player class's defaults say about how its scripts dress it in skins.
struct ClassSkinFacts {
  // Empty for a mesh listed without a player class: no scripts are known.
  std::string ClassName;
  // bIsMultiSkinned as the nearest class of the chain stores it, and that class.
  std::optional<bool> MultiSkinned;
  std::string MultiSkinnedIn;
  // The parent the chain could not reach ("Botpack.TournamentMale"), empty
  // when it reached its root.
  std::string MissingParent;
  // The skin worn without a choice ("TSkMSkins.Warr"), and the package the
  // scripts add to a skin named without one ("TSkMSkins.").
  std::string DefaultSkinName;
  std::string DefaultPackage;
  // Textures the class itself puts on mesh sections (MultiSkins), by index.
  std::array<std::string, 8> FixedTextures;
  // The skin slots (FixedSkin, FaceSkin...) no class of the chain stores.
  std::vector<std::string> UnstoredSlots;
};

struct PackageModelEntry {
  // The class's description in the localisation file, as the game's menus
  // show it; else its MenuName, else its object name.
  std::string Caption;
  std::string MenuName;
  // The player class's or the mesh's object name.
  std::string ObjectName;
  TMeshItem Item;
  ClassSkinFacts Facts;
  // Values that took their defaults because a parent class was not found.
  std::vector<std::string> Notes;
};

// The models of a package, in caption order.
struct PackageModelList {
  std::filesystem::path PackagePath;
  std::vector<PackageModelEntry> Entries;
};

// A player class a localisation file declares: "Package.Class", and the
// description the game's menus show for it.
struct DeclaredPlayerClass {
  std::string Name;
  std::string Description;
  friend bool operator==(const DeclaredPlayerClass&, const DeclaredPlayerClass&) = default;
};

// The player classes a localisation file declares, in file order.
std::vector<DeclaredPlayerClass> ReadPlayerClassNames(const std::filesystem::path& intFile);

// A declared class that gives no model, and why.
struct SkippedPlayerClass {
  DeclaredPlayerClass Class;
  std::string Reason;
};

// Opens `packagePath` into `package` and lists the models of the declared
// classes it holds, in caption order. With `skipped`, a class that gives no
// model (missing, without a mesh, unreadable) is put there with the reason;
// without it, such a class is left out and a read failure is thrown.
PackageModelList ListDeclaredPlayerClasses(unrealpkg::TUTPackage& package, const std::filesystem::path& packagePath,
                                           const std::vector<DeclaredPlayerClass>& classes,
                                           std::vector<SkippedPlayerClass>* skipped);

// Lists the models of a package into `package`, which the caller keeps open to
// read the chosen one. With useInt, `chosenFile` is the package's localisation
// file and the models are its player classes; otherwise it is the package and
// the models are its mesh objects. Finding none is a ModelNotice.
PackageModelList ListPackageModels(unrealpkg::TUTPackage& package, const std::filesystem::path& chosenFile,
                                   bool useInt);

}  // namespace modelcompiler
