#pragma once
// Where a shown value stands against its stock's trading day, and the colours
// that follow from it.

#include <array>
#include <cstdint>

#include "core/color/colors.h"
#include "core/store/stock.h"

namespace kivrel {

enum PriceState : std::uint8_t {
  psLimitUp = 0,
  psUp = 1,
  psFlat = 2,
  psDown = 3,
  psLimitDown = 4,
  psNone = 5,
};

// A value less than this below the limit-up price (or above the limit-down
// price) counts as at the limit. The extended-precision number nearest 0.0001.
inline constexpr long double LimitTolerance = 0.0001L;

// Indexed by PriceState: limit-up is yellow on red, limit-down white on
// (dark) green, other rises red, falls green, the rest black on button face.
inline constexpr std::array<TColor, 6> StateFontColors{clYellow, clRed, clBlack, clGreen, clWhite, clBlack};
inline constexpr std::array<TColor, 6> StateBrushColors{clRed, clBtnFace, clBtnFace, clBtnFace, clGreen, clBtnFace};

// A stock's previous close and the day's two limit prices, each computed
// once, against which any number of values are classified.
class TPriceLimits {
 public:
  explicit TPriceLimits(const TStock& stock);

  float PrevClose() const { return prevClose_; }
  float LimitUp() const { return limitUp_; }
  float LimitDown() const { return limitDown_; }

 private:
  float prevClose_;
  float limitUp_;
  float limitDown_;
};

// Where `value` stands against the limits; the first test that holds
// decides: the value or PrevClose is 0 (psNone); the two limit prices are
// equal (psNone); at or beyond a limit, within LimitTolerance (psLimitUp,
// then psLimitDown); above, equal to or below PrevClose. A NaN value or
// PrevClose gives psNone.
PriceState GetPriceState(const TPriceLimits& limits, float value);
// The same against the stock's limits, worked out afresh.
PriceState GetPriceState(const TStock& stock, float value);

// StateFontColors and StateBrushColors at the value's price state.
TColor StateFontColor(const TPriceLimits& limits, float value);
TColor StateBrushColor(const TPriceLimits& limits, float value);

}  // namespace kivrel
