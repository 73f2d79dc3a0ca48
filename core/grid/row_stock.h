#pragma once
// The stock a grid row shows: the TStock attached to its column-0 cell. The
// one place where a row's object is taken for a stock.

#include "core/grid/string_grid.h"
#include "core/store/stock.h"

namespace kivrel {

// Nullptr for a row without a stock (the title row, an empty row, a row out
// of range).
inline const TStock* RowStock(const TStringGrid& grid, int row) {
  return dynamic_cast<const TStock*>(grid.Objects(0, row));
}

}  // namespace kivrel
