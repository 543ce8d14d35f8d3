#include "app/SkinTreeModel.h"

#include "app/QtText.h"
#include "project/ProjectDocument.h"

namespace app {

SkinTreeModel::SkinTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

SkinTreeModel::~SkinTreeModel() { SetDocument(nullptr); }

void SkinTreeModel::SetDocument(project::ProjectDocument* document) {
  beginResetModel();
  if (document_) document_->RemoveListener(*this);
  document_ = document;
  if (document_) document_->AddListener(*this);
  endResetModel();
}

QModelIndex SkinTreeModel::IndexOf(const project::SkinNode& node) const {
  return createIndex(node.Row(), 0, const_cast<project::SkinNode*>(&node));
}

const project::SkinNode* SkinTreeModel::NodeOf(const QModelIndex& index) {
  return index.isValid() ? static_cast<const project::SkinNode*>(index.internalPointer()) : nullptr;
}

QModelIndex SkinTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!document_ || column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? IndexOf(document_->Root()) : QModelIndex();
  const auto children = NodeOf(parent)->Children();
  if (static_cast<std::size_t>(row) >= children.size()) return {};
  return IndexOf(children[static_cast<std::size_t>(row)]);
}

QModelIndex SkinTreeModel::parent(const QModelIndex& child) const {
  const project::SkinNode* node = NodeOf(child);
  if (!node || !node->Parent()) return {};
  return IndexOf(*node->Parent());
}

int SkinTreeModel::rowCount(const QModelIndex& parent) const {
  if (!document_) return 0;
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  return static_cast<int>(NodeOf(parent)->Children().size());
}

int SkinTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant SkinTreeModel::data(const QModelIndex& index, int role) const {
  const project::SkinNode* node = NodeOf(index);
  if (!node) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return ToQString(node->Caption());
  return {};
}

void SkinTreeModel::NodeAboutToBeInserted(const project::SkinNode& parent, int row) {
  beginInsertRows(IndexOf(parent), row, row);
}

void SkinTreeModel::NodeInserted(const project::SkinNode&, int) { endInsertRows(); }

void SkinTreeModel::NodeAboutToBeRemoved(const project::SkinNode& parent, int row) {
  beginRemoveRows(IndexOf(parent), row, row);
}

void SkinTreeModel::NodeRemoved(const project::SkinNode&, int) { endRemoveRows(); }

void SkinTreeModel::NodeChanged(const project::SkinNode& node) {
  const QModelIndex at = IndexOf(node);
  emit dataChanged(at, at);
}

void SkinTreeModel::ChildrenAboutToBeSorted(const project::SkinNode& parent) {
  emit layoutAboutToBeChanged({QPersistentModelIndex(IndexOf(parent))}, QAbstractItemModel::VerticalSortHint);
}

void SkinTreeModel::ChildrenSorted(const project::SkinNode& parent, const std::vector<int>&) {
  // Nodes keep their identity across a sort; only the rows of the parent's
  // own children move, and each knows its new row.
  const QModelIndexList persistent = persistentIndexList();
  for (const QModelIndex& old : persistent) {
    const project::SkinNode* node = NodeOf(old);
    if (node && node->Parent() == &parent) changePersistentIndex(old, IndexOf(*node));
  }
  emit layoutChanged({QPersistentModelIndex(IndexOf(parent))}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace app
