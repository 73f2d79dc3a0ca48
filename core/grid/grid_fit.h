#pragma once
// Column widths and font height follow the grid's size.

#include "core/grid/string_grid.h"

namespace kivrel {

// Every column (ClientWidth - 14) / ColCount pixels wide, in integers
// truncated toward zero.
void FitColumnWidths(TStringGrid& grid);

// The font height: |min(round_half_even(DefaultColWidth / ratio) - 1,
// DefaultRowHeight - 2)|.
void FitGridFont(TStringGrid& grid, float ratio);

}  // namespace kivrel
