#pragma once
// Painting one grid cell with QPainter through the window's owner-draw hook:
// the canvas starts each cell with the grid's font, regular style, as the
// hook expects.

#include <QPainter>
#include <QRect>

#include <functional>

#include "core/draw/canvas.h"
#include "core/grid/string_grid.h"

namespace kivrel {

// Paints grid cell (col, row) into `rect` of the canvas.
using TDrawCellHook = std::function<void(TCanvas& canvas, int col, int row, const TRect& rect)>;

class TCellPainter {
 public:
  explicit TCellPainter(const TStringGrid& grid) : grid_(grid) {}

  void SetHook(TDrawCellHook hook) { hook_ = std::move(hook); }
  // Asks the hook once for the cell; without a hook the cell shows the
  // grid's colour. Nothing drawn leaves `cellRect`.
  void Paint(QPainter& painter, int col, int row, const QRect& cellRect) const;

 private:
  const TStringGrid& grid_;
  TDrawCellHook hook_;
};

}  // namespace kivrel
