#include "core/grid/grid_columns.h"

#include "core/grid/value_format.h"
#include "core/text/trim.h"

namespace kivrel {

std::string ColumnText(const TGridColumn& column, const TRowValues& values) {
  switch (column.Kind) {
    case TColumnKind::Code: return Trim(values.Record.Code());
    case TColumnKind::Name: return FormatStockName(TrimView(values.Record.Name()));
    case TColumnKind::Number: break;
  }
  return FormatValue(column.Decimals, /*force=*/false, column.PlusSign, column.Number(values));
}

std::string StockColumnText(const TObject& stock, int col) {
  const auto* s = dynamic_cast<const TStock*>(&stock);
  const TGridColumn* column = ColumnAt(col);
  if (s == nullptr || column == nullptr) return {};
  return ColumnText(*column, TRowValues(*s));
}

}  // namespace kivrel
