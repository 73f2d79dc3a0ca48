#include "core/grid/quote_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace kivrel {

bool HasQuoteTimeText(double quoteTime) { return quoteTime >= 2 && quoteTime < 2958466; }

std::string QuoteTimeText(double quoteTime) {
  if (!HasQuoteTimeText(quoteTime)) return {};
  using namespace std::chrono;
  auto minutes = static_cast<long long>(std::llround(quoteTime * 1440));
  const sys_days day = sys_days{year{1899} / December / 30} + days{minutes / 1440};
  minutes %= 1440;
  const year_month_day date{day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), minutes / 60, minutes % 60);
  return text;
}

}  // namespace kivrel
