#include "core/price/price_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/price/price_fixtures.h"

namespace kivrel {
namespace {

using testing::Fixed2;
using testing::MakeStock;
using testing::Sig9;
using testing::StockWithPrevClose;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

float Parse(const char* text) { return std::strtof(text, nullptr); }

// The single that chooses the band of a limit price.
float LimitUpBase(float prev_close) { return static_cast<float>(prev_close * LimitUpFactor); }
float LimitDownBase(float prev_close) { return static_cast<float>(prev_close * LimitDownFactor); }

TEST(LimitPrices, WorkedExamples) {
  const struct {
    const char* prev_close;
    const char* up_base;
    const char* up_step;
    const char* up;
    const char* down_base;
    const char* down_step;
    const char* down;
  } rows[] = {
      {"0", "0", "0.01", "0.00", "0", "0.01", "0.00"},
      {"0.14", "0.149800003", "0.01", "0.14", "0.130199999", "0.01", "0.14"},
      {"0.15", "0.160500005", "0.01", "0.16", "0.139500007", "0.01", "0.14"},
      {"1", "1.07000005", "0.01", "1.07", "0.930000007", "0.01", "0.94"},
      {"9.99", "10.6892996", "0.05", "10.65", "9.29069996", "0.01", "9.30"},
      {"10", "10.6999998", "0.05", "10.65", "9.30000019", "0.01", "9.31"},
      {"49.9", "53.3930016", "0.1", "53.30", "46.4070015", "0.05", "46.45"},
      {"50", "53.5", "0.1", "53.40", "46.5", "0.05", "46.50"},
      {"100", "107", "0.5", "107.00", "93", "0.1", "93.00"},
      {"150", "160.5", "0.5", "160.50", "139.5", "0.5", "140.00"},
      {"200", "214", "0.5", "214.00", "186", "0.5", "186.00"},
      {"250", "267.5", "0.5", "267.50", "232.5", "0.5", "233.00"},
      {"512", "547.840027", "1", "547.00", "476.160004", "0.5", "476.50"},
      {"1000", "1070", "5", "1070.00", "930", "1", "930.00"},
      // Products that lie exactly on a tick of a non-binary step.
      {"20", "21.3999996", "0.05", "21.35", "18.6000004", "0.05", "18.65"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.prev_close);
    const float prev_close = Parse(row.prev_close);
    const TStock stock = StockWithPrevClose(prev_close);
    const float up_base = LimitUpBase(prev_close);
    const float down_base = LimitDownBase(prev_close);
    EXPECT_EQ(Sig9(up_base), row.up_base);
    EXPECT_EQ(TickSizes(up_base), Parse(row.up_step));
    EXPECT_EQ(Fixed2(LimitUpPrice(stock)), row.up);
    EXPECT_EQ(Sig9(down_base), row.down_base);
    EXPECT_EQ(TickSizes(down_base), Parse(row.down_step));
    EXPECT_EQ(Fixed2(LimitDownPrice(stock)), row.down);
  }
}

// Singles no page gives, where the limit price lands on another tick when the
// products and quotients are worked in double (or the factor is held as the
// double nearest 1.07 / 0.93) instead of extended precision.
TEST(LimitPrices, ExtendedPrecisionDecidesTheTick) {
  const struct {
    const char* prev_close;  // %.9g of the single
    const char* up;
    const char* down;
  } rows[] = {
      {"1.29906535", "1.39", "1.21"},    // double arithmetic: 1.38
      {"20.8411217", "22.30", "19.40"},  // double arithmetic: 22.25
      {"23.9247322", "25.55", "22.25"},  // factor as a double: 22.30
      {"33.4112167", "35.70", "31.10"},  // factor as a double: 35.75
      {"66.8224335", "71.40", "62.20"},  // factor as a double: 71.50
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.prev_close);
    const TStock stock = StockWithPrevClose(Parse(row.prev_close));
    EXPECT_EQ(Fixed2(LimitUpPrice(stock)), row.up);
    EXPECT_EQ(Fixed2(LimitDownPrice(stock)), row.down);
  }
}

TEST(LimitPrices, OutsideTheMarketStayDefined) {
  EXPECT_TRUE(std::isnan(LimitUpPrice(StockWithPrevClose(kNaN))));
  EXPECT_TRUE(std::isnan(LimitDownPrice(StockWithPrevClose(kNaN))));
  EXPECT_EQ(LimitUpPrice(StockWithPrevClose(kInf)), kInf);
  EXPECT_EQ(LimitDownPrice(StockWithPrevClose(-kInf)), -kInf);
  // The largest single: the product overflows the single range.
  EXPECT_EQ(LimitUpPrice(StockWithPrevClose(std::numeric_limits<float>::max())), kInf);
  EXPECT_TRUE(std::isnan(ChangePercent(MakeStock({.prev_close = 10.0F, .change = kNaN}))));
}

TEST(TickSizes, BandEdges) {
  const struct {
    float price;
    float step;
  } rows[] = {
      {-kInf, 0.01F},
      {-5.0F, 0.01F},
      {0.0F, 0.01F},
      {std::nextafter(10.0F, 0.0F), 0.01F},
      {10.0F, 0.05F},
      {std::nextafter(50.0F, 0.0F), 0.05F},
      {50.0F, 0.1F},
      {std::nextafter(100.0F, 0.0F), 0.1F},
      {100.0F, 0.5F},
      {std::nextafter(500.0F, 0.0F), 0.5F},
      {500.0F, 1.0F},
      {std::nextafter(1000.0F, 0.0F), 1.0F},
      {1000.0F, 5.0F},
      {kInf, 5.0F},
      {kNaN, 0.01F},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.price));
    EXPECT_EQ(TickSizes(row.price), row.step);
  }
}

TEST(RoundToStep, TruncatesAndRounds) {
  const struct {
    bool rounding;
    float value;
    float step;
    const char* expected;  // %.9g
  } rows[] = {
      // Truncation goes toward zero.
      {false, 1.234F, 0.01F, "1.23000002"},
      {false, -1.234F, 0.01F, "-1.23000002"},
      {false, 0.999F, 1.0F, "0"},
      {false, -0.999F, 1.0F, "0"},
      // 10.7 as a single lies below 10.7 and the held step 0.05 above it:
      // 213 steps, not 214.
      {false, 10.7F, 0.05F, "10.6500006"},
      // Rounding: strictly between two multiples goes to the upper one.
      {true, 1.234F, 0.01F, "1.24000001"},
      {true, -1.234F, 0.01F, "-1.23000002"},
      {true, 1.25F, 0.5F, "1.5"},
      {true, -1.25F, 0.5F, "-1"},
      // Exactly k steps: Q = k + 0.5 and the tie goes to the even integer
      // (the limit-down rows of the worked examples show more).
      {true, 0.0F, 0.01F, "0"},
      {true, 1.0F, 0.5F, "1"},
      {true, 1.5F, 0.5F, "2"},
      {true, -1.0F, 0.5F, "-1"},
      {true, -1.5F, 0.5F, "-1"},
      // A step that is not positive gives 0 for any value.
      {false, 5.0F, 0.0F, "0"},
      {true, 5.0F, 0.0F, "0"},
      {false, 5.0F, -0.5F, "0"},
      {true, -3.0F, -0.5F, "0"},
      {true, 5.0F, kNaN, "0"},
      {false, kNaN, 0.0F, "0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.value) + (row.rounding ? " rounded to " : " truncated to ") + Sig9(row.step));
    EXPECT_EQ(Sig9(RoundToStep(row.rounding, row.value, row.step)), row.expected);
  }
}

// Values whose quotient by the step is not a number or leaves the signed
// 64-bit range come back unchanged; the ones right at the range's edge still
// go through the rule (the sanitizer build checks the conversions).
TEST(RoundToStep, QuotientsOutsideInt64LeaveTheValue) {
  const float two62 = 0x1p62F;
  const float below_two63 = std::nextafter(0x1p63F, 0.0F);
  const struct {
    bool rounding;
    float value;
    float step;
    float expected;
  } rows[] = {
      {false, kInf, 0.01F, kInf},
      {true, -kInf, 0.01F, -kInf},
      {false, 1e30F, 5.0F, 1e30F},
      {true, -1e30F, 5.0F, -1e30F},
      // Q = 1e19 > 2^63: unchanged, not saturated to 2^63 steps.
      {false, 1e17F, 0.01F, 1e17F},
      // A tiny step pushes an ordinary price out of range.
      {false, 10.0F, 1e-30F, 10.0F},
      // Q = 2^63 is out, Q = -2^63 is in.
      {false, two62, 0.5F, two62},
      {false, -two62, 0.5F, -two62},
      {true, two62, 0.5F, two62},
      {true, -two62, 0.5F, -two62},
      {false, below_two63, 1.0F, below_two63},
      {true, -below_two63, 1.0F, -below_two63},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.value) + (row.rounding ? " rounded to " : " truncated to ") + Sig9(row.step));
    EXPECT_EQ(RoundToStep(row.rounding, row.value, row.step), row.expected);
  }
  EXPECT_TRUE(std::isnan(RoundToStep(false, kNaN, 0.01F)));
  EXPECT_TRUE(std::isnan(RoundToStep(true, kNaN, 0.01F)));
  EXPECT_TRUE(std::isnan(SnapToTick(true, kNaN)));
}

TEST(SnapToTick, PriceChoosesItsBand) {
  const struct {
    bool rounding;
    float price;
    const char* expected;  // %.9g
  } rows[] = {
      {false, std::nextafter(10.0F, 0.0F), "9.98999977"},
      {true, std::nextafter(10.0F, 0.0F), "10"},
      // 10 / 0.0500000007 is just below 200.
      {false, 10.0F, "9.94999981"},
      {true, 10.0F, "10"},
      {false, 53.47F, "53.4000015"},
      {true, 53.41F, "53.5"},
      {false, 999.9F, "999"},
      {false, 1000.0F, "1000"},
      {false, 1004.99F, "1000"},
      {true, 1000.0F, "1000"},
      {true, 1005.0F, "1010"},
      {false, -3.456F, "-3.44999981"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.price));
    EXPECT_EQ(Sig9(SnapToTick(row.rounding, row.price)), row.expected);
  }
}

TEST(Ratios, ChangePercentAndAmplitude) {
  const struct {
    testing::Quote quote;
    const char* change_percent;
    const char* amplitude;
  } rows[] = {
      {{.prev_close = 10.0F, .change = 0.7F, .high = 10.5F, .low = 10.0F}, "7.00", "5.00"},
      {{.prev_close = 10.0F, .change = -0.7F, .high = 10.0F, .low = 9.3F}, "-7.00", "7.53"},
      {{.prev_close = 0.0F, .change = 0.7F, .high = 10.0F, .low = 10.0F}, "0.00", "0.00"},
      {{.prev_close = -10.0F, .change = 0.7F, .high = 9.0F, .low = 10.0F}, "0.00", "0.00"},
      {{.prev_close = kNaN, .change = 0.7F, .high = 10.5F, .low = 0.0F}, "0.00", "0.00"},
      {{.prev_close = 512.0F, .change = 35.0F, .high = 547.0F, .low = 476.5F}, "6.84", "14.80"},
      {{.prev_close = 0.15F, .change = 0.01F, .high = 0.16F, .low = 0.14F}, "6.67", "14.29"},
      {{.prev_close = 0.15F, .change = 0.0F, .high = kNaN, .low = 0.14F}, "0.00", "0.00"},
      {{.prev_close = 0.15F, .change = 0.0F, .high = 0.16F, .low = kNaN}, "0.00", "0.00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Sig9(row.quote.prev_close) + " " + Sig9(row.quote.change) + " " + Sig9(row.quote.high) + " " +
                 Sig9(row.quote.low));
    const TStock stock = MakeStock(row.quote);
    EXPECT_EQ(Fixed2(ChangePercent(stock)), row.change_percent);
    EXPECT_EQ(Fixed2(Amplitude(stock)), row.amplitude);
  }
}

// The ratios keep their intermediates in extended precision: in single or
// double arithmetic these give 6.62500048 and 0.462509155 / 0.462513268.
TEST(Ratios, IntermediatesAreExtended) {
  EXPECT_EQ(Sig9(ChangePercent(MakeStock({.prev_close = 40.0F, .change = 2.65F}))), "6.625");
  EXPECT_EQ(Sig9(Amplitude(MakeStock({.high = 217.21F, .low = 216.21F}))), "0.462513298");
}

}  // namespace
}  // namespace kivrel
