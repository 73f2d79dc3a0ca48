#include "core/history/history.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <csignal>
#include <functional>

#include "support/child_process.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr std::int32_t kDay = 45369;  // 2024-03-18, a Monday

// A quote time as the page import forms it: the day plus H:M:S as a fraction.
double At(std::int32_t day, int hour, int minute, int second = 0) {
  return day + static_cast<double>((hour * 3600 + minute * 60 + second) / 86400.0L);
}

StockRecord Quote(std::string_view code, double time, float last, float volume = 100.0F) {
  StockRecord r = testing::Record({.Code = code, .Last = last, .QuoteTime = time});
  r.SetVolume(volume);
  return r;
}

std::vector<float> Lasts(const std::vector<TQuoteRow>& rows) {
  std::vector<float> lasts;
  for (const TQuoteRow& row : rows) lasts.push_back(row.Last);
  return lasts;
}

const THistoryStock kA{0, 0, "1101"}, kB{0, 0, "1102"};

class History : public ::testing::Test {
 protected:
  std::string Path() const { return dir / "history.db"; }
  // The code of the THistoryError that `run` throws, whose message names the file.
  int Failure(const std::function<void()>& run) const {
    try {
      run();
    } catch (const THistoryError& e) {
      EXPECT_EQ(e.what(), Path() + ": " + e.Text());
      return e.Code();
    }
    return SQLITE_OK;
  }
  testing::TempDir dir;
};

// Unchanged quotes and quotes without a time are not recorded, also after a
// reopen; a changed value or time is, as is the same quote on another day,
// and a second recorded again replaces the row of that second. A stock's
// quotes move out of the import log in one go every 128 imports; 140
// imports see that and the rows after it.
TEST_F(History, RecordsChangedQuotesOnly) {
  std::vector<float> expected{10.0F};
  StockRecord bidOnly = Quote("1101", At(kDay, 9, 139), 10.0F + static_cast<float>(139) / 100.0F);
  bidOnly.SetBid(1.0F);
  {
    THistory history(Path(), THistory::TAccess::ReadWrite);
    EXPECT_EQ(history.Record(std::vector{Quote("1101", At(kDay, 9, 0), 10.0F), Quote(" 1102 ", At(kDay, 9, 0), 20.0F),
                                         Quote("1103", 0.0, 30.0F)}),
              2U);
    EXPECT_EQ(history.Record(std::vector{Quote("1101", At(kDay, 9, 0), 10.0F), Quote("1102", At(kDay, 9, 0), 20.0F)}),
              0U);
    for (int i = 1; i < 140; ++i) {
      const float last = 10.0F + static_cast<float>(i) / 100.0F;
      EXPECT_EQ(history.Record(std::vector{Quote("1101", At(kDay, 9, i), last)}), 1U);
      expected.push_back(last);
    }
    EXPECT_EQ(history.Record(std::vector{bidOnly}), 1U);
    EXPECT_EQ(Lasts(history.Day(kA, kDay)), expected);
  }
  THistory history(Path(), THistory::TAccess::ReadWrite);
  EXPECT_EQ(history.Record(std::vector{bidOnly, Quote("1102", At(kDay, 9, 0), 20.0F)}), 0U);
  EXPECT_EQ(history.Record(std::vector{Quote("1102", At(kDay + 1, 9, 0), 20.0F)}), 1U);  // on another day
  EXPECT_EQ(Lasts(history.Day(kA, kDay)), expected);
  EXPECT_EQ(Lasts(history.Day(kB, kDay + 1)), std::vector{20.0F});
}

// What comes back is what went in, bit for bit: page numbers, odd singles,
// signed zero, infinity and huge volumes alike (a NaN stays a NaN).
TEST_F(History, KeepsQuoteValuesExactly) {
  const float values[] = {12.34F,    0.01F,  999.99F,     -0.0F,        0.1F + 0.2F, 1.0e30F,
                          HUGE_VALF, -3.25F, 16777215.0F, 123456789.0F, 0.005F,      std::nanf("")};
  THistory history(Path(), THistory::TAccess::ReadWrite);
  int minute = 0;
  for (const float v : values) {
    StockRecord r = Quote("1101", At(kDay, 10, minute++), v, v);
    r.SetPrevClose(v);
    history.Record(std::vector{r});
    const TQuoteRow back = history.Day(kA, kDay).back();
    for (const float got : {back.Last, back.Volume, back.PrevClose}) {
      EXPECT_TRUE(std::bit_cast<std::uint32_t>(got) == std::bit_cast<std::uint32_t>(v) ||
                  (std::isnan(got) && std::isnan(v)))
          << v;
    }
  }
  const TDailyRow daily = history.Daily(kA).back();
  EXPECT_TRUE(std::isnan(daily.Last) && std::isnan(daily.Volume));
}

// A time a hair before midnight rounds up to second 0 of the next day.
TEST(QuoteClock, SplitsQuoteTimesToTheSecond) {
  const std::tuple<double, int, int> rows[] = {{At(kDay, 23, 59, 59), kDay, 86399}, {kDay + 0.9999999999, kDay + 1, 0}};
  for (const auto& [time, day, second] : rows) {
    const std::optional<TQuoteClock> split = SplitQuoteTime(time);
    ASSERT_TRUE(split) << time;
    EXPECT_EQ(std::pair(split->Day, split->Second), std::pair(day, second)) << time;
  }
  for (const double time : {0.0, std::nan(""), 1e300}) EXPECT_FALSE(SplitQuoteTime(time)) << time;
}

// The daily row holds the day's last open, high, low, last and volume, as
// the latest import of that day left them, before and after its quotes
// moved out of the import log (the second day's two in one move).
TEST_F(History, DailyRowFollowsEachImportOfItsDay) {
  THistory history(Path(), THistory::TAccess::ReadWrite);
  const std::pair<double, std::vector<float>> imports[] = {// open, high, low, last, volume
                                                           {At(kDay, 9, 0), {10.0F, 11.0F, 10.0F, 10.8F, 450.0F}},
                                                           {At(kDay + 1, 9, 0), {10.7F, 11.0F, 10.6F, 10.8F, 20.0F}},
                                                           {At(kDay + 1, 9, 1), {10.7F, 11.0F, 10.6F, 10.9F, 35.0F}}};
  for (const auto& [time, v] : imports) {
    StockRecord r = Quote("1101", time, v[3], v[4]);
    r.SetOpen(v[0]);
    r.SetHigh(v[1]);
    r.SetLow(v[2]);
    history.Record(std::vector{r});
  }
  const std::vector<TDailyRow> daily = history.Daily(kA);
  ASSERT_EQ(daily.size(), 2U);
  const auto values = [](const TDailyRow& d) { return std::vector{d.Open, d.High, d.Low, d.Last, d.Volume}; };
  EXPECT_EQ(std::pair(daily[0].Day, daily[1].Day), std::pair(kDay, kDay + 1));
  EXPECT_EQ(values(daily[0]), imports[0].second);
  EXPECT_EQ(values(daily[1]), imports[2].second);
  EXPECT_EQ(history.LatestDay(kA), kDay + 1);
  history.Prune(20);  // moves every quote to its final place
  EXPECT_EQ(history.Daily(kA), daily);
  EXPECT_EQ(history.StocksWithCode(" 1101"), std::vector{kA});
  EXPECT_TRUE(history.Daily(kB).empty());
  EXPECT_FALSE(history.LatestDay(kB));
}

// Trading days count, not calendar days: Friday, the next Monday and Tuesday
// are the last three. Daily rows stay.
TEST_F(History, PruneKeepsTheLatestTradingDays) {
  const std::int32_t days[] = {kDay - 4, kDay - 3, kDay, kDay + 1};  // Thu, Fri, Mon, Tue
  for (const int keep : {3, 1, 0}) {
    std::filesystem::remove(Path());
    THistory history(Path(), THistory::TAccess::ReadWrite);
    for (const std::int32_t day : days) {
      history.Record(std::vector{Quote("1101", At(day, 9, 0), 10.0F)});
      history.Record(std::vector{Quote("1101", At(day, 9, 5), 10.5F)});
    }
    history.Prune(keep);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(history.Day(kA, days[i]).size(), i >= 4 - keep ? 2U : 0U) << keep << " " << i;
    EXPECT_EQ(history.Daily(kA).size(), 4U);
    EXPECT_EQ(history.LatestDay(kA), keep > 0 ? std::optional(days[3]) : std::nullopt);
  }
}

// A damaged, locked or read-only database fails with SQLite's code, and a
// damaged file is left as it was.
TEST_F(History, UnusableDatabasesFailWithTheirCause) {
  // Opens, reads, then records.
  const auto code = [&](THistory::TAccess access) {
    return Failure([&] {
      THistory history(Path(), access, std::chrono::milliseconds(0));
      history.Day(kA, kDay);
      history.Record(std::vector{Quote("1101", At(kDay, 9, 1), 11.0F)});
    });
  };
  testing::WriteBytes(Path(), std::string(8192, 'x'));
  EXPECT_EQ(code(THistory::TAccess::ReadWrite), SQLITE_NOTADB);
  EXPECT_EQ(testing::ReadBytes(Path()), std::string(8192, 'x'));

  std::filesystem::remove(Path());
  THistory(Path(), THistory::TAccess::ReadWrite).Record(std::vector{Quote("1101", At(kDay, 9, 0), 10.0F)});
  {
    TDatabase other(Path(), TDatabase::TMode::ReadWrite, std::chrono::milliseconds(0));
    other.Execute("BEGIN IMMEDIATE");
    EXPECT_EQ(code(THistory::TAccess::ReadWrite), SQLITE_BUSY);
  }
  EXPECT_EQ(code(THistory::TAccess::ReadOnly), SQLITE_READONLY);
  EXPECT_EQ(code(THistory::TAccess::ReadWrite), SQLITE_OK);  // its 09:01 stays in the import log

  // Quote data damaged where SQLite cannot see it: each read fails alone,
  // its transaction gone with it; opening for writing reads it too.
  TDatabase(Path(), TDatabase::TMode::ReadWrite, std::chrono::milliseconds(0)).Execute("UPDATE fresh SET data = x'FF'");
  {
    const THistory reader(Path(), THistory::TAccess::ReadOnly);
    for (int read = 0; read < 2; ++read) EXPECT_EQ(Failure([&] { reader.Day(kA, kDay); }), SQLITE_CORRUPT);
  }
  EXPECT_EQ(code(THistory::TAccess::ReadWrite), SQLITE_CORRUPT);

  // A file this process may only read. Root may write any file, so the child
  // gives up root first and the folder lets everyone in.
  ::chmod(Path().c_str(), 0444);
  ::chmod(dir.path().c_str(), 0755);
  const int status = testing::RunInChild([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
    return code(THistory::TAccess::ReadWrite) == SQLITE_READONLY ? 0 : 1;
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A database at its size limit fails the import whole: none of its rows,
// and the next import after the limit is lifted records them all.
TEST_F(History, FullDatabaseFailsTheWholeImport) {
  THistory history(Path(), THistory::TAccess::ReadWrite);
  std::vector<StockRecord> import;
  for (int i = 0; i < 2000; ++i) import.push_back(Quote(std::to_string(2000 + i), At(kDay, 9, 0), 10.0F));
  history.Record(std::span(import).first(10));
  history.Database().Execute("PRAGMA max_page_count = " +
                             std::to_string(history.Database().QueryInt("PRAGMA page_count") + 4));
  EXPECT_EQ(Failure([&] { history.Record(import); }), SQLITE_FULL);
  EXPECT_TRUE(history.Day({0, 0, "3999"}, kDay).empty());
  EXPECT_EQ(history.Day({0, 0, "2000"}, kDay).size(), 1U);
  history.Database().Execute("PRAGMA max_page_count = 1000000");
  EXPECT_EQ(history.Record(import), 1990U);
}

// A process killed while it records leaves a sound database holding every
// import it committed, each whole.
TEST_F(History, KilledWriterLeavesCommittedImports) {
  constexpr int kStocks = 300, kSeen = 40;
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = testing::StartChild([&] {
    ::close(pipeEnds[0]);
    THistory history(Path(), THistory::TAccess::ReadWrite);
    for (int n = 0;; ++n) {
      std::vector<StockRecord> import;
      for (int i = 0; i < kStocks; ++i) import.push_back(Quote(std::to_string(i), At(kDay, 9, 0, n), 10.0F));
      history.Record(import);
      if (::write(pipeEnds[1], &n, sizeof n) != sizeof n) return 1;
    }
  });
  ::close(pipeEnds[1]);
  int committed = -1;
  while (committed + 1 < kSeen && ::read(pipeEnds[0], &committed, sizeof committed) == sizeof committed) {
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(pipeEnds[0]);
  ASSERT_EQ(committed + 1, kSeen);

  EXPECT_TRUE(std::filesystem::exists(Path() + "-wal"));  // the write-ahead log, not a rollback journal
  TDatabase check(Path(), TDatabase::TMode::ReadOnly, std::chrono::milliseconds(0));
  TStatement integrity(check, "PRAGMA integrity_check");
  ASSERT_TRUE(integrity.Step());
  EXPECT_EQ(integrity.Blob(0), "ok");
  integrity.Reset();
  THistory history(Path(), THistory::TAccess::ReadWrite);
  const std::size_t rows = history.Day({0, 0, "0"}, kDay).size();
  EXPECT_GE(rows, static_cast<std::size_t>(kSeen));
  for (int i = 1; i < kStocks; i += 37) EXPECT_EQ(history.Day({0, 0, std::to_string(i)}, kDay).size(), rows);
}

}  // namespace
}  // namespace kivrel
