#pragma once
// Column widths and font height follow the grid's size.

#include "core/grid/string_grid.h"

namespace kivrel {

// Every column (ClientWidth - 14) / ColCount pixels wide, the quotient
// truncated toward zero: 14 pixels of the client width are the grid's
// non-client width.
void FitColumnWidths(TStringGrid& grid);

// The font height: |min(round_half_even(DefaultColWidth / ratio) - 1,
// DefaultRowHeight - 2)|.
void FitGridFont(TStringGrid& grid, float ratio);

}  // namespace kivrel
