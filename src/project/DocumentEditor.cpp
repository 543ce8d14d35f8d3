#include "project/DocumentEditor.h"

#include <algorithm>
#include <numeric>

#include "project/ProjectListener.h"

namespace project {

template <class Notice>
void DocumentEditor::Tell(Notice notice) {
  // A listener may leave while it hears.
  const std::vector<ProjectListener*> listeners = document_.listeners_;
  for (ProjectListener* listener : listeners) notice(*listener);
}

namespace {

std::vector<std::unique_ptr<SkinNode>>::iterator SortedPlace(std::vector<std::unique_ptr<SkinNode>>& children,
                                                             const std::unique_ptr<SkinNode>& node) {
  return std::upper_bound(children.begin(), children.end(), node,
                          [](const auto& value, const auto& element) { return SortsBefore(*value, *element); });
}

}  // namespace

std::unique_ptr<SkinNode> DocumentEditor::MakeSkin(const model::TModelo& model, std::string code,
                                                   std::string description) {
  std::unique_ptr<SkinNode> skin = SkinNode::Make(NodeKind::Skin);
  skin->code_ = std::move(code);
  skin->text_ = std::move(description);
  for (std::size_t i = 0; i < model.Sections.size(); ++i) {
    std::unique_ptr<SkinNode> section = SkinNode::Make(NodeKind::Section);
    section->text_ = model.Sections[i].Name;
    section->sectionIndex_ = static_cast<int>(i);
    section->sectionNumber_ = model.Sections[i].Part.Number();
    Attach(*skin, std::move(section));
  }
  return skin;
}

std::unique_ptr<SkinNode> DocumentEditor::MakeTexture(std::unique_ptr<TObjetoTextura> entry) {
  std::unique_ptr<SkinNode> node = SkinNode::Make(NodeKind::Texture);
  node->texture_ = std::move(entry);
  return node;
}

const SkinNode& DocumentEditor::Attach(const SkinNode& detachedParent, std::unique_ptr<SkinNode> node) {
  // Outside a document no one else holds the parent: it may change.
  SkinNode& parent = const_cast<SkinNode&>(detachedParent);
  node->parent_ = &parent;
  return **parent.children_.insert(SortedPlace(parent.children_, node), std::move(node));
}

const SkinNode& DocumentEditor::Insert(const SkinNode& parentNode, std::unique_ptr<SkinNode> node) {
  SkinNode& parent = document_.Own(parentNode);
  auto& children = parent.children_;
  const auto at = SortedPlace(children, node);
  const int row = static_cast<int>(at - children.begin());
  Tell([&](ProjectListener& l) { l.NodeAboutToBeInserted(parent, row); });
  node->parent_ = &parent;
  const SkinNode& inserted = **children.insert(at, std::move(node));
  Tell([&](ProjectListener& l) { l.NodeInserted(parent, row); });
  return inserted;
}

std::unique_ptr<SkinNode> DocumentEditor::Remove(const SkinNode& nodeToRemove) {
  SkinNode& node = document_.Own(nodeToRemove);
  SkinNode& parent = *node.parent_;
  const int row = node.Row();
  Tell([&](ProjectListener& l) { l.NodeAboutToBeRemoved(parent, row); });
  std::unique_ptr<SkinNode> taken = std::move(parent.children_[static_cast<std::size_t>(row)]);
  parent.children_.erase(parent.children_.begin() + row);
  taken->parent_ = nullptr;
  Tell([&](ProjectListener& l) { l.NodeRemoved(parent, row); });
  return taken;
}

void DocumentEditor::Sort(SkinNode& parent) {
  auto& children = parent.children_;
  std::vector<int> oldRows(children.size());
  std::iota(oldRows.begin(), oldRows.end(), 0);
  std::stable_sort(oldRows.begin(), oldRows.end(), [&](int a, int b) {
    return SortsBefore(*children[static_cast<std::size_t>(a)], *children[static_cast<std::size_t>(b)]);
  });
  if (std::is_sorted(oldRows.begin(), oldRows.end())) return;
  Tell([&](ProjectListener& l) { l.ChildrenAboutToBeSorted(parent); });
  std::vector<std::unique_ptr<SkinNode>> sorted;
  sorted.reserve(children.size());
  for (const int old : oldRows) sorted.push_back(std::move(children[static_cast<std::size_t>(old)]));
  children = std::move(sorted);
  Tell([&](ProjectListener& l) { l.ChildrenSorted(parent, oldRows); });
}

void DocumentEditor::SetSkin(const SkinNode& skinNode, std::string code, std::string description) {
  SkinNode& skin = document_.Own(skinNode);
  skin.code_ = std::move(code);
  skin.text_ = std::move(description);
  Tell([&](ProjectListener& l) { l.NodeChanged(skin); });
  Sort(*skin.parent_);
}

void DocumentEditor::SetTexture(const SkinNode& textureNode, std::string identifier, std::string description) {
  SkinNode& texture = document_.Own(textureNode);
  texture.texture_->Identifier = std::move(identifier);
  texture.texture_->Description = std::move(description);
  Tell([&](ProjectListener& l) { l.NodeChanged(texture); });
  Sort(*texture.parent_);
}

void DocumentEditor::SetOptions(const ProjectOptions& options) {
  document_.options_ = options;
  Tell([](ProjectListener& l) { l.OptionsChanged(); });
}

void DocumentEditor::SetModified(bool modified) {
  if (document_.modified_ == modified) return;
  document_.modified_ = modified;
  Tell([&](ProjectListener& l) { l.ModifiedChanged(modified); });
}

void DocumentEditor::SetFileName(const std::filesystem::path& file, std::string rootCaption) {
  document_.fileName_ = file;
  document_.root_->text_ = std::move(rootCaption);
  Tell([&](ProjectListener& l) { l.NodeChanged(*document_.root_); });
  Tell([](ProjectListener& l) { l.FileNameChanged(); });
}

TObjetoTextura& DocumentEditor::Entry(const SkinNode& texture) { return *document_.Own(texture).texture_; }

void DocumentEditor::Changed(const SkinNode& node) {
  Tell([&](ProjectListener& l) { l.NodeChanged(node); });
}

void DocumentEditor::PixelsChanged(const SkinNode& texture) {
  Tell([&](ProjectListener& l) { l.TexturePixelsChanged(texture); });
}

void DocumentEditor::PaletteChanged(const SkinNode& texture) {
  Tell([&](ProjectListener& l) { l.TexturePaletteChanged(texture); });
}

}  // namespace project
