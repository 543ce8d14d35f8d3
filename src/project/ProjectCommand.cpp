#include "project/DocumentEditor.h"
#include "project/NodeCommands.h"

namespace project {

void ProjectCommand::Do(ProjectDocument& document) {
  if (Stale()) return;
  wasModified_ = document.Modified();
  saveCount_ = document.SaveCount();
  Apply(document);
  if (MarksModified()) DocumentEditor(document).SetModified(true);
}

void ProjectCommand::Undo(ProjectDocument& document) {
  if (Stale()) return;
  Revert(document);
  // Undone after a save, the document no longer matches its file.
  DocumentEditor(document).SetModified(document.SaveCount() == saveCount_ ? wasModified_ : true);
}

void NodeCommand::PutIn(ProjectDocument& document) { DocumentEditor(document).Insert(*parent_, std::move(held_)); }

void NodeCommand::TakeOut(ProjectDocument& document) { held_ = DocumentEditor(document).Remove(*node_); }

const SkinNode& CreatedNode(const ProjectCommand& command) {
  const auto* placed = dynamic_cast<const NodeCommand*>(&command);
  if (!placed || !placed->Inserts()) throw std::logic_error("The command \"" + command.Text() + "\" makes no node");
  return placed->Node();
}

}  // namespace project
