#pragma once
// Grid row 0, the column titles, as the view's horizontal header: owner-drawn
// like every other row, with the sort mark of the column the rows are sorted
// by.

#include <QHeaderView>

#include "app/cell_painter.h"

namespace kivrel {

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
