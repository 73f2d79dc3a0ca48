#pragma once
// Tick sizes, daily limit prices and the two ratios the board shows. Every
// intermediate result is formed in x87 extended precision and each returned
// result is rounded to single; the limit prices depend on this to the tick.
//
// Outside the market's numbers the rules still give a defined result:
// - RoundToStep and SnapToTick hand back `value` unchanged when it is NaN or
//   infinite, or when its quotient by the step (after truncation or rounding)
//   lies outside the signed 64-bit range. Such a value is far beyond any tick
//   a single could resolve, so leaving it alone is the closest honest answer.
// - A NaN previous close therefore gives NaN limit prices. ChangePercent and
//   Amplitude give 0 when a NaN sits in their guard (PrevClose; High, Low);
//   a NaN Change passes through as a NaN change percentage.

#include <cfloat>
#include <limits>

#include "core/store/stock.h"

namespace kivrel {

static_assert(LDBL_MANT_DIG == 64, "the price rules need x87 extended precision (64-bit significand)");
// Rounding an extended result to single follows IEEE 754: nearest, ties to
// even, and a result beyond the single range becomes an infinity.
static_assert(std::numeric_limits<float>::is_iec559, "the price rules need IEEE 754 singles");

// The daily band: the extended-precision numbers nearest 1.07 and 0.93.
inline constexpr long double LimitUpFactor = 1.07L;
inline constexpr long double LimitDownFactor = 0.93L;

// Tick step of the band a price falls in (bounds 10, 50, 100, 500, 1000;
// a price equal to a bound belongs to the band that begins there). Zero,
// negative and NaN prices fall into the first band (step 0.01 as a single).
float TickSizes(float price);

// Brings `value` onto a multiple of `step`: truncating toward zero, or (with
// rounding) (step / 2 + value) / step rounded half to even. A step that is
// not positive (or NaN) gives 0.
float RoundToStep(bool rounding, float value, float step);
float SnapToTick(bool rounding, float price);

// PrevClose x 1.07 rounded to single, truncated onto the tick grid of its band.
float LimitUpPrice(const TStock& stock);
// PrevClose x 0.93 rounded to single, rounded onto the tick grid of its band.
float LimitDownPrice(const TStock& stock);
// Change / PrevClose x 100; 0 unless PrevClose > 0.
float ChangePercent(const TStock& stock);
// High / Low x 100 - 100; 0 unless Low > 0 and High > Low.
float Amplitude(const TStock& stock);

}  // namespace kivrel
