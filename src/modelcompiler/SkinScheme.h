#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modelcompiler/DefaultSkinPackage.h"
#include "modelcompiler/PackageModelList.h"

namespace modelcompiler {

// One texture section as the model's scripts load it.
struct SchemeSection {
  int Number = 0;
  std::string Name;
  bool Team = false;
  bool Face = false;
  bool Talk = false;
  bool NoInt = false;
  // The game needs its default texture in every skin.
  bool Required = false;
  // Empty for the usual "%SKIN%%SECTION%..." names.
  std::string FormatNoTeamNoFace;
  std::string FormatTeamNoFace;
};

// How the game names the textures of a model's skins: the sections its
// scripts load and the names they ask for, with where each decision came from.
struct SkinScheme {
  // One texture named by the skin's whole name, rather than a code and a
  // section digit per section.
  bool SingleSkin = false;
  // By number.
  std::vector<SchemeSection> Sections;
  // One line per decision, saying what it rests on.
  std::vector<std::string> Reasons;
  // Values inferred because a parent class is missing, and from what.
  std::vector<std::string> Notes;
};

// Decides from the class's defaults (the chain's stored values first), then
// from the model's default skin package, and from the materials the mesh
// draws with (`skinMaterials`, the texture indexes that get sections).
SkinScheme DecideSkinScheme(const ClassSkinFacts& facts, const TMeshItem& slots, const DefaultSkinPackage& package,
                            const std::vector<std::int32_t>& skinMaterials);

}  // namespace modelcompiler
