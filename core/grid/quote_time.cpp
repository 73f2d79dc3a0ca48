#include "core/grid/quote_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace kivrel {
namespace {

constexpr double kMinutesPerDay = 1440;

// The quote time's minute counted from 1899-12-30, to the nearest (half a
// minute up).
double RoundedMinute(double quoteTime) { return std::round(quoteTime * kMinutesPerDay); }

}  // namespace

bool HasQuoteTimeText(double quoteTime) {
  // 1900-01-01 is day 2, 9999-12-31 day 2958465.
  const double minute = RoundedMinute(quoteTime);
  return minute >= 2 * kMinutesPerDay && minute < 2958466 * kMinutesPerDay;
}

std::string QuoteTimeText(double quoteTime) {
  if (!HasQuoteTimeText(quoteTime)) return {};
  using namespace std::chrono;
  const auto minute = static_cast<long long>(RoundedMinute(quoteTime));
  const auto perDay = static_cast<long long>(kMinutesPerDay);
  const year_month_day date{sys_days{year{1899} / December / 30} + days{minute / perDay}};
  const long long ofDay = minute % perDay;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), ofDay / 60, ofDay % 60);
  return text;
}

}  // namespace kivrel
