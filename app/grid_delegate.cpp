#include "app/grid_delegate.h"

#include <QApplication>
#include <QPainter>

#include "app/grid_model.h"

namespace kivrel {

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int row = index.data(TGridModel::GridRowRole).toInt();
  painter_.Paint(*painter, index.column(), row, option.rect);
  if (option.state & QStyle::State_Selected) {
    // The focus frame around the selected row.
    painter->save();
    painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
    const QRect r = option.rect.adjusted(0, 0, -1, -1);
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (index.column() == 0) painter->drawLine(r.topLeft(), r.bottomLeft());
    if (index.column() == index.model()->columnCount() - 1) painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
  }
}

QSize TGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const {
  return option.rect.size();
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  // The cell lies inside the grid lines drawn at its right and bottom edge.
  painter_.Paint(*painter, logicalIndex, 0, rect.adjusted(0, 0, -1, -1));
  painter->save();
  painter->setPen(QApplication::palette().color(QPalette::Mid));
  painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
  painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter->restore();
}

}  // namespace kivrel
