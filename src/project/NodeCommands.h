#pragma once

#include <memory>
#include <string>

#include "project/ProjectCommands.h"

namespace project {

// Puts a node into the tree or takes it out, with everything below it, and
// the other way round on undo. While the node is out, the command keeps it.
class NodeCommand : public ProjectCommand {
public:
  // Inserts a node made beforehand below `parent`.
  NodeCommand(std::string text, const SkinNode& parent, std::unique_ptr<SkinNode> node)
      : text_(std::move(text)), parent_(&parent), node_(node.get()), held_(std::move(node)), inserts_(true) {}
  // Takes a node of the tree out.
  NodeCommand(std::string text, const SkinNode& node)
      : text_(std::move(text)), parent_(node.Parent()), node_(&node), inserts_(false) {}

  std::string Text() const override { return text_; }
  const SkinNode& Node() const { return *node_; }
  bool Inserts() const { return inserts_; }

protected:
  void Apply(ProjectDocument& document) override { inserts_ ? PutIn(document) : TakeOut(document); }
  void Revert(ProjectDocument& document) override { inserts_ ? TakeOut(document) : PutIn(document); }

private:
  void PutIn(ProjectDocument& document);
  void TakeOut(ProjectDocument& document);

  std::string text_;
  const SkinNode* parent_;
  const SkinNode* node_;
  std::unique_ptr<SkinNode> held_;
  bool inserts_;
};

}  // namespace project
