#pragma once

#include <vector>

namespace project {

class SkinNode;

// What a view of the document hears about its changes, in the order they
// happen. Rows count among the parent's children. A node is inserted and
// removed with everything below it. Every member does nothing by default.
class ProjectListener {
public:
  virtual ~ProjectListener() = default;

  virtual void NodeAboutToBeInserted(const SkinNode& /*parent*/, int /*row*/) {}
  virtual void NodeInserted(const SkinNode& /*parent*/, int /*row*/) {}
  virtual void NodeAboutToBeRemoved(const SkinNode& /*parent*/, int /*row*/) {}
  virtual void NodeRemoved(const SkinNode& /*parent*/, int /*row*/) {}
  // Its caption, or what it stands for, changed.
  virtual void NodeChanged(const SkinNode& /*node*/) {}
  // The children of a parent are about to take another order, and have:
  // oldRows[newRow] is where the child now at newRow was before.
  virtual void ChildrenAboutToBeSorted(const SkinNode& /*parent*/) {}
  virtual void ChildrenSorted(const SkinNode& /*parent*/, const std::vector<int>& /*oldRows*/) {}
  virtual void ModifiedChanged(bool /*modified*/) {}
  virtual void OptionsChanged() {}
  // A texture's source picture changed (painting, a reload from its file).
  virtual void TexturePixelsChanged(const SkinNode& /*texture*/) {}
  // A texture's working bitmap or palette changed (palette generation).
  virtual void TexturePaletteChanged(const SkinNode& /*texture*/) {}
  // The document's file name changed (Save As).
  virtual void FileNameChanged() {}
};

}  // namespace project
