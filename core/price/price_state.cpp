#include "core/price/price_state.h"

#include <cmath>

#include "core/price/price_rules.h"

namespace kivrel {

TPriceLimits::TPriceLimits(const TStock& stock)
    : prevClose_(stock.Payload.PrevClose()), limitUp_(LimitUpPrice(stock)), limitDown_(LimitDownPrice(stock)) {}

PriceState GetPriceState(const TPriceLimits& limits, float value) {
  const float prevClose = limits.PrevClose();
  // NaN fails every comparison below and would end as psDown; it is not a
  // price, so it is not classified.
  if (std::isnan(value) || std::isnan(prevClose)) return psNone;
  // The product in extended precision: two tiny singles never multiply to 0.
  if (static_cast<long double>(value) * prevClose == 0.0L) return psNone;
  if (limits.LimitDown() == limits.LimitUp()) return psNone;
  // The limit price and the tolerance meet in extended precision and the
  // single value is compared with the unrounded result.
  if (value > static_cast<long double>(limits.LimitUp()) - LimitTolerance) return psLimitUp;
  if (value < static_cast<long double>(limits.LimitDown()) + LimitTolerance) return psLimitDown;
  if (value > prevClose) return psUp;
  if (value == prevClose) return psFlat;
  return psDown;
}

PriceState GetPriceState(const TStock& stock, float value) { return GetPriceState(TPriceLimits(stock), value); }

TColor StateFontColor(const TPriceLimits& limits, float value) { return StateFontColors[GetPriceState(limits, value)]; }

TColor StateBrushColor(const TPriceLimits& limits, float value) {
  return StateBrushColors[GetPriceState(limits, value)];
}

}  // namespace kivrel
