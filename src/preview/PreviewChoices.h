#pragma once

#include <string>
#include <vector>

namespace model {
class TModelo;
}
namespace project {
class SkinNode;
}

namespace preview {

// The preview's skin, team and face lists, made from the texture tree.

// Every skin of the project, in tree order.
std::vector<const project::SkinNode*> SkinChoices(const project::SkinNode& root);
// "< Default >", then the team label of every team variant of the skin, once
// each, in tree order; then those of other skins' variants in
// `sharedSections`, whose team textures every skin shares.
std::vector<std::string> TeamChoices(const project::SkinNode* skin, const std::vector<int>& sharedSections = {});
// The sections whose team textures are named alike for every skin.
std::vector<int> SharedTeamSections(const model::TModelo& definition);
// "< Default >", then every face the skin's textures name, once each
// (project::SameFace), as first written in tree order.
std::vector<std::string> FaceChoices(const project::SkinNode* skin);

// What the three lists hold and which entry each has selected (-1 for none).
struct Selection {
  const project::SkinNode* Skin = nullptr;
  std::string Team;
  int TeamIndex = -1;
  std::string Face;
  int FaceIndex = -1;
};

// The entry of a rebuilt list that keeps the old choice where it still exists, else the first.
int KeptChoice(const std::vector<std::string>& choices, const std::string& old);
// The same for the face list, where a face keeps its entry whatever case it is now written in.
int KeptFace(const std::vector<std::string>& faces, const std::string& old);

}  // namespace preview
