#include "tools/export/history_csv.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr std::int32_t kDay = 45369;  // 2024-03-18

StockRecord Quote(std::int32_t day, int minute, float last, float volume) {
  StockRecord r = testing::Record({.Code = "1101", .Last = last});
  r.SetQuoteTime(JoinQuoteTime({day, 9 * 3600 + minute * 60}));
  r.SetVolume(volume);
  return r;
}

TEST(HistoryCsv, DaysAndDailyRowsOrWhatIsMissing) {
  testing::TempDir dir;
  THistory history(dir / "history.db", THistory::TAccess::ReadWrite);
  history.Record(std::vector{Quote(kDay - 1, 0, 9.9F, 100)});
  history.Record(std::vector{Quote(kDay, 0, 10.0F, 150)});
  history.Record(std::vector{Quote(kDay, 5, 10.25F, 1234)});
  const auto day = [&](std::string_view code, std::optional<std::int32_t> date) {
    std::ostringstream out;
    WriteHistoryCsv(out, history, code, date);
    return out.str();
  };
  const std::string titles = "時間,成交價,漲跌價,買進價,賣出價,成交量,開盤價,最高價,最低價,昨收價\r\n";
  EXPECT_EQ(day(" 1101", std::nullopt), titles +
                                            "09:00,10.00,0.00,0.00,0.00,150,0.00,0.00,0.00,10.00\r\n"
                                            "09:05,10.25,0.25,0.00,0.00,1234,0.00,0.00,0.00,10.00\r\n");
  EXPECT_EQ(day("1101", ParseCsvDate("2024-03-17")),
            titles + "09:00,9.90,-0.10,0.00,0.00,100,0.00,0.00,0.00,10.00\r\n");
  std::ostringstream daily;
  WriteDailyCsv(daily, history, "1101");
  EXPECT_EQ(daily.str(),
            "日期,開盤價,最高價,最低價,成交價,成交量\r\n"
            "2024-03-17,0.00,0.00,0.00,9.90,100\r\n2024-03-18,0.00,0.00,0.00,10.25,1234\r\n");

  using K = THistoryCsvError::TKind;
  using Failure = std::tuple<K, std::string, std::optional<std::int32_t>>;
  const std::pair<std::function<void()>, Failure> failures[] = {
      {[&] { day("9999", std::nullopt); }, {K::NoQuotes, "9999", std::nullopt}},
      {[&] { day("1101", kDay - 5); }, {K::NoQuotes, "1101", kDay - 5}},
      {[&] { WriteDailyCsv(daily, history, "9999"); }, {K::NoDailyRows, "9999", std::nullopt}},
      {[] { ParseCsvDate("2024-02-30"); }, {K::NotADate, "2024-02-30", std::nullopt}},
      {[] { ParseCsvDate("2024/03/18"); }, {K::NotADate, "2024/03/18", std::nullopt}},
      {[] { ParseCsvDate("2024-03-1x"); }, {K::NotADate, "2024-03-1x", std::nullopt}}};
  for (const auto& [run, failure] : failures) {
    try {
      run();
      ADD_FAILURE() << "no error: " << std::get<1>(failure);
    } catch (const THistoryCsvError& e) {
      EXPECT_EQ(Failure(e.Kind(), e.Text(), e.Day()), failure);
    }
  }
}

}  // namespace
}  // namespace kivrel
