#include "core/grid/row_order.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/grid/grid_columns.h"
#include "core/grid/row_stock.h"
#include "core/text/big5_bytes.h"
#include "core/text/trim.h"

namespace kivrel {

std::vector<int> SortRows(const TStringGrid& grid, int col, TSortDirection direction) {
  const TGridColumn* column = ColumnAt(col);
  struct Keyed {
    int Row;
    bool Empty;
    long double Number;
    std::string Text;
  };
  std::vector<Keyed> rows;
  rows.reserve(static_cast<std::size_t>(std::max(0, grid.RowCount() - 1)));
  for (int row = 1; row < grid.RowCount(); ++row) {
    Keyed keyed{row, true, 0, {}};
    if (const TStock* stock = RowStock(grid, row); stock != nullptr && column != nullptr) {
      const TRowValues values(*stock);
      if (column->Kind == TColumnKind::Number) {
        keyed.Number = column->Number(values);
        keyed.Empty = keyed.Number == 0 || std::isnan(keyed.Number);
      } else {
        keyed.Text = ColumnText(*column, values);
        keyed.Empty = keyed.Text.empty();
      }
    }
    rows.push_back(std::move(keyed));
  }
  const bool descending = direction == TSortDirection::Descending;
  const bool numbers = column != nullptr && column->Kind == TColumnKind::Number;
  std::stable_sort(rows.begin(), rows.end(), [&](const Keyed& a, const Keyed& b) {
    if (a.Empty || b.Empty) return !a.Empty && b.Empty;
    if (numbers) return descending ? a.Number > b.Number : a.Number < b.Number;
    return descending ? a.Text > b.Text : a.Text < b.Text;
  });
  std::vector<int> order;
  order.reserve(rows.size());
  for (const Keyed& keyed : rows) order.push_back(keyed.Row);
  return order;
}

bool StockMatches(const TStringGrid& grid, int row, std::string_view big5Query) {
  const TStock* stock = RowStock(grid, row);
  if (stock == nullptr || big5Query.empty()) return false;
  return MatchesAt(TrimView(stock->Payload.Code()), 0, big5Query) ||
         FindWholeCharacters(TrimView(stock->Payload.Name()), big5Query) != std::string_view::npos;
}

}  // namespace kivrel
