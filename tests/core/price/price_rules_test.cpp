#include "core/price/price_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/price/price_state.h"
#include "support/stocks.h"

namespace kivrel {

TStock Stock(float prevClose, float change = 0, float high = 0, float low = 0) {
  StockRecord r = testing::Record({.PrevClose = prevClose});
  r.SetChange(change);
  r.SetHigh(high);
  r.SetLow(low);
  return TStock(r);
}

long Cents(float price) { return std::lround(price * 100.0); }  // as the grid shows it, two decimals

// A price at a band's bound takes the band's tick; one just below, the tick
// of the band below.
TEST(TickSizes, EachBandBeginsAtItsBound) {
  const std::pair<float, float> rows[] = {{9.99F, 0.01F}, {10, 0.05F},    {49.99F, 0.05F}, {50, 0.1F}, {99.99F, 0.1F},
                                          {100, 0.5F},    {499.5F, 0.5F}, {500, 1},        {999, 1},   {1000, 5}};
  for (const auto& [price, tick] : rows) EXPECT_EQ(TickSizes(price), tick) << price;
}

// Close, and the limit prices in cents, for closes where double arithmetic
// (the first two) or the factors held as doubles (the next three) would land
// on another tick; and a close whose limit-down 930 lies on a tick exactly:
// half a step more, divided by the step 5, gives 186.5, which goes to the even
// 186, not 187.
TEST(LimitPrices, ExtendedPrecisionAndEvenTieCases) {
  const std::tuple<float, long, long> rows[] = {
      {1.29906535F, 139, 121},   {20.8411217F, 2230, 1940}, {23.9247322F, 2555, 2225},
      {33.4112167F, 3570, 3110}, {66.8224335F, 7140, 6220}, {1000, 107000, 93000},
  };
  for (const auto& [close, up, down] : rows) {
    EXPECT_EQ(std::pair(Cents(LimitUpPrice(Stock(close))), Cents(LimitDownPrice(Stock(close)))), std::pair(up, down))
        << close;
  }
}

// Close, change, high, low, and the two ratios in hundredths: a rise and a
// fall; a close that is not positive, a high below the low, and NaN guards.
TEST(Ratios, ChangePercentAndAmplitudeWithTheirGuards) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::tuple<float, float, float, float, long, long> rows[] = {
      {10, 0.7F, 10.5F, 10, 700, 500}, {10, -0.7F, 10, 9.3F, -700, 753}, {0, 0.7F, 10, 10, 0, 0},
      {-10, 0.7F, 9, 10, 0, 0},        {nan, 0.7F, 10.5F, 0, 0, 0},      {10, 0, nan, 0.14F, 0, 0},
  };
  for (const auto& [close, change, high, low, percent, amplitude] : rows) {
    const TStock stock = Stock(close, change, high, low);
    EXPECT_EQ(std::pair(Cents(ChangePercent(stock)), Cents(Amplitude(stock))), std::pair(percent, amplitude)) << close;
  }
}

// The limit rules worked exactly in units of 0.0001 (a two-decimal close times
// 1.07 or 0.93 is whole). A limit may be a tick off the exact one only where
// the exact product lies on a tick (within 1/1000 of one).
bool AgreesWithExact(float limit, std::int64_t base, bool up) {
  const std::int64_t step = base >= 10'000'000  ? 50'000
                            : base >= 5'000'000 ? 10'000
                            : base >= 1'000'000 ? 5'000
                            : base >= 500'000   ? 1'000
                            : base >= 100'000   ? 500
                                                : 100;
  const std::int64_t rem = base % step, num = 2 * base + step, q = num / (2 * step), twiceRem = 2 * (num % (2 * step));
  const std::int64_t exact = up ? base - rem : (q + (twiceRem > 2 * step || (twiceRem == 2 * step && q % 2))) * step;
  const std::int64_t got = Cents(limit) * 100;
  return got == exact || ((rem < step - rem ? rem : step - rem) * 1000 <= step && std::llabs(got - exact) <= step);
}

// The single nearest the tolerance edge on its inside (toward the limit), and the one next to it outside.
std::pair<float, float> AroundEdge(long double edge, float limit) {
  float inside = static_cast<float>(edge);
  while ((inside - edge) * (limit - edge) <= 0) inside = std::nextafter(inside, limit);
  return {inside, std::nextafter(inside, static_cast<float>(2 * edge - limit))};
}

// Besides the exact limits: the limits classify as limits, the close as flat,
// and the tolerance edge lies between two singles.
TEST(LimitPrices, EveryTwoDecimalCloseUpTo2000AgreesWithExactDecimals) {
  std::string faults;
  for (long long cents = 1; cents <= 200'000 && faults.size() < 2000; ++cents) {
    const std::string text = std::to_string(cents / 100) + "." + std::to_string(100 + cents % 100).substr(1);
    const float close = std::strtof(text.c_str(), nullptr);
    const TPriceLimits limits(Stock(close));
    const float up = limits.LimitUp(), down = limits.LimitDown();
    const auto [upIn, upOut] = AroundEdge(up - LimitTolerance, up);
    const auto [downIn, downOut] = AroundEdge(down + LimitTolerance, down);
    const bool ok =
        AgreesWithExact(up, cents * 107, true) && AgreesWithExact(down, cents * 93, false) &&
        (up == down) == (cents <= 14) &&
        (cents <= 14 || (down <= close && close <= up && GetPriceState(limits, close) == psFlat &&
                         GetPriceState(limits, up) == psLimitUp && GetPriceState(limits, upIn) == psLimitUp &&
                         GetPriceState(limits, upOut) == psUp && GetPriceState(limits, downOut) == psDown &&
                         GetPriceState(limits, down) == psLimitDown && GetPriceState(limits, downIn) == psLimitDown));
    if (!ok) faults += text + " gives " + std::to_string(up) + " and " + std::to_string(down) + "\n";
  }
  EXPECT_EQ(faults, "");
}

}  // namespace kivrel
