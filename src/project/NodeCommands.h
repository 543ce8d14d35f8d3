#pragma once

#include <memory>
#include <string>

#include "project/ProjectCommands.h"

namespace project {

// Puts a node made beforehand into the tree, and takes it out again.
class InsertNodeCommand : public ProjectCommand {
public:
  InsertNodeCommand(std::string text, const SkinNode& parent, std::unique_ptr<SkinNode> node)
      : text_(std::move(text)), parent_(&parent), node_(std::move(node)), inserted_(node_.get()) {}

  std::string Text() const override { return text_; }
  const SkinNode& Node() const { return *inserted_; }

protected:
  void Apply(ProjectDocument& document) override;
  void Revert(ProjectDocument& document) override;

private:
  std::string text_;
  const SkinNode* parent_;
  std::unique_ptr<SkinNode> node_;
  const SkinNode* inserted_;
};

// Takes a node out of the tree, keeping it, and puts it back.
class RemoveNodeCommand : public ProjectCommand {
public:
  RemoveNodeCommand(std::string text, const SkinNode& node)
      : text_(std::move(text)), parent_(node.Parent()), removed_(&node) {}

  std::string Text() const override { return text_; }

protected:
  void Apply(ProjectDocument& document) override;
  void Revert(ProjectDocument& document) override;

private:
  std::string text_;
  const SkinNode* parent_;
  const SkinNode* removed_;
  std::unique_ptr<SkinNode> node_;
};

}  // namespace project
