// Every two-decimal previous close from 0.01 to 2000.00 against invariants a
// precision fault in the limit rules would break, and against the same rules
// worked in exact decimal arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/price/price_fixtures.h"
#include "core/price/price_rules.h"
#include "core/price/price_state.h"

namespace kivrel {
namespace {

using testing::Fixed2;

// Exact arithmetic in units of 0.0001: a two-decimal close times 1.07 or 0.93
// is a whole number of them.
constexpr std::int64_t kUnitsPerCent = 100;

std::int64_t ExactStepUnits(std::int64_t price_units) {
  if (price_units >= 10'000'000) return 50'000;
  if (price_units >= 5'000'000) return 10'000;
  if (price_units >= 1'000'000) return 5'000;
  if (price_units >= 500'000) return 1'000;
  if (price_units >= 100'000) return 500;
  return 100;
}

std::int64_t ExactLimitUp(std::int64_t base, std::int64_t step) { return base / step * step; }

// (step / 2 + base) / step rounded half to even.
std::int64_t ExactLimitDown(std::int64_t base, std::int64_t step) {
  const std::int64_t num = 2 * base + step;
  const std::int64_t den = 2 * step;
  std::int64_t n = num / den;
  const std::int64_t twice_rem = 2 * (num % den);
  if (twice_rem > den || (twice_rem == den && n % 2 != 0)) ++n;
  return n * step;
}

std::string UnitsText(std::int64_t units) {
  const std::int64_t cents = units / kUnitsPerCent;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld.%02lld", static_cast<long long>(cents / 100), static_cast<long long>(cents % 100));
  return buf;
}

bool OnGrid(float price, float step) {
  const long double n = std::rint(static_cast<long double>(price) / step);
  return static_cast<float>(n * step) == price;
}

// A limit computed from the single close may differ from the decimal rule by
// one tick, but only when the decimal product lies on a tick (or within the
// rounding noise of one, 1/1000 of a tick here); otherwise the two agree to
// the displayed cent.
std::string CheckAgainstExact(const char* what, float limit, std::int64_t base, std::int64_t exact) {
  const std::int64_t step = ExactStepUnits(base);
  const std::int64_t rem = base % step;
  const std::int64_t distance = rem < step - rem ? rem : step - rem;
  if (distance * 1000 > step) {
    if (Fixed2(limit) != UnitsText(exact)) return std::string(what) + " " + Fixed2(limit) + " != " + UnitsText(exact);
    return {};
  }
  const long double off = std::fabs(static_cast<long double>(limit) * 10000 - static_cast<long double>(exact));
  if (off > step + step / 100) return std::string(what) + " " + Fixed2(limit) + " is beyond a tick of " + UnitsText(exact);
  return {};
}

TEST(LimitPriceSweep, EveryTwoDecimalCloseUpTo2000) {
  std::vector<std::string> faults;
  StockRecord record;
  TStock stock(record);
  for (std::int64_t cents = 1; cents <= 200'000; ++cents) {
    const float prev_close = static_cast<float>(cents / 100.0L);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100), static_cast<long long>(cents % 100));
    std::vector<std::string> found;
    if (std::strtof(text, nullptr) != prev_close) found.push_back("parsed close differs");

    stock.Payload.SetPrevClose(prev_close);
    const float up = LimitUpPrice(stock);
    const float down = LimitDownPrice(stock);
    const float up_base = static_cast<float>(prev_close * LimitUpFactor);
    const float down_base = static_cast<float>(prev_close * LimitDownFactor);
    if (!OnGrid(up, TickSizes(up_base))) found.push_back("limit-up off its grid");
    if (!OnGrid(down, TickSizes(down_base))) found.push_back("limit-down off its grid");

    const bool below_band = cents <= 14;
    if ((up == down) != below_band) found.push_back("limit prices equal: " + Fixed2(up) + " " + Fixed2(down));
    if (!below_band) {
      if (!(down <= prev_close && prev_close <= up)) found.push_back("close outside its limits");
      if (GetPriceState(stock, up) != psLimitUp) found.push_back("limit-up not psLimitUp");
      if (GetPriceState(stock, down) != psLimitDown) found.push_back("limit-down not psLimitDown");
      if (GetPriceState(stock, prev_close) != psFlat) found.push_back("close not psFlat");
    }

    const std::int64_t up_units = cents * 107;
    const std::int64_t down_units = cents * 93;
    for (const std::string& f :
         {CheckAgainstExact("limit-up", up, up_units, ExactLimitUp(up_units, ExactStepUnits(up_units))),
          CheckAgainstExact("limit-down", down, down_units, ExactLimitDown(down_units, ExactStepUnits(down_units)))}) {
      if (!f.empty()) found.push_back(f);
    }
    for (const std::string& f : found) faults.push_back(std::string(text) + ": " + f);
    if (faults.size() >= 20) break;
  }
  std::string report;
  for (const std::string& f : faults) report += f + "\n";
  EXPECT_TRUE(faults.empty()) << report;
}

}  // namespace
}  // namespace kivrel
