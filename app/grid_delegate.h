#pragma once
// The grid's item delegate and its title row: each paints a cell by asking
// the owner-draw hook once, for the grid cell its index stands for.

#include <QAbstractItemDelegate>
#include <QHeaderView>

#include "app/cell_painter.h"

namespace kivrel {

class TGridDelegate final : public QAbstractItemDelegate {
  Q_OBJECT

 public:
  TGridDelegate(const TCellPainter& painter, QObject* parent) : QAbstractItemDelegate(parent), painter_(painter) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const TCellPainter& painter_;
};

// Grid row 0: the column titles, owner-drawn like every other row.
class TGridHeader final : public QHeaderView {
  Q_OBJECT

 public:
  TGridHeader(const TCellPainter& painter, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), painter_(painter) {
    setSectionsClickable(true);  // a click sorts by the column
  }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  const TCellPainter& painter_;
};

}  // namespace kivrel
