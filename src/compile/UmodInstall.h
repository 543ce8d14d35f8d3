#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "compile/UmodArchive.h"

namespace compile {

// What an archive's Manifest.ini says of itself.
struct UmodManifest {
  std::string Product;
  std::string Version;
};
UmodManifest ReadUmodManifest(const UmodContents& archive);

// The two manifests describe the archive to installers; they are not installed.
bool IsUmodManifest(const UmodEntry& entry);

// Where an entry goes under a folder: each folder of its path as it already
// exists there in any letter case ("system" for "System\"), else as the
// archive spells it; and whether a file is there to be replaced.
struct UmodPlacement {
  UmodEntry Entry;
  std::filesystem::path Target;
  bool Replaces = false;
};

// The placements of every entry under `folder`, manifests included or not.
std::vector<UmodPlacement> PlaceUmodEntries(const UmodContents& archive, const std::filesystem::path& folder,
                                            bool withManifests);

// The placements of an installation: every entry but the manifests, under a
// game directory that must exist (an archive unpacked into a folder made up
// on the spot is no installation).
std::vector<UmodPlacement> PlanUmodInstall(const UmodContents& archive, const std::filesystem::path& gameDirectory);

// Writes each placed entry's bytes, each file atomically, in order. A failure
// raises an UmodError that names the file and the files already replaced;
// the others are untouched.
void WriteUmodPlacements(const UmodContents& archive, const std::vector<UmodPlacement>& placements);

}  // namespace compile
