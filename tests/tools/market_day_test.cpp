#include <gtest/gtest.h>

#include <cmath>

#include "core/page/page_import.h"
#include "core/price/price_rules.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

constexpr double kToday = 46000;

// Hundredths of a price the pages write with two decimals.
std::int64_t Cents(float price) { return std::llround(static_cast<long double>(price) * 100.0L); }

// Through the whole day the pages read whole; each minute's trades carry that
// minute; every last price stands on its band's tick grid inside the day's
// limits, within the day's high and low; and some stocks reach a limit.
TEST(MarketDay, MovesMinuteByMinuteOnTheTickGridInsideTheLimits) {
  pages::TMarketDay day({.Seed = 4, .ShareRows = 3});
  int atLimit = 0, rounds = 0;
  do {
    ++rounds;
    ASSERT_EQ(day.Minutes(), pages::TMarketDay::kOpening + rounds - 1);  // a day that stands still never ends
    int tradedNow = 0;
    for (const pages::GeneratedPage& page : day.Pages()) {
      if (rounds % 90 == 1) {  // reading every page every minute would take long: three times a day
        const TPageRead read = ReadPageText(pages::PageText(page), {page.Market, page.Index}, kToday, "page");
        ASSERT_FALSE(read.Fault) << rounds;
        ASSERT_EQ(read.Stocks.size(), page.Rows.size());
      }
      for (const pages::GeneratedRow& row : page.Rows) {
        if (!row.Last) continue;
        const TStock stock(pages::ExpectedRecord(page, row, kToday));
        const float last = stock.Payload.Last();
        ASSERT_EQ(Cents(last) % Cents(TickSizes(last)), 0) << last;
        const std::int64_t cents = Cents(last), up = Cents(LimitUpPrice(stock)), down = Cents(LimitDownPrice(stock));
        ASSERT_TRUE(cents >= down && cents <= up) << last;  // as the board shows them
        ASSERT_TRUE(last >= stock.Payload.Low() && last <= stock.Payload.High()) << last;
        ASSERT_LE(*row.Minutes, day.Minutes());
        tradedNow += *row.Minutes == day.Minutes();
        if (day.Minutes() == pages::TMarketDay::kClosing && up > down) atLimit += cents == up || cents == down;
      }
    }
    EXPECT_GT(tradedNow, 0);
  } while (day.Step());
  EXPECT_EQ(rounds, pages::TMarketDay::kClosing - pages::TMarketDay::kOpening + 1);
  EXPECT_GT(atLimit, 0);
  EXPECT_FALSE(day.Step());
}

}  // namespace
}  // namespace kivrel
