#pragma once

#include <QUndoCommand>
#include <memory>
#include <vector>

namespace project {
class ProjectCommand;
class ProjectDocument;
}  // namespace project

namespace app {

// A command of the document on Qt's undo stack. Commands with the same merge
// id that follow each other (the keystrokes typed into one edit) become one
// entry, undone and redone together.
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
  project::ProjectDocument& document_;
  std::vector<std::unique_ptr<project::ProjectCommand>> commands_;
  int mergeId_;
};

}  // namespace app
