#pragma once
// The grid's item delegate: paints a data cell by asking the owner-draw hook
// once, for the grid cell its index stands for.

#include <QAbstractItemDelegate>

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

}  // namespace kivrel
