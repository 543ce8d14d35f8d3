#pragma once

#include <cstddef>
#include <iterator>
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

class SkinNode;

// The children of a node, read-only.
class SkinNodeRange {
public:
  using Nodes = std::vector<std::unique_ptr<SkinNode>>;

  class Iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = SkinNode;
    using difference_type = std::ptrdiff_t;
    using pointer = const SkinNode*;
    using reference = const SkinNode&;

    Iterator() = default;
    explicit Iterator(Nodes::const_iterator at) : at_(at) {}
    const SkinNode& operator*() const { return **at_; }
    const SkinNode* operator->() const { return at_->get(); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) { return Iterator(at_++); }
    friend bool operator==(const Iterator&, const Iterator&) = default;

  private:
    Nodes::const_iterator at_;
  };

  explicit SkinNodeRange(const Nodes& nodes) : nodes_(&nodes) {}
  Iterator begin() const { return Iterator(nodes_->begin()); }
  Iterator end() const { return Iterator(nodes_->end()); }
  std::size_t size() const { return nodes_->size(); }
  bool empty() const { return nodes_->empty(); }
  const SkinNode& operator[](std::size_t row) const { return *(*nodes_)[row]; }

private:
  const Nodes* nodes_;
};

// A node of the skin tree: the project, a skin, one of the model's sections
// under a skin, or a texture of that section. Nodes hold what identifies them
// (a skin its code and description, a section its number, a texture its
// entry); captions are made from that, never parsed back. Only the document
// changes nodes; everyone else reads them.
class SkinNode {
public:
  SkinNode(const SkinNode&) = delete;
  SkinNode& operator=(const SkinNode&) = delete;

  NodeKind Kind() const { return kind_; }
  int Depth() const { return static_cast<int>(kind_); }
  const SkinNode* Parent() const { return parent_; }
  SkinNodeRange Children() const { return SkinNodeRange(children_); }
  // The position among the parent's children; 0 for the project.
  int Row() const;

  // Project: the file name without extension (and the model prefix); skin:
  // description + " (" + code + ")"; section: its name in the model; texture:
  // description + " (" + identifier + ")".
  std::string Caption() const;

  // Skin nodes: the four letters in lower case, and the description.
  const std::string& Code() const { return code_; }
  const std::string& Description() const { return text_; }
  // Section nodes: the section's position in the model's sections, and its number.
  int SectionIndex() const { return sectionIndex_; }
  int SectionNumber() const { return sectionNumber_; }
  // Texture nodes: the texture entry.
  const TObjetoTextura& Texture() const;

  // The skin a node belongs to (itself for a skin); nullptr above skins.
  const SkinNode* Skin() const;

private:
  friend class ProjectDocument;
  friend class DocumentEditor;

  SkinNode(NodeKind kind, SkinNode* parent) : kind_(kind), parent_(parent) {}
  static std::unique_ptr<SkinNode> Make(NodeKind kind) { return std::unique_ptr<SkinNode>(new SkinNode(kind, nullptr)); }
  std::unique_ptr<SkinNode> Clone(SkinNode* parent) const;

  NodeKind kind_;
  SkinNode* parent_;
  std::vector<std::unique_ptr<SkinNode>> children_;
  // The project's caption, a skin's description, a section's name.
  std::string text_;
  std::string code_;
  int sectionIndex_ = -1;
  int sectionNumber_ = 0;
  std::unique_ptr<TObjetoTextura> texture_;
};

// The first skin whose code is this one, compared ignoring letter case, or nullptr.
const SkinNode* FindSkinByCode(const SkinNode& root, std::string_view code);
// The section node of a skin with this section number, or nullptr.
const SkinNode* FindSection(const SkinNode& skin, int number);
// The texture of the first child of a section whose description has this
// one's team label exactly and the same face (SameFace), or nullptr: how the
// preview finds "<Red Team>" + face whatever case the textures write it in.
const TObjetoTextura* SearchTexture(const SkinNode& section, std::string_view description);
// The node of that texture, or nullptr.
const SkinNode* SearchTextureNode(const SkinNode& section, std::string_view description);

// Every texture node below a node, in tree order.
std::vector<const SkinNode*> TextureNodes(const SkinNode& node);

// Whether a sorts before b among siblings: sections by number; textures by
// identifier with team variants last; skins by caption, by character codes.
bool SortsBefore(const SkinNode& a, const SkinNode& b);

}  // namespace project
