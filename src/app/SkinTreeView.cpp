#include "app/SkinTreeView.h"

#include <QDropEvent>
#include <QMimeData>

namespace app {

namespace {

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (data)
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) files << url.toLocalFile();
  return files;
}

}  // namespace

SkinTreeView::SkinTreeView(QWidget* parent) : QTreeView(parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DropOnly);
}

void SkinTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void SkinTreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void SkinTreeView::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  emit FilesDropped(files);
}

}  // namespace app
