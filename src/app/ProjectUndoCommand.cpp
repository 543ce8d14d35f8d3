#include "app/ProjectUndoCommand.h"

#include <QUndoStack>

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

bool ProjectUndoCommand::Stale() {
  for (const auto& command : commands_)
    if (command->Stale()) setObsolete(true);
  return isObsolete();
}

void ProjectUndoCommand::redo() {
  if (Stale()) return;
  for (const auto& command : commands_) command->Do(document_);
}

void ProjectUndoCommand::undo() {
  if (Stale()) return;
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

namespace {

void Step(QUndoStack& stack, bool (QUndoStack::*can)() const, void (QUndoStack::*step)()) {
  // A dropped entry leaves the stack shorter: go on to the next one.
  for (int count = -1; (stack.*can)() && stack.count() != count;) {
    count = stack.count();
    (stack.*step)();
  }
}

}  // namespace

void UndoStep(QUndoStack& stack) { Step(stack, &QUndoStack::canUndo, &QUndoStack::undo); }

void RedoStep(QUndoStack& stack) { Step(stack, &QUndoStack::canRedo, &QUndoStack::redo); }

}  // namespace app
