#include "project/DocumentEditor.h"
#include "project/NodeCommands.h"

namespace project {

void ProjectCommand::Do(ProjectDocument& document) {
  wasModified_ = document.Modified();
  saveCount_ = document.SaveCount();
  Apply(document);
  DocumentEditor(document).SetModified(true);
}

void ProjectCommand::Undo(ProjectDocument& document) {
  Revert(document);
  // Undone after a save, the document no longer matches its file.
  DocumentEditor(document).SetModified(document.SaveCount() == saveCount_ ? wasModified_ : true);
}

void InsertNodeCommand::Apply(ProjectDocument& document) {
  DocumentEditor(document).Insert(*parent_, std::move(node_));
}

void InsertNodeCommand::Revert(ProjectDocument& document) { node_ = DocumentEditor(document).Remove(*inserted_); }

void RemoveNodeCommand::Apply(ProjectDocument& document) { node_ = DocumentEditor(document).Remove(*removed_); }

void RemoveNodeCommand::Revert(ProjectDocument& document) {
  DocumentEditor(document).Insert(*parent_, std::move(node_));
}

const SkinNode& CreatedNode(const ProjectCommand& command) {
  const auto* insertion = dynamic_cast<const InsertNodeCommand*>(&command);
  if (!insertion) throw std::logic_error("The command \"" + command.Text() + "\" makes no node");
  return insertion->Node();
}

}  // namespace project
