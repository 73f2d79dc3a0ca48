#pragma once
// What a live board marks beside a cell's colours: a frame round a value that
// changed in the last update (for a while), and a small triangle in the last
// price's cell when the last trade stands at the day's high or low.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/draw/canvas.h"
#include "core/draw/rect.h"
#include "core/grid/string_grid.h"
#include "core/store/stock.h"

namespace kivrel {

enum class TChange : std::uint8_t { None, Up, Down };

// The stocks an update changed, each with its payload before, for a while.
// Times are milliseconds of a steady clock.
class TChangeMarks {
 public:
  static constexpr std::int64_t kShownMs = 2000;

  // The stock changed at `nowMs` from `before` to its present payload.
  void Mark(const TStock& stock, const StockRecord& before, std::int64_t nowMs);
  // How the value shown in column `col` of the stock changed, while its mark
  // lasts: None when the cell shows the same text as before, or for the code
  // and name.
  TChange ChangeOf(const TStock& stock, int col, std::int64_t nowMs) const;
  // Forgets the marks that have run out; the stocks whose marks went.
  std::vector<const TStock*> Expire(std::int64_t nowMs);
  bool Empty() const { return marks_.empty(); }
  // When the oldest mark runs out.
  std::int64_t NextExpiry() const;
  void Clear() { marks_.clear(); }

 private:
  struct TMark {
    StockRecord Before;
    std::int64_t Since = 0;
  };
  std::unordered_map<const TStock*, TMark> marks_;
};

// Where the last trade stands in the day's range: Up at the high, Down at the
// low, None between them or without a range (no trade, or high equal to low).
TChange DayExtremeOf(const StockRecord& record);

// Draws the marks of grid cell (col, row) over the painted cell: a two-pixel
// frame inside `rect` in the colour of the change's direction (red up, green
// down; yellow or white where the cell's own background is that colour), and
// in the last price's column a triangle at the top left (at the day's high)
// or bottom left (at the low) in the cell's text colour.
void DrawCellMarks(TCanvas& canvas, const TStringGrid& grid, int col, int row, const TRect& rect,
                   const TChangeMarks& marks, std::int64_t nowMs);

}  // namespace kivrel
