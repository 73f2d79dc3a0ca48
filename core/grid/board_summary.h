#pragma once
// What the status bar and the view panel say of a set of stocks (a view of
// the board): how many, how their last prices stand, and how recent the
// quotes are.

#include "core/grid/quote_time.h"  // LatestQuoteTime is shown by QuoteTimeText
#include "core/store/stock.h"

namespace kivrel {

struct TBoardSummary {
  // Counts one stock: Stocks, and by the price state of its last price Up/Down/Unchanged/LimitUp/LimitDown,
  // and LatestQuoteTime.
  void Add(const TStock& stock);

  int Stocks = 0;
  // Limit-up counts as up as well, limit-down as down; a stock without a
  // last price or a previous close is none of them.
  int Up = 0;
  int Down = 0;
  int Unchanged = 0;
  int LimitUp = 0;
  int LimitDown = 0;
  // The latest quote time among the stocks that QuoteTimeText can show, 0
  // when none has one.
  double LatestQuoteTime = 0;
};

}  // namespace kivrel
