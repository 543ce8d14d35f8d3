#include "app/SkinTreeDelegate.h"

#include <QPainter>

#include "app/QtText.h"
#include "app/SkinTreeModel.h"
#include "project/SkinTree.h"
#include "project/TextureCell.h"

namespace app {

namespace {

QColor FromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

void SkinTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const project::SkinNode* node = SkinTreeModel::NodeOf(index);
  if (!node || node->Kind() != project::NodeKind::Texture) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const project::TextureCell cell = project::DescribeTextureCell(*node);
  const QRect rect = option.rect;
  const int h = rect.height();
  const bool selected = option.state & QStyle::State_Selected;
  painter->save();
  painter->fillRect(rect, selected ? option.palette.highlight() : option.palette.base());
  if (cell.SwatchBgr) {
    // From (left + 2, top + 2) to (left + h - 4, bottom - 2), right and bottom edges excluded.
    painter->fillRect(QRect(rect.left() + 2, rect.top() + 2, h - 6, h - 4), FromBgr(*cell.SwatchBgr));
  }
  painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
  const QRect textRect(rect.left() + h - 1, rect.top(), std::max(0, rect.width() - h + 1), h);
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, ToQString(cell.Text));
  painter->restore();
}

}  // namespace app
