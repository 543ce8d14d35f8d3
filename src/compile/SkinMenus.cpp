#include "compile/SkinMenus.h"

#include <algorithm>
#include <set>

#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "project/ProjectDocument.h"

namespace compile {

namespace {

std::string TeamName(int team) {
  static const char* const names[] = {"red", "blue", "green", "gold"};
  return team >= 0 && team < 4 ? names[team] : "team " + std::to_string(team);
}

}  // namespace

MenuRole MenuRoleOf(const model::TModelo& model, const project::SkinNode& skin, const model::TModeloPart& part,
                    const project::SkinNode& texture, const std::string& name) {
  const std::string& identifier = texture.Texture().Identifier;
  if (identifier.empty())
    return !model.SingleSkin || platform::EqualsIgnoreCase(name, skin.Code()) ? MenuRole::Skin : MenuRole::None;
  const model::IdentifierParts parts = model::SplitIdentifier(identifier);
  const bool face = part.Has(model::FACE) && !part.Has(model::TALKTEXTURE) && parts.Team < 0 && !parts.Face.empty();
  return face ? MenuRole::Face : MenuRole::None;
}

// The package still serves those who name an unlisted skin, so this warns instead of refusing.
std::string UnlistedSkinWarning(const model::TModelo& model, const project::SkinNode& skin, bool listed) {
  const std::string who = "The skin \"" + skin.Caption() + "\"";
  if (listed && !skin.Description().empty()) return {};
  if (listed) return who + " has no description, so the game's skin menu does not list it.";
  if (!model.SingleSkin)
    return who + " has no default texture (one of no team and no face), so the game's skin menu does not list it.";
  return who + " has no texture named " + skin.Code() + ", so the game's skin menu does not list it.";
}

std::vector<std::string> MissingRequiredWarnings(const project::ProjectDocument& document, const project::SkinNode& skin) {
  std::vector<std::string> warnings;
  for (const project::SkinNode& section : skin.Children()) {
    const model::TModeloSection& modelSection = document.SectionOf(section);
    if (!modelSection.Part.Has(model::REQUIRED)) continue;
    const bool present = std::any_of(section.Children().begin(), section.Children().end(),
                                     [](const project::SkinNode& texture) { return texture.Texture().Identifier.empty(); });
    if (!present)
      warnings.push_back("The skin \"" + skin.Caption() + "\" has no default texture in the section " +
                         modelSection.Name + " (" + std::to_string(section.SectionNumber()) +
                         "), which the game needs: without it the game shows the model's default skin instead.");
  }
  return warnings;
}

std::vector<std::string> MissingVariantWarnings(const project::ProjectDocument& document,
                                                const project::SkinNode& skin) {
  std::set<int> teams;
  std::set<std::string> faces;
  const project::SkinNode* talk = nullptr;
  for (const project::SkinNode& section : skin.Children()) {
    const model::TModeloPart& part = document.SectionOf(section).Part;
    if (part.Has(model::TALKTEXTURE) && part.Has(model::FACE)) talk = &section;
    for (const project::SkinNode& texture : section.Children()) {
      const model::IdentifierParts parts = model::SplitIdentifier(texture.Texture().Identifier);
      if (parts.Team >= 0 && part.Has(model::TEAM)) teams.insert(parts.Team);
      if (!parts.Face.empty() && part.Has(model::FACE) && !part.Has(model::TALKTEXTURE)) faces.insert(parts.Face);
    }
  }
  const auto holds = [](const project::SkinNode& section, int team, const std::string& face) {
    return std::any_of(section.Children().begin(), section.Children().end(), [&](const project::SkinNode& texture) {
      const model::IdentifierParts parts = model::SplitIdentifier(texture.Texture().Identifier);
      return parts.Team == team && platform::EqualsIgnoreCase(parts.Face, face);
    });
  };
  std::vector<std::string> warnings;
  for (const project::SkinNode& section : skin.Children()) {
    const model::TModeloSection& modelSection = document.SectionOf(section);
    if (!modelSection.Part.Has(model::TEAM) || modelSection.Part.Has(model::TALKTEXTURE) || section.Children().empty())
      continue;
    for (const int team : teams)
      if (!holds(section, team, {}))
        warnings.push_back("The skin \"" + skin.Caption() + "\" has no " + TeamName(team) + " team texture in the section " +
                           modelSection.Name + " (" + std::to_string(section.SectionNumber()) +
                           "), although it has one elsewhere: the game shows that team its default texture there.");
  }
  if (talk)
    for (const std::string& face : faces)
      if (!holds(*talk, -1, face))
        warnings.push_back("The face " + face + " of the skin \"" + skin.Caption() + "\" has no talk texture in the section " +
                           document.SectionOf(*talk).Name + " (" + std::to_string(talk->SectionNumber()) +
                           "): the game shows the skin's default talk texture for it.");
  return warnings;
}

}  // namespace compile
