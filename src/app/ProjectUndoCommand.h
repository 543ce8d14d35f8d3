#pragma once

#include <QUndoCommand>
#include <memory>
#include <vector>

class QUndoStack;

namespace project {
class ProjectCommand;
class ProjectDocument;
}  // namespace project

namespace app {

// A command of the document on Qt's undo stack. Commands with the same merge
// id that follow each other (the keystrokes typed into one edit) become one
// entry, undone and redone together. An entry gone stale (a paint step whose
// texture was read again from its file) changes nothing, and the stack drops it.
class ProjectUndoCommand final : public QUndoCommand {
public:
  ProjectUndoCommand(project::ProjectDocument& document, std::unique_ptr<project::ProjectCommand> command,
                     int mergeId = -1);
  ~ProjectUndoCommand() override;

  void redo() override;
  void undo() override;
  int id() const override { return mergeId_; }
  bool mergeWith(const QUndoCommand* other) override;

  const project::ProjectCommand& First() const { return *commands_.front(); }

private:
  // Marks the entry obsolete when a command of it is stale.
  bool Stale();

  project::ProjectDocument& document_;
  std::vector<std::unique_ptr<project::ProjectCommand>> commands_;
  int mergeId_;
};

// Edit → Undo and Redo: one step that changes something, passing over the
// stale ones the stack drops on the way.
void UndoStep(QUndoStack& stack);
void RedoStep(QUndoStack& stack);

}  // namespace app
