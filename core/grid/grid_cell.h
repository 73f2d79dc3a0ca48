#pragma once
// What a grid cell shows and how: the title row draws the column titles, a
// data row its cell text, coloured by the price state of the value its
// column stands for and marked "+" or "-" at the day's limits. The marks are
// added at painting time; the grid's texts never carry them.

#include "core/draw/canvas.h"
#include "core/draw/rect.h"
#include "core/draw/text_rect_info.h"
#include "core/grid/string_grid.h"

namespace kivrel {

// The cell (col, row) of `grid` as it is to be drawn into `rect`. Row 0 takes
// the column's title (empty beyond the board), centred, black on button
// face. A data row takes its cell text, right-aligned (codes and names
// left), black on the grid's colour; when cell (0, row) holds a TStock, the
// column's deciding value, when positive, sets the colours by its price
// state and adds the limit marks, and the code, name, volume and amplitude
// columns have their fixed colours. The row's derived values and limit
// prices are computed once.
TTextRectInfo MakeGridCellInfo(const TStringGrid& grid, int col, int row, const TRect& rect);

// MakeGridCellInfo, then DrawCellText. The canvas font is expected to be the
// grid's font, as the grid resets it before each cell.
void DrawGridCell(TCanvas& canvas, const TStringGrid& grid, int col, int row, const TRect& rect);

}  // namespace kivrel
