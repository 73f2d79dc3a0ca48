#include "core/price/price_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/stocks.h"

namespace kivrel {

// Close, value, state, beside the limits and the tolerance that every
// two-decimal close is tried with (LimitPrices): a close of 10 has the limits
// 10.65 and 9.31, and 0.14 has 0.14 twice. Values beyond the limits, next to
// the close; the smallest single, whose product with the close is extended
// and does not vanish; then what is not classified.
TEST(PriceState, ClassifiesAgainstTheCloseAndTheLimits) {
  constexpr float inf = INFINITY, nan = NAN, tiny = std::numeric_limits<float>::denorm_min();
  const float above = std::nextafter(10.0F, 11.0F), below = std::nextafter(10.0F, 9.0F);
  const std::tuple<float, float, PriceState> rows[] = {
      {10, inf, psLimitUp},       {10, -1, psLimitDown}, {10, above, psUp}, {10, below, psDown},
      {0.15F, tiny, psLimitDown}, {10, 0, psNone},       {0, 10, psNone},   {0.14F, 0.14F, psNone},
      {10, nan, psNone},          {nan, 10, psNone}};
  for (const auto& [close, value, state] : rows)
    EXPECT_EQ(GetPriceState(TStock(testing::Record({.PrevClose = close})), value), state) << close << " " << value;
}

}  // namespace kivrel
