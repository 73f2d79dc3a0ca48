#include "core/grid/board_summary.h"

#include <gtest/gtest.h>

#include "support/stocks.h"

namespace kivrel {

// Closed at 10 (limits 10.65 and 9.31): limit-up counts as up too, limit-down
// as down; the latest time is the latest one QuoteTimeText shows.
TEST(BoardSummary, CountsStocksByTheirLastPriceAndShowsTheLatestQuoteMinute) {
  TBoardSummary summary;
  const std::pair<float, double> stocks[] = {{10.65F, 46000.5}, {10.3F, 3e6}, {10, 0},
                                             {9.5F, 46001},     {9.31F, 1},   {0, 46000}};
  for (const auto& [last, time] : stocks) summary.Add(TStock(testing::Record({.Last = last, .QuoteTime = time})));
  EXPECT_EQ(std::tuple(summary.Stocks, summary.Up, summary.Down, summary.Unchanged, summary.LimitUp, summary.LimitDown,
                       summary.LatestQuoteTime),
            std::tuple(6, 2, 2, 1, 1, 1, 46001.0));
  // Quote times count days since 1899-12-30 and show the nearest minute:
  // 13:29:50 shows 13:30, 23:59:45 the next day's 00:00; nothing outside the
  // years 1900 to 9999.
  const std::pair<double, const char*> rows[] = {{1.99, ""},
                                                 {2, "1900-01-01 00:00"},
                                                 {46000.56238425926, "2025-12-09 13:30"},
                                                 {46000.99982638889, "2025-12-10 00:00"},
                                                 {2958465.9997, ""}};
  for (const auto& [time, text] : rows) EXPECT_EQ(QuoteTimeText(time), text) << time;
}

}  // namespace kivrel
