#include "modelcompiler/MaterialList.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

#include "platform/AsciiText.h"

namespace modelcompiler {

namespace {

// The name in upper case up to the first ".".
std::string BaseName(std::string_view name) {
  std::string base = platform::ToUpperAscii(name);
  base.erase(std::min(base.find('.'), base.size()));
  return base;
}

bool IsSkin(const std::string& base) { return base == "SKIN" || base == "SKIN0"; }

}  // namespace

std::vector<MaterialListEntry> BuildMaterialList(const model3d::TObjeto3D& model) {
  std::vector<MaterialListEntry> list;
  for (std::size_t k = 0; k <= model.Materials.size(); ++k)
    list.push_back({"Unused material #" + std::to_string(k), static_cast<int>(k)});
  std::size_t slots = 1;
  for (const model3d::TMaterial3D& material : model.Materials) {
    const std::string base = BaseName(material.Name);
    const auto listed = list.begin() + static_cast<std::ptrdiff_t>(slots);
    if (std::find_if(list.begin(), listed, [&](const MaterialListEntry& e) { return e.Name == base; }) != listed)
      continue;
    const std::size_t slot = IsSkin(base) ? 0 : slots++;
    list[slot] = {base, static_cast<int>(slot)};
  }
  list.resize(slots);
  return list;
}

int MoveMaterialUp(std::vector<MaterialListEntry>& list, int selected) {
  if (selected <= 0 || static_cast<std::size_t>(selected) >= list.size()) return selected;
  std::swap(list[static_cast<std::size_t>(selected)], list[static_cast<std::size_t>(selected) - 1]);
  return selected - 1;
}

int MoveMaterialDown(std::vector<MaterialListEntry>& list, int selected) {
  if (selected < 0 || static_cast<std::size_t>(selected) + 1 >= list.size()) return selected;
  std::swap(list[static_cast<std::size_t>(selected)], list[static_cast<std::size_t>(selected) + 1]);
  return selected + 1;
}

void AdjustMaterials(model3d::TObjeto3D& model, const std::vector<MaterialListEntry>& list) {
  if (model.Materials.empty()) return;
  std::vector<std::int8_t> noted;
  for (const model3d::TTriangle3D& triangle : model.Triangles) noted.push_back(triangle.Material);
  // Without a skin, slot 0 stays empty and the other slots run up to the material count.
  std::vector<model3d::TMaterial3D> adjusted(std::max(model.Materials.size() + 1, list.size()));
  std::vector<bool> filled(adjusted.size());
  std::size_t slots = 1;
  for (std::size_t i = 0; i < model.Materials.size(); ++i) {
    const std::string base = BaseName(model.Materials[i].Name);
    const std::int32_t flags = MaterialFlagsFromName(model.Materials[i].Name);
    // Any entry an earlier material filled is a hit: the user's order can put it past the slot counter.
    std::size_t slot = 0;
    while (slot < adjusted.size() && !(filled[slot] && adjusted[slot].Name == base)) ++slot;
    if (slot < adjusted.size()) {
      adjusted[slot].Flags |= flags;
    } else {
      slot = IsSkin(base) ? 0 : slots++;
      const auto entry = std::find_if(list.begin(), list.end(),
                                      [&](const MaterialListEntry& e) { return e.Slot == static_cast<int>(slot); });
      if (entry != list.end()) slot = static_cast<std::size_t>(entry - list.begin());
      adjusted[slot] = {base, flags};
      filled[slot] = true;
    }
    for (std::size_t t = 0; t < noted.size(); ++t) {
      if (noted[t] != static_cast<int>(i)) continue;
      if (slot > static_cast<std::size_t>(std::numeric_limits<std::int8_t>::max()))
        throw std::runtime_error("The material " + model.Materials[i].Name + " would take slot " +
                                 std::to_string(slot) + "; triangles use at most 128 materials");
      model.Triangles[t].Material = static_cast<std::int8_t>(slot);
    }
  }
  // A list that does not match the model may fill entries past the counter; they stay.
  const auto lastFilled = std::find(filled.rbegin(), filled.rend(), true);
  adjusted.resize(std::max(slots, static_cast<std::size_t>(filled.rend() - lastFilled)));
  model.Materials = std::move(adjusted);
}

std::int32_t MaterialFlagsFromName(std::string_view name) {
  const std::string upper = platform::ToUpperAscii(name);
  for (const auto& [suffix, flags] : {std::pair<const char*, std::int32_t>{".WEAP", model3d::WeaponMaterial},
                                      {".TWOS", model3d::StyleTwoSided},
                                      {".TRAN", model3d::StyleTranslucent},
                                      {".MASK", model3d::StyleMasked}})
    if (upper.find(suffix) != std::string::npos) return flags;
  return 0;
}

}  // namespace modelcompiler
