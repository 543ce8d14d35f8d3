#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/ProjectDocument.h"

namespace project {

// An edit of the project that can be undone. Making one checks it against
// the document as it stands (a refusal is a ProjectError the dialog shows as
// it stands) and reads the pictures it needs, so that Do cannot fail halfway.
// Do runs it, the first time and again for redo; Undo takes it back and
// restores the order of the tree and the modified flag as they were, except
// that a command undone after a save leaves the project modified. The
// commands of a document run in the order they were made and are undone in
// reverse. A command keeps what it took out of the tree (a deleted skin with
// its textures, unsaved paint included) until it is destroyed.
class ProjectCommand {
public:
  virtual ~ProjectCommand() = default;

  void Do(ProjectDocument& document);
  void Undo(ProjectDocument& document);
  // What Edit → Undo names: "New Skin", "Delete Texture"...
  virtual std::string Text() const = 0;
  // Whether the command no longer fits the document, as a paint step whose
  // texture was read again from its file since: Do and Undo then change nothing.
  virtual bool Stale() const { return false; }

protected:
  virtual void Apply(ProjectDocument& document) = 0;
  virtual void Revert(ProjectDocument& document) = 0;
  // Whether doing it leaves the project modified; a texture reverted to its
  // file changes nothing the project file holds.
  virtual bool MarksModified() const { return true; }

private:
  bool wasModified_ = false;
  int saveCount_ = 0;
};

// "New Skin...": a skin with one section node per section of the model. An
// empty description becomes "NewSkin".
std::unique_ptr<ProjectCommand> MakeNewSkin(const ProjectDocument& document, std::string_view description,
                                            std::string_view typedCode);
// "Edit Skin...": nullptr when code and description stay as they are.
std::unique_ptr<ProjectCommand> MakeEditSkin(const ProjectDocument& document, const SkinNode& skin,
                                             std::string_view description, std::string_view typedCode);
std::unique_ptr<ProjectCommand> MakeDeleteSkin(const ProjectDocument& document, const SkinNode& skin);
// "Add Texture...": reads the picture now.
std::unique_ptr<ProjectCommand> MakeAddTexture(const ProjectDocument& document, const SkinNode& section,
                                               const std::filesystem::path& file, std::string_view teamLabel,
                                               std::string_view face);
// "Edit Texture Description...": every texture of the skin that shares the
// identifier (ignoring letter case) takes the new identifier and description,
// so a face spelt anew in another case is one step; nullptr when the texture
// keeps both.
std::unique_ptr<ProjectCommand> MakeEditTexture(const ProjectDocument& document, const SkinNode& texture,
                                                std::string_view teamLabel, std::string_view face);
std::unique_ptr<ProjectCommand> MakeDeleteTexture(const ProjectDocument& document, const SkinNode& texture);
// "Import Textures...": reads the pictures now; `result` says what is
// imported and what is left out.
std::unique_ptr<ProjectCommand> MakeImportTextures(const ProjectDocument& document,
                                                   const std::vector<std::filesystem::path>& files,
                                                   ImportResult& result);
// A change on the "Project Options" tab; nullptr when nothing changes.
std::unique_ptr<ProjectCommand> MakeSetOptions(const ProjectDocument& document, const ProjectOptions& options);

// The node a skin command made, so a caller can go on with it.
const SkinNode& CreatedNode(const ProjectCommand& command);

}  // namespace project
