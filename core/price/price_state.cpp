#include "core/price/price_state.h"

#include <cmath>

#include "core/price/price_rules.h"

namespace kivrel {

PriceState GetPriceState(const TStock& stock, float value) {
  const float prev = stock.Payload.PrevClose();
  // NaN fails every comparison below and would end as psDown; it is not a
  // price, so it is not classified.
  if (std::isnan(value) || std::isnan(prev)) return psNone;
  // The product in extended precision: two tiny singles never multiply to 0.
  if (static_cast<long double>(value) * prev == 0.0L) return psNone;
  const float up = LimitUpPrice(stock);
  const float down = LimitDownPrice(stock);
  if (down == up) return psNone;
  // The limit price and the tolerance meet in extended precision and the
  // single value is compared with the unrounded result.
  if (value > static_cast<long double>(up) - LimitTolerance) return psLimitUp;
  if (value < static_cast<long double>(down) + LimitTolerance) return psLimitDown;
  if (value > prev) return psUp;
  if (value == prev) return psFlat;
  return psDown;
}

TColor StateFontColor(const TStock& stock, float value) { return StateFontColors[GetPriceState(stock, value)]; }

TColor StateBrushColor(const TStock& stock, float value) { return StateBrushColors[GetPriceState(stock, value)]; }

}  // namespace kivrel
