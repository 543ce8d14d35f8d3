#include "project/SkinTree.h"

#include <algorithm>
#include <stdexcept>

#include "model/TModelo.h"
#include "platform/AsciiText.h"
#include "project/TeamLabels.h"

namespace project {

SkinNode& SkinNode::Add(NodeKind kind, std::string caption) {
  Children.push_back(std::make_unique<SkinNode>(kind, std::move(caption), this));
  return *Children.back();
}

void SkinNode::Remove(const SkinNode& child) {
  std::erase_if(Children, [&](const std::unique_ptr<SkinNode>& node) { return node.get() == &child; });
}

SkinNode* SkinNode::Skin() {
  SkinNode* node = this;
  while (node && node->Kind != NodeKind::Skin) node = node->Kind == NodeKind::Project ? nullptr : node->Parent;
  return node;
}

SkinNode* FindChildByCaption(SkinNode& node, std::string_view caption) {
  for (const auto& child : node.Children)
    if (child->Caption == caption) return child.get();
  return nullptr;
}

SkinNode* FindSkinByCode(SkinNode& root, std::string_view code) {
  for (const auto& child : root.Children)
    if (CaptionKey(child->Caption) == code) return child.get();
  return nullptr;
}

TObjetoTextura* SearchTexture(SkinNode& section, std::string_view description) {
  try {
    for (const auto& child : section.Children) {
      const std::string_view caption = child->Caption;
      if (caption.substr(0, caption.find(" (")) == description) return child->Texture.get();
    }
    return nullptr;
  } catch (const std::exception& e) {
    throw std::runtime_error(std::string("SearchTexture: ") + e.what());
  }
}

std::vector<SkinNode*> TextureNodes(SkinNode& node) {
  std::vector<SkinNode*> textures;
  if (node.Kind == NodeKind::Texture) textures.push_back(&node);
  for (const auto& child : node.Children) {
    const std::vector<SkinNode*> below = TextureNodes(*child);
    textures.insert(textures.end(), below.begin(), below.end());
  }
  return textures;
}

namespace {

// Team variants sort after the default texture and the face variants.
std::string TextureSortKey(const SkinNode& node) {
  std::string identifier = CaptionKey(node.Caption);
  if (platform::StartsWithIgnoreCase(identifier, "t_")) identifier.insert(identifier.begin(), '\xFF');
  return identifier;
}

bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

bool NodeLess(const SkinNode& a, const SkinNode& b, const model::TModelo& model) {
  if (a.Kind != b.Kind) return false;
  switch (a.Kind) {
    case NodeKind::Section: {
      auto number = [&](const SkinNode& n) {
        return n.SectionIndex >= 0 && n.SectionIndex < static_cast<int>(model.Sections.size())
                   ? model.Sections[static_cast<std::size_t>(n.SectionIndex)].Part.Number()
                   : -1;
      };
      return number(a) < number(b);
    }
    case NodeKind::Texture:
      return ByteLess(TextureSortKey(a), TextureSortKey(b));
    default:
      return ByteLess(a.Caption, b.Caption);
  }
}

}  // namespace

void SortTree(SkinNode& root, const model::TModelo& model) {
  std::stable_sort(root.Children.begin(), root.Children.end(),
                   [&](const auto& a, const auto& b) { return NodeLess(*a, *b, model); });
  for (const auto& child : root.Children) SortTree(*child, model);
}

}  // namespace project
