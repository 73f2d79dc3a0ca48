#include "core/price/price_rules.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/price/price_state.h"
#include "support/stocks.h"

namespace kivrel {

constexpr float kInf = std::numeric_limits<float>::infinity(), kNaN = std::numeric_limits<float>::quiet_NaN();

TStock Stock(float prevClose, float change = 0, float high = 0, float low = 0) {
  StockRecord r = testing::Record({.PrevClose = prevClose});
  r.SetChange(change), r.SetHigh(high), r.SetLow(low);
  return TStock(r);
}

long Cents(float price) { return std::lround(price * 100.0); }  // as the grid shows it, two decimals

// Close, and the limit prices in cents. From 1.29906535 on, double arithmetic
// (the first two) or the factors held as doubles (the last three) would land
// on another tick.
TEST(LimitPrices, WorkedExamplesAndExtendedPrecisionCases) {
  const std::tuple<float, long, long> rows[] = {{0, 0, 0},
                                                {0.14F, 14, 14},
                                                {0.15F, 16, 14},
                                                {1, 107, 94},
                                                {9.99F, 1065, 930},
                                                {10, 1065, 931},
                                                {49.9F, 5330, 4645},
                                                {50, 5340, 4650},
                                                {100, 10700, 9300},
                                                {150, 16050, 14000},
                                                {200, 21400, 18600},
                                                {250, 26750, 23300},
                                                {512, 54700, 47650},
                                                {1000, 107000, 93000},
                                                {20, 2135, 1865},
                                                {1.29906535F, 139, 121},
                                                {20.8411217F, 2230, 1940},
                                                {23.9247322F, 2555, 2225},
                                                {33.4112167F, 3570, 3110},
                                                {66.8224335F, 7140, 6220}};
  for (const auto& [close, up, down] : rows) {
    EXPECT_EQ(std::pair(Cents(LimitUpPrice(Stock(close))), Cents(LimitDownPrice(Stock(close)))), std::pair(up, down))
        << close;
  }
}

TEST(TickSizes, BandEdges) {
  const auto below = [](float bound) { return std::nextafter(bound, 0.0F); };
  const std::pair<float, float> rows[] = {{-kInf, 0.01F}, {0, 0.01F},         {kNaN, 0.01F}, {below(10), 0.01F},
                                          {10, 0.05F},    {below(50), 0.05F}, {50, 0.1F},    {below(100), 0.1F},
                                          {100, 0.5F},    {below(500), 0.5F}, {500, 1},      {below(1000), 1},
                                          {1000, 5},      {kInf, 5}};
  for (const auto& [price, step] : rows) EXPECT_EQ(TickSizes(price), step) << price;
}

// Rounding, value, step, result: truncation toward zero; rounding half a step
// up, ties to even; 0 for a step that is not positive; a value that is not
// finite, or whose quotient leaves int64, comes back unchanged (the quotients
// at the edge still convert).
TEST(RoundToStep, TruncatesRoundsAndLeavesWhatItCannotStep) {
  const float max = std::nextafter(0x1p63F, 0.0F);
  const std::tuple<bool, float, float, float> rows[] = {{false, -1.234F, 0.01F, -1.23F},
                                                        {false, 10.7F, 0.05F, 10.6500006F},
                                                        {true, 1.234F, 0.01F, 1.24F},
                                                        {true, -1.234F, 0.01F, -1.23F},
                                                        {true, -1.25F, 0.5F, -1},
                                                        {true, 1, 0.5F, 1},
                                                        {true, -1.5F, 0.5F, -1},
                                                        {false, 5, 0, 0},
                                                        {true, 5, -0.5F, 0},
                                                        {true, 5, kNaN, 0},
                                                        {false, kNaN, 0.01F, kNaN},
                                                        {true, kNaN, 0.01F, kNaN},
                                                        {true, -kInf, 0.01F, -kInf},
                                                        {false, 1e17F, 0.01F, 1e17F},
                                                        {false, 10, 1e-30F, 10},
                                                        {false, max, 1, max},
                                                        {false, 0x1p62F, 0.5F, 0x1p62F},
                                                        {true, -0x1p62F, 0.5F, -0x1p62F},
                                                        {true, -max, 1, -max}};
  for (const auto& [rounding, value, step, expected] : rows) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(RoundToStep(rounding, value, step)), std::bit_cast<std::uint32_t>(expected))
        << rounding << " " << value << " " << step << " gives " << RoundToStep(rounding, value, step);
  }
}

// Close, change, high, low, and the two ratios in hundredths; then extended
// intermediates, where single or double ones give 6.62500048 and 0.462509155
// or 0.462513268.
TEST(Ratios, ChangePercentAndAmplitudeWithTheirGuards) {
  const std::tuple<float, float, float, float, long, long> rows[] = {
      {10, 0.7F, 10.5F, 10, 700, 500}, {10, -0.7F, 10, 9.3F, -700, 753}, {0, 0.7F, 10, 10, 0, 0},
      {-10, 0.7F, 9, 10, 0, 0},        {kNaN, 0.7F, 10.5F, 0, 0, 0},     {10, 0, kNaN, 0.14F, 0, 0}};
  for (const auto& [close, change, high, low, percent, amplitude] : rows) {
    const TStock stock = Stock(close, change, high, low);
    EXPECT_EQ(std::pair(Cents(ChangePercent(stock)), Cents(Amplitude(stock))), std::pair(percent, amplitude)) << close;
  }
  EXPECT_TRUE(std::isnan(ChangePercent(Stock(10, kNaN))) && ChangePercent(Stock(40, 2.65F)) == 6.625F);
  EXPECT_EQ(Amplitude(Stock(0, 0, 217.21F, 216.21F)), 0.462513298F);
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
    const bool ok = AgreesWithExact(up, cents * 107, true) && AgreesWithExact(down, cents * 93, false) &&
                    (up == down) == (cents <= 14) &&
                    (cents <= 14 || (down <= close && close <= up && limits.StateOf(close) == psFlat &&
                                     limits.StateOf(up) == psLimitUp && limits.StateOf(upIn) == psLimitUp &&
                                     limits.StateOf(upOut) == psUp && limits.StateOf(downOut) == psDown &&
                                     limits.StateOf(down) == psLimitDown && limits.StateOf(downIn) == psLimitDown));
    if (!ok) faults += text + " gives " + std::to_string(up) + " and " + std::to_string(down) + "\n";
  }
  EXPECT_EQ(faults, "");
}

}  // namespace kivrel
