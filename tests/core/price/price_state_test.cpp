#include "core/price/price_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/stocks.h"

namespace kivrel {

TPriceLimits Limits(float prevClose) { return TPriceLimits(TStock(testing::Record({.PrevClose = prevClose}))); }

// Close, value, state. A close of 10 has the limits 10.65 and 9.31; 0.15 has
// 0.16 and 0.14; 0.14 has 0.14 twice; 150 has 160.5 and 140; 1000 has 1070
// and 930. Rows 9 to 12 lie within the tolerance of a limit or a tick away;
// then come values beyond the limits, next to the close, and the smallest
// single, whose product with the close is extended and does not vanish.
TEST(PriceState, ClassifiesAgainstTheCloseAndTheLimits) {
  constexpr float inf = INFINITY, nan = NAN, tiny = std::numeric_limits<float>::denorm_min();
  const std::tuple<float, float, PriceState> rows[] = {{10, 10.65F, psLimitUp},
                                                       {10, 11, psLimitUp},
                                                       {10, 10.64F, psUp},
                                                       {10, 10, psFlat},
                                                       {10, 9.5F, psDown},
                                                       {10, 9.31F, psLimitDown},
                                                       {10, 9.30F, psLimitDown},
                                                       {10, 0, psNone},
                                                       {10, 10.64995F, psLimitUp},
                                                       {10, 10.60F, psUp},
                                                       {10, 9.31005F, psLimitDown},
                                                       {10, 9.36F, psDown},
                                                       {10, 1000, psLimitUp},
                                                       {10, inf, psLimitUp},
                                                       {10, -1, psLimitDown},
                                                       {10, -inf, psLimitDown},
                                                       {10, std::nextafter(10.0F, 11.0F), psUp},
                                                       {10, std::nextafter(10.0F, 9.0F), psDown},
                                                       {0.15F, tiny, psLimitDown},
                                                       {0, 10, psNone},
                                                       {0.14F, 0.14F, psNone},
                                                       {0.14F, 1, psNone},
                                                       {0.14F, 0.13F, psNone},
                                                       {0.15F, 0.16F, psLimitUp},
                                                       {0.15F, 0.15F, psFlat},
                                                       {0.15F, 0.14F, psLimitDown},
                                                       {150, 160, psUp},
                                                       {150, 140.5F, psDown},
                                                       {150, 140, psLimitDown},
                                                       {1000, 1069, psUp},
                                                       {1000, 931, psDown},
                                                       {10, nan, psNone},
                                                       {nan, 10, psNone},
                                                       {inf, 10, psNone}};
  for (const auto& [close, value, state] : rows)
    EXPECT_EQ(Limits(close).StateOf(value), state) << close << " " << value;
}

// Yellow on red, red, black, dark green, white on dark green, black; the rest on button face.
TEST(PriceState, ColoursByState) {
  EXPECT_EQ(StateFontColors, (std::array<TColor, 6>{0x00FFFF, 0x0000FF, 0, 0x008000, 0xFFFFFF, 0}));
  EXPECT_EQ(StateBrushColors, (std::array<TColor, 6>{0x0000FF, clBtnFace, clBtnFace, clBtnFace, 0x008000, clBtnFace}));
}

}  // namespace kivrel
