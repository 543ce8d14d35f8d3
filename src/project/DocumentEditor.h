#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "project/ProjectDocument.h"

namespace project {

class ProjectListener;

// The one place where the tree, the options, the file name and the modified
// flag of a document change, so that every change reaches its listeners in
// order. The commands and the document's own operations go through it; views
// never do.
class DocumentEditor {
public:
  explicit DocumentEditor(ProjectDocument& document) : document_(document) {}

  // Nodes made outside the tree, to be inserted: a skin with one section node
  // per section of the model, a texture holding its entry.
  static std::unique_ptr<SkinNode> MakeSkin(const model::TModelo& model, std::string code, std::string description);
  static std::unique_ptr<SkinNode> MakeTexture(std::unique_ptr<TObjetoTextura> entry);
  // Puts a node below one its maker owns outside any document, where sorting
  // puts it; no one hears.
  static const SkinNode& Attach(const SkinNode& detachedParent, std::unique_ptr<SkinNode> node);

  // Inserts a node with everything below it where sorting puts it among the
  // parent's children.
  const SkinNode& Insert(const SkinNode& parent, std::unique_ptr<SkinNode> node);
  // Takes a node with everything below it out of the tree.
  std::unique_ptr<SkinNode> Remove(const SkinNode& node);
  // A skin's new code and description; the skins take their order again.
  void SetSkin(const SkinNode& skin, std::string code, std::string description);
  // A texture's new identifier and description; its section takes its order again.
  void SetTexture(const SkinNode& texture, std::string identifier, std::string description);
  void SetOptions(const ProjectOptions& options);
  void SetModified(bool modified);
  void SetFileName(const std::filesystem::path& file, std::string rootCaption);

  // The texture entry, for a change the caller then announces.
  TObjetoTextura& Entry(const SkinNode& texture);
  void Changed(const SkinNode& node);
  void PixelsChanged(const SkinNode& texture);
  void PaletteChanged(const SkinNode& texture);

private:
  template <class Notice>
  void Tell(Notice notice);
  void Sort(SkinNode& parent);

  ProjectDocument& document_;
};

}  // namespace project
