#pragma once

#include <QStringList>
#include <QTreeView>

namespace app {

// The skin tree's view; picture files dropped on it are handed on for import.
class SkinTreeView final : public QTreeView {
  Q_OBJECT
public:
  explicit SkinTreeView(QWidget* parent = nullptr);

signals:
  void FilesDropped(const QStringList& files);

protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace app
