#include "core/price/price_state.h"

#include <cmath>

#include "core/price/price_rules.h"

namespace kivrel {

TPriceLimits::TPriceLimits(const TStock& stock)
    : prevClose_(stock.Payload.PrevClose()), limitUp_(LimitUpPrice(stock)), limitDown_(LimitDownPrice(stock)) {}

PriceState TPriceLimits::StateOf(float value) const {
  // NaN fails every comparison below and would end as psDown; it is not a
  // price, so it is not classified.
  if (std::isnan(value) || std::isnan(prevClose_)) return psNone;
  // The product in extended precision: two tiny singles never multiply to 0.
  if (static_cast<long double>(value) * prevClose_ == 0.0L) return psNone;
  if (limitDown_ == limitUp_) return psNone;
  // The limit price and the tolerance meet in extended precision and the
  // single value is compared with the unrounded result.
  if (value > static_cast<long double>(limitUp_) - LimitTolerance) return psLimitUp;
  if (value < static_cast<long double>(limitDown_) + LimitTolerance) return psLimitDown;
  if (value > prevClose_) return psUp;
  if (value == prevClose_) return psFlat;
  return psDown;
}

PriceState GetPriceState(const TStock& stock, float value) { return TPriceLimits(stock).StateOf(value); }

TColor StateFontColor(const TStock& stock, float value) { return StateFontColors[GetPriceState(stock, value)]; }

TColor StateBrushColor(const TStock& stock, float value) { return StateBrushColors[GetPriceState(stock, value)]; }

}  // namespace kivrel
