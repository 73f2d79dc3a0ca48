#include "app/grid_header.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace kivrel {

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  // The cell lies inside the grid lines drawn at its right and bottom edge.
  painter_.Paint(*painter, logicalIndex, 0, rect.adjusted(0, 0, -1, -1));
  painter->save();
  if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex) {
    // A small triangle at the title's right end: up for ascending.
    const int size = std::max(3, rect.height() / 5);
    const QPoint tip(rect.right() - size - 2,
                     rect.center().y() + (sortIndicatorOrder() == Qt::AscendingOrder ? -size / 2 : size / 2));
    const int base = sortIndicatorOrder() == Qt::AscendingOrder ? tip.y() + size : tip.y() - size;
    const QPoint triangle[] = {tip, {tip.x() - size, base}, {tip.x() + size, base}};
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0x30, 0x30, 0x30));
    painter->drawPolygon(triangle, 3);
    painter->setRenderHint(QPainter::Antialiasing, false);
  }
  painter->setPen(QApplication::palette().color(QPalette::Mid));
  painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
  painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter->restore();
}

}  // namespace kivrel
