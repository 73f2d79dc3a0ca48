#pragma once
// The orders in which the board can show its rows besides the store's key
// order: by the value of a column. Sorting changes only which row is shown
// where; a row's texts, colours and marks stay those of its stock.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/grid/string_grid.h"

namespace kivrel {

enum class TSortDirection : std::uint8_t { Ascending, Descending };

// The data rows of `grid` (1 to RowCount - 1) ordered by column `col`:
// number columns by the value they show, the code and name columns by their
// Big5 text. Empty cells (a zero value, an empty text, a row without a
// stock, a value that is not a number) come last in both directions, and
// rows of equal values keep the grid's order, which is key order.
std::vector<int> SortRows(const TStringGrid& grid, int col, TSortDirection direction);

// A row matches a search when its trimmed code starts with `big5Query` or
// its name holds it, character for character (a query never matches across
// the two bytes of a Big5 character), ASCII letters in either case. An
// empty query matches nothing.
bool StockMatches(const TStringGrid& grid, int row, std::string_view big5Query);

}  // namespace kivrel
