#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/TObjetoTextura.h"

namespace model {
class TModelo;
}

namespace project {

// The depth of a node in the skin tree.
enum class NodeKind { Project = 0, Skin = 1, Section = 2, Texture = 3 };

// A node of the skin tree: the project, a skin, one of the model's sections
// under a skin, or a texture of that section.
class SkinNode {
public:
  SkinNode(NodeKind kind, std::string caption, SkinNode* parent) : Kind(kind), Caption(std::move(caption)), Parent(parent) {}

  NodeKind Kind;
  std::string Caption;
  SkinNode* Parent;
  // Section nodes: the section's position in the model's sections.
  int SectionIndex = -1;
  // Texture nodes: the texture, owned by the node.
  std::unique_ptr<TObjetoTextura> Texture;
  std::vector<std::unique_ptr<SkinNode>> Children;

  int Depth() const { return static_cast<int>(Kind); }
  SkinNode& Add(NodeKind kind, std::string caption);
  void Remove(const SkinNode& child);
  // The skin a node belongs to (itself for a skin); nullptr above skins.
  SkinNode* Skin();
};

// The first child captioned exactly so, or nullptr.
SkinNode* FindChildByCaption(SkinNode& node, std::string_view caption);
// The first skin whose caption holds this code between its "(" and its end.
SkinNode* FindSkinByCode(SkinNode& root, std::string_view code);
// The texture of the first child of a section whose caption, up to its first
// " (", equals the description.
TObjetoTextura* SearchTexture(SkinNode& section, std::string_view description);

// Every texture node below a node, in tree order.
std::vector<SkinNode*> TextureNodes(SkinNode& node);

// Sorts siblings everywhere below the root: sections by number; textures by
// identifier with team variants last; everything else by caption.
void SortTree(SkinNode& root, const model::TModelo& model);

}  // namespace project
