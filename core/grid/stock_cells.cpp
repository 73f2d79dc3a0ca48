#include "core/grid/stock_cells.h"

#include "core/grid/value_format.h"
#include "core/price/price_rules.h"
#include "core/text/text_utils.h"

namespace kivrel {

std::string StockCellText(const TStock& stock, int col) {
  const StockRecord& r = stock.Payload;
  constexpr bool kForce = false;
  switch (col) {
    case 0: return Trim(r.Code());
    case 1: return FormatStockName(TrimView(r.Name()));
    case 2: return FormatValue(2, kForce, false, r.Bid());
    case 3: return FormatValue(2, kForce, false, r.Ask());
    case 4: return FormatValue(2, kForce, false, r.Last());
    case 5: return FormatValue(2, kForce, true, r.Change());
    case 6: return FormatValue(0, kForce, false, r.Volume());
    case 7: return FormatValue(2, kForce, false, r.Open());
    case 8: return FormatValue(2, kForce, false, r.High());
    case 9: return FormatValue(2, kForce, false, r.Low());
    case 10: return FormatValue(2, kForce, true, ChangePercent(stock));
    case 11: return FormatValue(2, kForce, false, Amplitude(stock));
    case 12: return FormatValue(2, kForce, false, r.PrevClose());
    case 13: return FormatValue(2, kForce, true, LimitUpPrice(stock));
    case 14: return FormatValue(2, kForce, true, -static_cast<long double>(LimitDownPrice(stock)));
    default: return {};
  }
}

std::array<std::string, kGridColumns> StockRowTexts(const TStock& stock) {
  std::array<std::string, kGridColumns> texts;
  for (int col = 0; col < kGridColumns; ++col) texts[static_cast<size_t>(col)] = StockCellText(stock, col);
  return texts;
}

}  // namespace kivrel
