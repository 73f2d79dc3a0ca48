#pragma once
// What the status bar says of the board: how many stocks it shows, how
// their last prices stand, and how recent the quotes are; and the words a
// stock's tooltip uses.

#include <string>

#include "core/grid/string_grid.h"
#include "core/store/stock.h"

namespace kivrel {

struct TBoardSummary {
  int Stocks = 0;
  // By the price state of the last price: limit-up counts as up as well,
  // limit-down as down; a stock without a last price or a previous close is
  // none of them.
  int Up = 0;
  int Down = 0;
  int Unchanged = 0;
  int LimitUp = 0;
  int LimitDown = 0;
  // The latest quote time among the stocks, 0 when none has one.
  double LatestQuoteTime = 0;

  // Counts one stock: Stocks, and by the price state of its last price Up/Down/Unchanged/LimitUp/LimitDown,
  // and LatestQuoteTime.
  void Add(const TStock& stock);
};

// The stocks attached to the grid's data rows.
TBoardSummary SummarizeBoard(const TStringGrid& grid);

// A quote time as "2026-12-06 13:30" (the minute rounded to the nearest);
// empty for 0 and for times outside the years 1900 to 9999.
std::string QuoteTimeText(double quoteTime);

// The stock's market and category in words, Big5: 上市 or 上櫃, then the
// category table's entry with its joined names separated by "、"
// ("上市 水泥"); empty parts for a category the tables lack.
std::string MarketAndCategory(const StockRecord& record);

}  // namespace kivrel
