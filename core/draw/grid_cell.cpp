#include "core/draw/grid_cell.h"

#include <optional>
#include <string>

#include "core/draw/alignment.h"
#include "core/draw/cell_text.h"
#include "core/draw/colors.h"
#include "core/price/price_rules.h"
#include "core/price/price_state.h"
#include "core/store/stock.h"

namespace kivrel {
namespace {

// The grid's columns; the board always has these 15.
enum GridColumn : int {
  gcCode = 0,
  gcName = 1,
  gcBid = 2,
  gcAsk = 3,
  gcLast = 4,
  gcChange = 5,
  gcVolume = 6,
  gcOpen = 7,
  gcHigh = 8,
  gcLow = 9,
  gcChangePercent = 10,
  gcAmplitude = 11,
  gcPrevClose = 12,
  gcLimitUp = 13,
  gcLimitDown = 14,
};

// The value whose price state colours a column's cells, or nothing for the
// columns with fixed colours. The change and the change percentage are
// coloured by the last price, not by their own sign; the limit-down column
// by the positive price, though its text shows it negated.
std::optional<float> DecidingValue(const TStock& stock, int col) {
  const StockRecord& r = stock.Payload;
  switch (col) {
    case gcBid: return r.Bid();
    case gcAsk: return r.Ask();
    case gcLast:
    case gcChange:
    case gcChangePercent: return r.Last();
    case gcOpen: return r.Open();
    case gcHigh: return r.High();
    case gcLow: return r.Low();
    case gcPrevClose: return r.PrevClose();
    case gcLimitUp: return LimitUpPrice(stock);
    case gcLimitDown: return LimitDownPrice(stock);
    default: return std::nullopt;
  }
}

void SetFixedColors(const TStock& stock, int col, TTextRectInfo& info) {
  switch (col) {
    case gcCode:
    case gcName:
      info.FontColor = stock.Payload.Market() == 0 ? clBlue : clOlive;
      info.BrushColor = clBtnFace;
      break;
    case gcVolume: info.FontColor = clTeal; break;
    case gcAmplitude: info.FontColor = clNavy; break;
    default: break;
  }
}

// A text that already starts with a sign (a change, a limit price) keeps it
// and gets no second one; an empty text gets none.
void MarkLimit(const TStock& stock, float value, std::string& text) {
  if (text.empty() || text.front() == '+' || text.front() == '-') return;
  const PriceState state = GetPriceState(stock, value);
  if (state == psLimitUp) text.insert(0, "+");
  if (state == psLimitDown) text.insert(0, "-");
}

void ApplyStock(const TStock& stock, int col, TTextRectInfo& info) {
  const std::optional<float> deciding = DecidingValue(stock, col);
  if (!deciding) {
    SetFixedColors(stock, col, info);
    return;
  }
  const float v = *deciding;
  if (!(v > 0)) return;  // zero, negative and NaN stay black on the grid's colour
  info.FontColor = StateFontColor(stock, v);
  info.BrushColor = StateBrushColor(stock, v);
  MarkLimit(stock, v, info.Text);
}

std::string ColumnTitle(const TStringList& columnTitles, int col) {
  if (col < 0 || col >= columnTitles.Count()) return {};
  return columnTitles.Strings(col);
}

}  // namespace

TTextRectInfo MakeGridCellInfo(const TStringGrid& grid, const TStringList& columnTitles, int col, int row,
                               const TRect& rect) {
  TTextRectInfo info = MakeTextRectInfo(rect, {}, clBlack, clBtnFace, haCenter, vaCenter, false);
  if (row == 0) {
    info.Text = ColumnTitle(columnTitles, col);
    return info;
  }
  info.Text = grid.Cells(col, row);
  info.FontColor = clBlack;
  info.BrushColor = grid.Color();
  info.HAlign = haRight;
  if (const auto* stock = dynamic_cast<const TStock*>(grid.Objects(0, row))) ApplyStock(*stock, col, info);
  if (col == gcCode || col == gcName) info.HAlign = haLeft;
  return info;
}

void DrawGridCell(TCanvas& canvas, const TStringGrid& grid, const TStringList& columnTitles, int col, int row,
                  const TRect& rect) {
  const TTextRectInfo info = MakeGridCellInfo(grid, columnTitles, col, row, rect);
  DrawCellText(canvas, info.Rect, info.Text, info.FontColor, info.BrushColor, info.HAlign, info.VAlign, info.NoFill);
}

}  // namespace kivrel
