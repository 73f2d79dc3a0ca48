#include "core/grid/cell_marks.h"

#include <algorithm>

#include "core/grid/grid_cell.h"
#include "core/grid/grid_columns.h"
#include "core/grid/row_stock.h"

namespace kivrel {
namespace {

// The column of the last trade price.
constexpr int kLastColumn = 4;

void DrawFrame(TCanvas& canvas, const TRect& r, TColor colour) {
  constexpr int kWidth = 2;
  canvas.BrushColor = colour;
  canvas.FillRect({r.Left, r.Top, r.Right, std::min(r.Bottom, r.Top + kWidth)});
  canvas.FillRect({r.Left, std::max(r.Top, r.Bottom - kWidth), r.Right, r.Bottom});
  canvas.FillRect({r.Left, r.Top, std::min(r.Right, r.Left + kWidth), r.Bottom});
  canvas.FillRect({std::max(r.Left, r.Right - kWidth), r.Top, r.Right, r.Bottom});
}

// A right triangle in the cell's corner, its right angle at the corner, made
// of one-pixel rows that shorten away from it.
void DrawCornerTriangle(TCanvas& canvas, const TRect& r, bool top, TColor colour) {
  const int size = std::max(3, (r.Bottom - r.Top) / 4);
  canvas.BrushColor = colour;
  for (int i = 0; i < size; ++i) {
    const int y = top ? r.Top + i : r.Bottom - 1 - i;
    canvas.FillRect({r.Left, y, std::min(r.Right, r.Left + size - i), y + 1});
  }
}

}  // namespace

void TChangeMarks::Mark(const TStock& stock, const StockRecord& before, std::int64_t nowMs) {
  marks_[&stock] = TMark{before, nowMs};
}

TChange TChangeMarks::ChangeOf(const TStock& stock, int col, std::int64_t nowMs) const {
  const auto it = marks_.find(&stock);
  const TGridColumn* column = ColumnAt(col);
  if (it == marks_.end() || column == nullptr || column->Kind != TColumnKind::Number) return TChange::None;
  if (nowMs - it->second.Since >= kShownMs || nowMs < it->second.Since) return TChange::None;
  const TStock before(it->second.Before);
  const TRowValues was(before), is(stock);
  if (ColumnText(*column, was) == ColumnText(*column, is)) return TChange::None;
  return column->Number(is) > column->Number(was) ? TChange::Up : TChange::Down;
}

std::vector<const TStock*> TChangeMarks::Expire(std::int64_t nowMs) {
  std::vector<const TStock*> gone;
  for (auto it = marks_.begin(); it != marks_.end();) {
    if (nowMs - it->second.Since >= kShownMs) {
      gone.push_back(it->first);
      it = marks_.erase(it);
    } else {
      ++it;
    }
  }
  return gone;
}

std::int64_t TChangeMarks::NextExpiry() const {
  std::int64_t next = INT64_MAX;
  for (const auto& [stock, mark] : marks_) next = std::min(next, mark.Since + kShownMs);
  return next;
}

TChange DayExtremeOf(const StockRecord& record) {
  const float last = record.Last(), high = record.High(), low = record.Low();
  if (!(last > 0) || !(high > low)) return TChange::None;
  if (last >= high) return TChange::Up;
  if (last <= low) return TChange::Down;
  return TChange::None;
}

void DrawCellMarks(TCanvas& canvas, const TStringGrid& grid, int col, int row, const TRect& rect,
                   const TChangeMarks& marks, std::int64_t nowMs) {
  const TStock* stock = row > 0 ? RowStock(grid, row) : nullptr;
  if (stock == nullptr) return;
  const TChange change = marks.ChangeOf(*stock, col, nowMs);
  const TChange extreme = col == kLastColumn ? DayExtremeOf(stock->Payload) : TChange::None;
  if (change == TChange::None && extreme == TChange::None) return;
  const TTextRectInfo info = MakeGridCellInfo(grid, col, row, rect);
  if (extreme != TChange::None) DrawCornerTriangle(canvas, rect, extreme == TChange::Up, info.FontColor);
  if (change == TChange::None) return;
  const TColor colour = change == TChange::Up ? clRed : clGreen;
  const TColor contrast = change == TChange::Up ? clYellow : clWhite;
  DrawFrame(canvas, rect, info.BrushColor == colour ? contrast : colour);
}

}  // namespace kivrel
