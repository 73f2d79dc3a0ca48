#pragma once
// Where a shown value stands against its stock's trading day, and the colours
// that follow from it.

#include <array>
#include <cstdint>

#include "core/draw/colors.h"
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

PriceState GetPriceState(const TStock& stock, float value);
TColor StateFontColor(const TStock& stock, float value);
TColor StateBrushColor(const TStock& stock, float value);

}  // namespace kivrel
