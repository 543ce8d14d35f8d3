#include "project/CommandHistory.h"

namespace project {

void CommandHistory::Push(std::unique_ptr<ProjectCommand> command) {
  if (!command) return;
  command->Do(document_);
  commands_.resize(done_);
  commands_.push_back(std::move(command));
  ++done_;
}

void CommandHistory::Undo() {
  if (!CanUndo()) return;
  commands_[--done_]->Undo(document_);
}

void CommandHistory::Redo() {
  if (!CanRedo()) return;
  commands_[done_++]->Do(document_);
}

std::string CommandHistory::UndoText() const { return CanUndo() ? "Undo " + commands_[done_ - 1]->Text() : std::string(); }

std::string CommandHistory::RedoText() const { return CanRedo() ? "Redo " + commands_[done_]->Text() : std::string(); }

}  // namespace project
