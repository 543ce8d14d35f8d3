#include "project/SkinTree.h"

#include <algorithm>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "project/TeamLabels.h"

namespace project {

int SkinNode::Row() const {
  if (!parent_) return 0;
  const auto& siblings = parent_->children_;
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return static_cast<int>(i);
  throw std::logic_error("A node is missing from its parent");
}

std::string SkinNode::Caption() const {
  switch (kind_) {
    case NodeKind::Skin: return SkinCaption(text_, code_);
    case NodeKind::Texture: return TextureCaption(texture_->Description, texture_->Identifier);
    default: return text_;
  }
}

const TObjetoTextura& SkinNode::Texture() const {
  if (!texture_) throw std::logic_error("\"" + Caption() + "\" is not a texture");
  return *texture_;
}

const SkinNode* SkinNode::Skin() const {
  const SkinNode* node = this;
  while (node && node->kind_ != NodeKind::Skin) node = node->kind_ == NodeKind::Project ? nullptr : node->parent_;
  return node;
}

std::unique_ptr<SkinNode> SkinNode::Clone(SkinNode* parent) const {
  std::unique_ptr<SkinNode> copy(new SkinNode(kind_, parent));
  copy->text_ = text_;
  copy->code_ = code_;
  copy->sectionIndex_ = sectionIndex_;
  copy->sectionNumber_ = sectionNumber_;
  if (texture_) copy->texture_ = std::make_unique<TObjetoTextura>(*texture_);
  for (const auto& child : children_) copy->children_.push_back(child->Clone(copy.get()));
  return copy;
}

const SkinNode* FindSkinByCode(const SkinNode& root, std::string_view code) {
  for (const SkinNode& skin : root.Children())
    if (platform::EqualsIgnoreCase(skin.Code(), code)) return &skin;
  return nullptr;
}

const SkinNode* FindSection(const SkinNode& skin, int number) {
  for (const SkinNode& section : skin.Children())
    if (section.SectionNumber() == number) return &section;
  return nullptr;
}

const SkinNode* SearchTextureNode(const SkinNode& section, std::string_view description) {
  const std::string_view label = LabelOfDescription(description);
  const std::string face = FaceOfDescription(description);
  for (const SkinNode& texture : section.Children()) {
    const std::string& candidate = texture.Texture().Description;
    if (LabelOfDescription(candidate) == label && SameFace(FaceOfDescription(candidate), face)) return &texture;
  }
  return nullptr;
}

const TObjetoTextura* SearchTexture(const SkinNode& section, std::string_view description) {
  const SkinNode* texture = SearchTextureNode(section, description);
  return texture ? &texture->Texture() : nullptr;
}

std::vector<const SkinNode*> TextureNodes(const SkinNode& node) {
  std::vector<const SkinNode*> textures;
  if (node.Kind() == NodeKind::Texture) textures.push_back(&node);
  for (const SkinNode& child : node.Children()) {
    const std::vector<const SkinNode*> below = TextureNodes(child);
    textures.insert(textures.end(), below.begin(), below.end());
  }
  return textures;
}

namespace {

// Team variants sort after the default texture and the face variants.
std::string TextureSortKey(const SkinNode& node) {
  std::string identifier = node.Texture().Identifier;
  if (platform::StartsWithIgnoreCase(identifier, "t_")) identifier.insert(identifier.begin(), '\xFF');
  return identifier;
}

bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

bool SortsBefore(const SkinNode& a, const SkinNode& b) {
  if (a.Kind() != b.Kind()) return false;
  switch (a.Kind()) {
    case NodeKind::Section: return a.SectionNumber() < b.SectionNumber();
    case NodeKind::Texture: return ByteLess(TextureSortKey(a), TextureSortKey(b));
    default: return ByteLess(a.Caption(), b.Caption());
  }
}

}  // namespace project
