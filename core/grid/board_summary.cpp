#include "core/grid/board_summary.h"

#include "core/grid/quote_time.h"
#include "core/price/price_state.h"

namespace kivrel {

void TBoardSummary::Add(const TStock& stock) {
  ++Stocks;
  const double time = stock.Payload.QuoteTime();
  if (HasQuoteTimeText(time) && time > LatestQuoteTime) LatestQuoteTime = time;
  switch (GetPriceState(stock, stock.Payload.Last())) {
    case psLimitUp: ++LimitUp; [[fallthrough]];
    case psUp: ++Up; break;
    case psFlat: ++Unchanged; break;
    case psLimitDown: ++LimitDown; [[fallthrough]];
    case psDown: ++Down; break;
    case psNone: break;
  }
}

}  // namespace kivrel
