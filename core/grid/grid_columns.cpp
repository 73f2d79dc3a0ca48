#include "core/grid/grid_columns.h"

#include "core/grid/row_stock.h"
#include "core/grid/value_format.h"
#include "core/text/trim.h"

namespace kivrel {

std::string ColumnText(const TGridColumn& column, const TRowValues& values) {
  switch (column.Kind) {
    case TColumnKind::Code: return Trim(values.Record.Code());
    case TColumnKind::Name: return FormatStockName(TrimView(values.Record.Name()));
    case TColumnKind::Number: break;
  }
  const float number = column.Number(values);
  return FormatValue(column.Decimals, /*force=*/false, column.PlusSign, column.Negated ? -number : number);
}

std::string ColumnValueText(const TGridColumn& column, const TRowValues& values) {
  if (column.Kind != TColumnKind::Number || !column.Negated) return ColumnText(column, values);
  return FormatValue(column.Decimals, /*force=*/false, /*plusSign=*/false, column.Number(values));
}

std::string StockColumnText(const TStringGrid& grid, int col, int row) {
  const TStock* stock = RowStock(grid, row);
  const TGridColumn* column = ColumnAt(col);
  if (stock == nullptr || column == nullptr) return {};
  return ColumnText(*column, TRowValues(*stock));
}

}  // namespace kivrel
