#pragma once

#include <QAbstractItemModel>

#include "project/ProjectListener.h"

namespace project {
class ProjectDocument;
class SkinNode;
}  // namespace project

namespace app {

// The skin tree of a document as a Qt item model. It follows the document's
// change notices row by row, so selection and expansion survive every edit;
// only a new document resets it.
class SkinTreeModel final : public QAbstractItemModel, private project::ProjectListener {
  Q_OBJECT
public:
  explicit SkinTreeModel(QObject* parent = nullptr);
  ~SkinTreeModel() override;

  // None shows an empty tree.
  void SetDocument(project::ProjectDocument* document);

  QModelIndex IndexOf(const project::SkinNode& node) const;
  // The node of an index; nullptr for an invalid one.
  static const project::SkinNode* NodeOf(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
  void NodeAboutToBeInserted(const project::SkinNode& parent, int row) override;
  void NodeInserted(const project::SkinNode& parent, int row) override;
  void NodeAboutToBeRemoved(const project::SkinNode& parent, int row) override;
  void NodeRemoved(const project::SkinNode& parent, int row) override;
  void NodeChanged(const project::SkinNode& node) override;
  void ChildrenAboutToBeSorted(const project::SkinNode& parent) override;
  void ChildrenSorted(const project::SkinNode& parent, const std::vector<int>& oldRows) override;

  project::ProjectDocument* document_ = nullptr;
};

}  // namespace app
