#pragma once
// Tick sizes, daily limit prices and the two ratios the board shows. Every
// intermediate result is formed in x87 extended precision and each returned
// result is rounded to single; the limit prices depend on this to the tick.

#include <cfloat>

#include "core/store/stock.h"

namespace kivrel {

static_assert(LDBL_MANT_DIG == 64, "the price rules need x87 extended precision (64-bit significand)");

// Tick step of the band a price falls in (bounds 10, 50, 100, 500, 1000;
// a price equal to a bound belongs to the band that begins there).
float TickSizes(float price);

// Brings `value` onto a multiple of `step`: truncating toward zero, or (with
// rounding) (step / 2 + value) / step rounded half to even. A step that is
// not positive gives 0.
float RoundToStep(bool rounding, float value, float step);
float SnapToTick(bool rounding, float price);

float LimitUpPrice(const TStock& stock);
float LimitDownPrice(const TStock& stock);
float ChangePercent(const TStock& stock);
float Amplitude(const TStock& stock);

}  // namespace kivrel
