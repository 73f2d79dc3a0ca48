#include "core/grid/grid_cell.h"

#include <string>

#include "core/draw/alignment.h"
#include "core/draw/cell_text.h"
#include "core/grid/grid_columns.h"
#include "core/grid/row_stock.h"

namespace kivrel {
namespace {

void SetFixedColors(TColumnColors colors, const StockRecord& record, TTextRectInfo& info) {
  switch (colors) {
    case TColumnColors::Market:
      info.FontColor = record.Market() == 0 ? clBlue : clOlive;
      info.BrushColor = clBtnFace;
      break;
    case TColumnColors::Volume: info.FontColor = clTeal; break;
    case TColumnColors::Amplitude: info.FontColor = clNavy; break;
    case TColumnColors::ByState: break;
  }
}

// A positive deciding value colours the cell by its price state, and a value
// at a limit marks a text that does not already start with a sign.
void ApplyState(const TGridColumn& column, const TRowValues& values, TTextRectInfo& info) {
  const float v = column.Deciding(values);
  if (!(v > 0)) return;  // zero, negative and NaN stay black on the grid's colour
  info.FontColor = StateFontColor(values.Limits, v);
  info.BrushColor = StateBrushColor(values.Limits, v);
  std::string& text = info.Text;
  if (text.empty() || text.front() == '+' || text.front() == '-') return;
  const PriceState state = GetPriceState(values.Limits, v);
  if (state == psLimitUp) text.insert(0, "+");
  if (state == psLimitDown) text.insert(0, "-");
}

}  // namespace

TTextRectInfo MakeGridCellInfo(const TStringGrid& grid, int col, int row, const TRect& rect) {
  TTextRectInfo info = MakeTextRectInfo(rect, {}, clBlack, clBtnFace, haCenter, vaCenter, false);
  const TGridColumn* column = ColumnAt(col);
  if (row == 0) {
    if (column != nullptr) info.Text = column->Title;
    return info;
  }
  info.BrushColor = grid.Color();
  info.HAlign = column != nullptr ? column->HAlign : haRight;
  const TStock* stock = RowStock(grid, row);
  if (stock == nullptr || column == nullptr) {
    info.Text = grid.Cells(col, row);
    return info;
  }
  const TRowValues values(*stock);
  if (grid.ShowsObjectTexts(row)) info.Text = ColumnText(*column, values);
  if (column->Colors == TColumnColors::ByState) {
    ApplyState(*column, values, info);
  } else {
    SetFixedColors(column->Colors, values.Record, info);
  }
  return info;
}

void DrawGridCell(TCanvas& canvas, const TStringGrid& grid, int col, int row, const TRect& rect) {
  const TTextRectInfo info = MakeGridCellInfo(grid, col, row, rect);
  DrawCellText(canvas, info.Rect, info.Text, info.FontColor, info.BrushColor, info.HAlign, info.VAlign, info.NoFill);
}

}  // namespace kivrel
