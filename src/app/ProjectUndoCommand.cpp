#include "app/ProjectUndoCommand.h"

#include "app/QtText.h"
#include "project/ProjectCommands.h"

namespace app {

ProjectUndoCommand::ProjectUndoCommand(project::ProjectDocument& document,
                                       std::unique_ptr<project::ProjectCommand> command, int mergeId)
    : document_(document), mergeId_(mergeId) {
  setText(ToQString(command->Text()));
  commands_.push_back(std::move(command));
}

ProjectUndoCommand::~ProjectUndoCommand() = default;

void ProjectUndoCommand::redo() {
  for (const auto& command : commands_) command->Do(document_);
}

void ProjectUndoCommand::undo() {
  for (auto command = commands_.rbegin(); command != commands_.rend(); ++command) (*command)->Undo(document_);
}

bool ProjectUndoCommand::mergeWith(const QUndoCommand* other) {
  auto* next = dynamic_cast<const ProjectUndoCommand*>(other);
  if (!next || &next->document_ != &document_ || next->mergeId_ != mergeId_) return false;
  // The stack deletes the other command once merged; its work moves here.
  auto& taken = const_cast<ProjectUndoCommand*>(next)->commands_;
  for (auto& command : taken) commands_.push_back(std::move(command));
  taken.clear();
  return true;
}

}  // namespace app
