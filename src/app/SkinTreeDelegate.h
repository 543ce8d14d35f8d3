#pragma once

#include <QStyledItemDelegate>

namespace app {

// Texture cells show a swatch of the team's colour and the face name; the
// other levels are plain text.
class SkinTreeDelegate final : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace app
