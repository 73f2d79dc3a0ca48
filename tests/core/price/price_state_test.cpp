#include "core/price/price_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/price/price_fixtures.h"
#include "core/price/price_rules.h"

namespace kivrel {
namespace {

using testing::Sig9;
using testing::StockWithPrevClose;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// With a previous close of 10 the limit prices are 10.65 and 9.31.
TEST(GetPriceState, ClassifiesAgainstPrevCloseAndLimits) {
  const struct {
    float prev_close;
    float value;
    PriceState expected;
  } rows[] = {
      {10.0F, 10.65F, psLimitUp},
      {10.0F, 11.0F, psLimitUp},
      {10.0F, 10.64F, psUp},
      {10.0F, 10.0F, psFlat},
      {10.0F, 9.5F, psDown},
      {10.0F, 9.31F, psLimitDown},
      {10.0F, 9.30F, psLimitDown},
      {10.0F, 0.0F, psNone},
      // Within the tolerance of a limit, and a full tick away from it.
      {10.0F, 10.64995F, psLimitUp},
      {10.0F, 10.60F, psUp},
      {10.0F, 9.31005F, psLimitDown},
      {10.0F, 9.36F, psDown},
      // Beyond a limit counts as at it.
      {10.0F, 1000.0F, psLimitUp},
      {10.0F, kInf, psLimitUp},
      {10.0F, -1.0F, psLimitDown},
      {10.0F, -kInf, psLimitDown},
      // The previous close is compared exactly, without tolerance.
      {10.0F, std::nextafter(10.0F, 11.0F), psUp},
      {10.0F, std::nextafter(10.0F, 9.0F), psDown},
      // The smallest single is not 0: its product with the close is formed in
      // extended precision, where it does not vanish.
      {10.0F, std::numeric_limits<float>::denorm_min(), psLimitDown},
      // No previous close, or limit prices that coincide (0.14 gives 0.14
      // and 0.14): nothing is classified.
      {0.0F, 10.0F, psNone},
      {0.14F, 0.14F, psNone},
      {0.14F, 0.15F, psNone},
      {0.14F, 0.13F, psNone},
      {0.14F, 1.0F, psNone},
      // 0.15 gives 0.16 and 0.14.
      {0.15F, 0.16F, psLimitUp},
      {0.15F, 0.15F, psFlat},
      {0.15F, 0.14F, psLimitDown},
      // 150 gives 160.5 and 140 (the tie of 139.5 goes up to 280 steps).
      {150.0F, 160.5F, psLimitUp},
      {150.0F, 160.0F, psUp},
      {150.0F, 140.5F, psDown},
      {150.0F, 140.0F, psLimitDown},
      {150.0F, 139.5F, psLimitDown},
      // 1000 gives 1070 and 930.
      {1000.0F, 1069.0F, psUp},
      {1000.0F, 931.0F, psDown},
      {1000.0F, 930.0F, psLimitDown},
      // Not numbers are not classified; an infinite close has infinite limits.
      {10.0F, kNaN, psNone},
      {kNaN, 10.0F, psNone},
      {kInf, 10.0F, psNone},
      {kInf, 0.0F, psNone},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.prev_close) + " / " + Sig9(row.value));
    EXPECT_EQ(GetPriceState(StockWithPrevClose(row.prev_close), row.value), row.expected);
  }
}

// The tolerance edge lies between two singles; the nearer one inside counts
// as at the limit, the nearer one outside does not.
TEST(GetPriceState, ToleranceEdgeAroundLimits) {
  const struct {
    float prev_close;
  } rows[] = {{0.15F}, {1.0F}, {10.0F}, {49.9F}, {150.0F}, {512.0F}, {1000.0F}};
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.prev_close));
    const TStock stock = StockWithPrevClose(row.prev_close);
    const long double up_edge = static_cast<long double>(LimitUpPrice(stock)) - 0.0001L;
    float inside = static_cast<float>(up_edge);
    if (!(inside > up_edge)) inside = std::nextafter(inside, kInf);
    EXPECT_EQ(GetPriceState(stock, inside), psLimitUp);
    EXPECT_EQ(GetPriceState(stock, std::nextafter(inside, 0.0F)), psUp);

    const long double down_edge = static_cast<long double>(LimitDownPrice(stock)) + 0.0001L;
    inside = static_cast<float>(down_edge);
    if (!(inside < down_edge)) inside = std::nextafter(inside, 0.0F);
    EXPECT_EQ(GetPriceState(stock, inside), psLimitDown);
    EXPECT_EQ(GetPriceState(stock, std::nextafter(inside, kInf)), psDown);
  }
}

TEST(StateColors, EveryStateOnAStock) {
  const TStock stock = StockWithPrevClose(10.0F);
  const struct {
    float value;
    PriceState state;
    TColor font;
    TColor brush;
  } rows[] = {
      {10.65F, psLimitUp, 0x0000FFFF, 0x000000FF},
      {10.3F, psUp, 0x000000FF, 0x8000000F},
      {10.0F, psFlat, 0x00000000, 0x8000000F},
      {9.5F, psDown, 0x00008000, 0x8000000F},
      {9.31F, psLimitDown, 0x00FFFFFF, 0x00008000},
      {0.0F, psNone, 0x00000000, 0x8000000F},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.value));
    ASSERT_EQ(GetPriceState(stock, row.value), row.state);
    EXPECT_EQ(StateFontColor(stock, row.value), row.font);
    EXPECT_EQ(StateBrushColor(stock, row.value), row.brush);
  }
}

}  // namespace
}  // namespace kivrel
