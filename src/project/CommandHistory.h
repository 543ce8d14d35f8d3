#pragma once

#include <memory>
#include <string>
#include <vector>

#include "project/ProjectCommands.h"

namespace project {

// The undo history of one document, for callers without Qt's undo stack (the
// window puts the same commands on its QUndoStack instead).
class CommandHistory {
public:
  explicit CommandHistory(ProjectDocument& document) : document_(document) {}

  // Runs the command and keeps it; what was undone can no longer be redone.
  // A null command (nothing to change) is passed over.
  void Push(std::unique_ptr<ProjectCommand> command);
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < commands_.size(); }
  void Undo();
  void Redo();
  // "Undo New Skin" and the like; empty when there is nothing.
  std::string UndoText() const;
  std::string RedoText() const;

private:
  ProjectDocument& document_;
  std::vector<std::unique_ptr<ProjectCommand>> commands_;
  std::size_t done_ = 0;
};

}  // namespace project
