#include "core/grid/board_summary.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/grid/row_stock.h"
#include "core/lists/split_list.h"
#include "core/price/price_state.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

TBoardSummary SummarizeBoard(const TStringGrid& grid) {
  TBoardSummary summary;
  for (int row = 1; row < grid.RowCount(); ++row) {
    const TStock* stock = RowStock(grid, row);
    if (stock == nullptr) continue;
    ++summary.Stocks;
    const double time = stock->Payload.QuoteTime();
    if (!QuoteTimeText(time).empty() && time > summary.LatestQuoteTime) summary.LatestQuoteTime = time;
    switch (GetPriceState(*stock, stock->Payload.Last())) {
      case psLimitUp: ++summary.LimitUp; [[fallthrough]];
      case psUp: ++summary.Up; break;
      case psFlat: ++summary.Unchanged; break;
      case psLimitDown: ++summary.LimitDown; [[fallthrough]];
      case psDown: ++summary.Down; break;
      case psNone: break;
    }
  }
  return summary;
}

std::string QuoteTimeText(double quoteTime) {
  // Days since 1899-12-30; 1900-01-01 is day 2, 9999-12-31 day 2958465.
  if (!(quoteTime >= 2 && quoteTime < 2958466)) return {};
  using namespace std::chrono;
  auto minutes = static_cast<long long>(std::llround(quoteTime * 1440));
  const sys_days day = sys_days{year{1899} / December / 30} + days{minutes / 1440};
  minutes %= 1440;
  const year_month_day date{day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), minutes / 60, minutes % 60);
  return text;
}

std::string MarketAndCategory(const StockRecord& record) {
  static const ISplitStrListPtr tables[] = {NewSplitStrList(kListedCategoriesText),
                                            NewSplitStrList(kOtcCategoriesText)};
  const bool listed = record.Market() == 0;
  std::string words(listed ? kListedMarketName : kOtcMarketName);
  const TStringList& table = tables[listed ? 0 : 1]->GetList();
  if (record.Category() >= table.Count()) return words;
  std::string category = table.Strings(record.Category());
  for (std::size_t at = category.find("&c="); at != std::string::npos; at = category.find("&c=", at)) {
    category.replace(at, 3, kEnumerationComma);
  }
  return words + " " + category;
}

}  // namespace kivrel
