#include "core/price/price_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/stocks.h"

namespace kivrel {

// Close, value, state. A close of 10 has the limits 10.65 and 9.31, and 0.14
// has 0.14 twice. Values within the tolerance of a limit or a tick inside it,
// beyond the limits, next to the close; the smallest single, whose product
// with the close is extended and does not vanish; then what is not classified.
TEST(PriceState, ClassifiesAgainstTheCloseAndTheLimits) {
  constexpr float inf = INFINITY, nan = NAN, tiny = std::numeric_limits<float>::denorm_min();
  const std::tuple<float, float, PriceState> rows[] = {
      {10, 10.64995F, psLimitUp},
      {10, 10.64F, psUp},
      {10, 9.31005F, psLimitDown},
      {10, 9.32F, psDown},
      {10, inf, psLimitUp},
      {10, -1, psLimitDown},
      {10, 10, psFlat},
      {10, std::nextafter(10.0F, 11.0F), psUp},
      {10, std::nextafter(10.0F, 9.0F), psDown},
      {0.15F, tiny, psLimitDown},
      {10, 0, psNone},
      {0, 10, psNone},
      {0.14F, 0.14F, psNone},
      {10, nan, psNone},
      {nan, 10, psNone},
  };
  for (const auto& [close, value, state] : rows) {
    const TPriceLimits limits(TStock(testing::Record({.PrevClose = close})));
    EXPECT_EQ(GetPriceState(limits, value), state) << close << " " << value;
  }
}

}  // namespace kivrel
