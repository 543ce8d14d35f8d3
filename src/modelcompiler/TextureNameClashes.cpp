#include "modelcompiler/TextureNameClashes.h"

#include <vector>

#include "model/TModelo.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"

namespace modelcompiler {

namespace {

// A texture a section may hold, named with the skin code and face left as
// placeholders: names equal that way are equal for every skin and face.
struct Variant {
  std::string Name;
  std::string What;
};

constexpr int TeamCount = 4;

std::vector<Variant> Variants(const model::TModeloPart& part, int number) {
  const char* skin = "%SKIN%";
  const char* face = "%FACE%";
  std::vector<Variant> variants{{model::ExpandNameFormat(part.FormatNoTeamNoFace, skin, number, -1, ""), "default texture"}};
  if (part.Has(model::FACE))
    variants.push_back({model::ExpandNameFormat(part.FormatNoTeamFace, skin, number, -1, face), "face texture"});
  if (part.Has(model::TEAM))
    for (int team = 0; team < TeamCount; ++team) {
      const std::string label = "team " + std::to_string(team);
      variants.push_back({model::ExpandNameFormat(part.FormatTeamNoFace, skin, number, team, ""), label + " texture"});
      if (part.Has(model::FACE))
        variants.push_back(
            {model::ExpandNameFormat(part.FormatTeamFace, skin, number, team, face), label + " face texture"});
    }
  return variants;
}

std::string SectionLabel(const model::TModeloSection& section) {
  return std::to_string(section.Part.Number()) + " (" + section.Name + ")";
}

}  // namespace

std::string DescribeTextureNameClashes(const model::TModelo& definition) {
  std::vector<std::vector<Variant>> variants;
  for (const model::TModeloSection& section : definition.Sections)
    variants.push_back(Variants(section.Part, section.Part.Number()));
  std::string pairs;
  for (std::size_t a = 0; a < variants.size(); ++a)
    for (std::size_t b = a + 1; b < variants.size(); ++b) {
      const Variant* first = nullptr;
      const Variant* second = nullptr;
      for (const Variant& left : variants[a])
        for (const Variant& right : variants[b])
          if (!first && platform::EqualsIgnoreCase(left.Name, right.Name)) {
            first = &left;
            second = &right;
          }
      if (!first) continue;
      const std::string left = SectionLabel(definition.Sections[a]);
      const std::string right = SectionLabel(definition.Sections[b]);
      pairs += first->What == second->What
                   ? "\n- sections " + left + " and " + right + " would both name their " + first->What
                   : "\n- section " + left + " would name its " + first->What + " and section " + right + " its " +
                         second->What;
      pairs += " \"" + first->Name + "\"";
    }
  if (pairs.empty()) return {};
  return "The model " + definition.Prefix +
         " would give textures of two sections the same name, and a package can hold only one of them:" + pairs +
         "\nA project for this model can give such a texture to only one of the sections. Give the sections name "
         "formats of their own in the model's definition to use both.";
}

}  // namespace modelcompiler
