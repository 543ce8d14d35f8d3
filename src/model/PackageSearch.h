#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace model {

struct PackageSearchDefaults {
  std::filesystem::path Directory;
  std::string Extension;
};

// Where the preview looks for a model's Unreal package: the game's System
// folder for Unreal Tournament models, the program home for the others; the
// extension is always ".U" (matched without regard to case on this system).
PackageSearchDefaults GetPackageSearchDefaults(bool forUnrealTournament, const std::filesystem::path& home);

// The file of a definition's mesh package ("SoldierSkins" of "SoldierSkins.Soldier"):
// in the search defaults' folder, else in the program home, else in `alsoIn`
// when given (the definition's own folder); letter case is ignored, as
// definitions name packages the way Windows users typed them.
std::optional<std::filesystem::path> FindModelPackage(bool forUnrealTournament, const std::filesystem::path& home,
                                                      std::string_view packageName,
                                                      const std::filesystem::path& alsoIn = {});

}  // namespace model
