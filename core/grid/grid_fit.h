#pragma once
// Column widths and font height follow the grid's size.

#include "core/grid/string_grid.h"

namespace kivrel {

// DefaultColWidth := (ClientWidth - 14) div ColCount, truncating toward zero.
void FitColumnWidths(TStringGrid& grid);

// Font height := |min(round_half_even(DefaultColWidth / ratio) - 1,
// DefaultRowHeight - 2)|.
void FitGridFont(TStringGrid& grid, float ratio);

}  // namespace kivrel
