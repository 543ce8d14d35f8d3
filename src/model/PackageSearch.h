#pragma once

#include <filesystem>
#include <string>

namespace model {

struct PackageSearchDefaults {
  std::filesystem::path Directory;
  std::string Extension;
};

// Where the preview looks for a model's Unreal package: the game's System
// folder for Unreal Tournament models, the program home for the others; the
// extension is always ".U" (matched without regard to case on this system).
PackageSearchDefaults GetPackageSearchDefaults(bool forUnrealTournament, const std::filesystem::path& home);

}  // namespace model
