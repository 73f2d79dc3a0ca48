#include "app/cell_painter.h"

#include "app/qt_canvas.h"

namespace kivrel {

void TCellPainter::Paint(QPainter& painter, int col, int row, const QRect& cellRect) const {
  painter.save();
  // A cell's drawing stays in its cell, whatever its text measures.
  painter.setClipRect(cellRect, Qt::IntersectClip);
  TQtCanvas canvas(painter);
  canvas.Font = grid_.Font();
  canvas.Font.Style = TFontStyles();
  const TRect rect{cellRect.left(), cellRect.top(), cellRect.left() + cellRect.width(),
                   cellRect.top() + cellRect.height()};
  if (hook_) {
    hook_(canvas, col, row, rect);
  } else {
    canvas.BrushColor = grid_.Color();
    canvas.FillRect(rect);
  }
  painter.restore();
}

}  // namespace kivrel
