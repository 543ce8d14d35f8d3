#include "preview/PreviewChoices.h"

#include <algorithm>
#include <string_view>

#include "model/TModelo.h"
#include "model/TextureNames.h"
#include "project/SkinTree.h"
#include "project/TeamLabels.h"

namespace preview {

namespace {

using Sameness = bool (*)(std::string_view, std::string_view);

bool Equal(std::string_view a, std::string_view b) { return a == b; }

int IndexOf(const std::vector<std::string>& list, std::string_view entry, Sameness same) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const std::string& e) { return same(e, entry); });
  return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void AddOnce(std::vector<std::string>& list, std::string entry, Sameness same) {
  if (IndexOf(list, entry, same) < 0) list.push_back(std::move(entry));
}

int Kept(const std::vector<std::string>& choices, const std::string& old, Sameness same) {
  const int found = IndexOf(choices, old, same);
  if (found >= 0) return found;
  return choices.empty() ? -1 : 0;
}

}  // namespace

std::vector<const project::SkinNode*> SkinChoices(const project::SkinNode& root) {
  std::vector<const project::SkinNode*> skins;
  for (const project::SkinNode& skin : root.Children()) skins.push_back(&skin);
  return skins;
}

std::vector<std::string> TeamChoices(const project::SkinNode* skin, const std::vector<int>& sharedSections) {
  if (!skin) return {};
  std::vector<std::string> teams{std::string(project::DefaultLabel)};
  const auto add = [&](const project::SkinNode& node) {
    for (const project::SkinNode* texture : project::TextureNodes(node)) {
      const std::string caption = texture->Caption();
      if (caption.find(" Team>") == std::string::npos) continue;
      AddOnce(teams, caption.substr(0, caption.find('>') + 1), Equal);
    }
  };
  add(*skin);
  if (skin->Parent())
    for (const project::SkinNode& other : skin->Parent()->Children())
      for (const int number : sharedSections)
        if (const project::SkinNode* section = project::FindSection(other, number); section && &other != skin)
          add(*section);
  return teams;
}

std::vector<int> SharedTeamSections(const model::TModelo& definition) {
  std::vector<int> shared;
  for (const model::TModeloSection& section : definition.Sections)
    if (section.Part.Has(model::TEAM) && model::NamedAlikeForEverySkin(section.Part.FormatTeamNoFace))
      shared.push_back(section.Part.Number());
  return shared;
}

std::vector<std::string> FaceChoices(const project::SkinNode* skin) {
  if (!skin) return {};
  std::vector<std::string> faces{std::string(project::DefaultLabel)};
  for (const project::SkinNode* texture : project::TextureNodes(*skin)) {
    std::string face = project::FaceOfDescription(texture->Texture().Description);
    if (!face.empty()) AddOnce(faces, std::move(face), project::SameFace);
  }
  return faces;
}

int KeptChoice(const std::vector<std::string>& choices, const std::string& old) { return Kept(choices, old, Equal); }

int KeptFace(const std::vector<std::string>& faces, const std::string& old) {
  return Kept(faces, old, project::SameFace);
}

}  // namespace preview
