#include "preview/PreviewChoices.h"

#include <algorithm>

#include "project/SkinTree.h"
#include "project/TeamLabels.h"

namespace preview {

namespace {

void AddOnce(std::vector<std::string>& list, std::string entry) {
  if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(std::move(entry));
}

}  // namespace

std::vector<const project::SkinNode*> SkinChoices(const project::SkinNode& root) {
  std::vector<const project::SkinNode*> skins;
  for (const project::SkinNode& skin : root.Children()) skins.push_back(&skin);
  return skins;
}

std::vector<std::string> TeamChoices(const project::SkinNode* skin) {
  if (!skin) return {};
  std::vector<std::string> teams{std::string(project::DefaultLabel)};
  for (const project::SkinNode* texture : project::TextureNodes(*skin)) {
    const std::string caption = texture->Caption();
    if (caption.find(" Team>") == std::string::npos) continue;
    AddOnce(teams, caption.substr(0, caption.find('>') + 1));
  }
  return teams;
}

std::vector<std::string> FaceChoices(const project::SkinNode* skin) {
  if (!skin) return {};
  std::vector<std::string> faces{std::string(project::DefaultLabel)};
  for (const project::SkinNode* texture : project::TextureNodes(*skin)) {
    std::string face = project::FaceOfDescription(texture->Texture().Description);
    if (!face.empty()) AddOnce(faces, std::move(face));
  }
  return faces;
}

int KeptChoice(const std::vector<std::string>& choices, const std::string& old) {
  const auto found = std::find(choices.begin(), choices.end(), old);
  if (found != choices.end()) return static_cast<int>(found - choices.begin());
  return choices.empty() ? -1 : 0;
}

}  // namespace preview
