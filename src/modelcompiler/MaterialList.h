#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model3d/TObjeto3D.h"

namespace modelcompiler {

// An entry of the material list the user orders before compiling an external
// model: a material base name and the slot it had when the list was built.
struct MaterialListEntry {
  std::string Name;
  int Slot = 0;
  friend bool operator==(const MaterialListEntry&, const MaterialListEntry&) = default;
};

// One entry per distinct base name (upper case, up to the first "."), in order
// of first appearance after slot 0, which is the skin ("SKIN" or "SKIN0") or an
// "Unused material #0" entry.
std::vector<MaterialListEntry> BuildMaterialList(const model3d::TObjeto3D& model);

// Exchange the selected entry with its neighbour; return the new selection
// (unchanged when it cannot move).
int MoveMaterialUp(std::vector<MaterialListEntry>& list, int selected);
int MoveMaterialDown(std::vector<MaterialListEntry>& list, int selected);

// Merges the materials by base name into the order of the list, OR-ing the
// flags their names give, and renumbers the triangles.
void AdjustMaterials(model3d::TObjeto3D& model, const std::vector<MaterialListEntry>& list);

// The first of ".WEAP" 8, ".TWOS" 1, ".TRAN" 3, ".MASK" 2 the name contains, ignoring case; else 0.
std::int32_t MaterialFlagsFromName(std::string_view name);

}  // namespace modelcompiler
