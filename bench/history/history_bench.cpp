// The quote history: one import of many changed stocks (early in the day and
// late, when every stock already has many rows), one stock's day and its
// daily rows out of 20 days of 1,555 stocks quoted every minute, and the
// bytes the file takes per kept quote.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>

#include "core/history/history.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr std::int32_t kFirstDay = 45369;  // a Monday

// The quote time of minute `minute` after 09:00, as the page import forms it.
double At(std::int32_t day, int minute) { return day + static_cast<double>((32400 + minute * 60) / 86400.0L); }

// A market of `stocks` stocks; each minute moves every price a few ticks and
// adds to every volume.
class TMarket {
 public:
  explicit TMarket(int stocks) : records_(static_cast<std::size_t>(stocks)), base_(records_.size()) {
    for (std::size_t i = 0; i < records_.size(); ++i) {
      StockRecord& r = records_[i];
      r.SetMarket(static_cast<std::uint8_t>(i % 2));
      r.SetCategory(static_cast<std::uint8_t>(i % 30));
      r.SetCode(std::to_string(100000 + i));
      base_[i] = 1000 + static_cast<int>(rng_() % 59000);
      r.SetPrevClose(Price(base_[i]));
      r.SetOpen(Price(base_[i] + 5));
    }
  }

  std::span<const StockRecord> Minute(std::int32_t day, int minute) {
    for (std::size_t i = 0; i < records_.size(); ++i) {
      StockRecord& r = records_[i];
      const int cents = base_[i] + (static_cast<int>(rng_() % 41) - 20) * 5;
      if (minute == 0) r.SetVolume(0.0F);
      r.SetQuoteTime(At(day, minute));
      r.SetLast(Price(cents));
      r.SetChange(Price(cents - base_[i]));
      r.SetBid(Price(cents - 5));
      r.SetAsk(Price(cents + 5));
      r.SetHigh(minute == 0 ? r.Last() : std::max(r.High(), r.Last()));
      r.SetLow(minute == 0 ? r.Last() : std::min(r.Low(), r.Last()));
      r.SetVolume(r.Volume() + static_cast<float>(1 + rng_() % 400));
    }
    return records_;
  }

 private:
  static float Price(int cents) { return static_cast<float>(cents / 100.0); }

  std::vector<StockRecord> records_;
  std::vector<int> base_;
  std::mt19937 rng_{42};
};

std::uintmax_t FileBytes(const std::string& path) {
  std::uintmax_t bytes = 0;
  for (const char* suffix : {"", "-wal"}) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path + suffix, ec);
    if (!ec) bytes += size;
  }
  return bytes;
}

// Imports of range(0) changed stocks after range(1) earlier imports of the
// same day; the counters give the slowest import besides the mean.
void BM_RecordImport(benchmark::State& state) {
  const auto stocks = static_cast<int>(state.range(0));
  const auto earlier = static_cast<int>(state.range(1));
  testing::TempDir dir;
  THistory history(dir / "history.db", THistory::TAccess::ReadWrite);
  TMarket market(stocks);
  for (int minute = 0; minute < earlier; ++minute) history.Record(market.Minute(kFirstDay, minute));
  int minute = earlier;
  double slowest = 0;
  for (auto _ : state) {
    const std::span<const StockRecord> import = market.Minute(kFirstDay, minute++);
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(history.Record(import));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    slowest = std::max(slowest, took.count());
  }
  state.counters["slowest_ms"] = slowest * 1000;
  state.counters["rows"] = benchmark::Counter(static_cast<double>(stocks) * static_cast<double>(state.iterations()),
                                              benchmark::Counter::kIsRate);
}
// 20 trading days of 1,555 stocks quoted every minute from 09:00 to 13:29,
// recorded import by import and settled, then 64 minutes of a 21st day.
class TMonth {
 public:
  static constexpr int kStocks = 1555;
  static constexpr int kDays = 20;
  static constexpr int kMinutes = 270;

  static const TMonth& Get() {
    static const TMonth month;
    return month;
  }
  static std::int32_t Day(int index) { return kFirstDay + index + index / 5 * 2; }  // Monday to Friday

  testing::TempDir Dir;  // made before Path
  std::string Path;
  std::vector<THistoryStock> Stocks;
  double BytesPerRow = 0;
  std::size_t Rows = 0;

 private:
  TMonth() : Path(Dir / "history.db") {
    TMarket market(kStocks);
    {
      THistory history(Path, THistory::TAccess::ReadWrite);
      history.Database().Execute("PRAGMA synchronous = OFF");  // building only
      for (int day = 0; day < kDays; ++day) {
        for (int minute = 0; minute < kMinutes; ++minute) {
          const std::span<const StockRecord> import = market.Minute(Day(day), minute);
          Rows += history.Record(import);
          if (Stocks.empty())
            for (const StockRecord& r : import) Stocks.push_back(HistoryStockOf(r));
        }
      }
      history.Prune(kDays);
    }
    BytesPerRow = static_cast<double>(FileBytes(Path)) / static_cast<double>(Rows);
    THistory history(Path, THistory::TAccess::ReadWrite);
    for (int minute = 0; minute < 64; ++minute) history.Record(market.Minute(Day(kDays), minute));
  }
};

// One stock's day: range(0) 0 is a day of the month, all in its final
// place, 1 the day going on, partly still in the import log.
void BM_ReadDay(benchmark::State& state) {
  const TMonth& month = TMonth::Get();
  const THistory history(month.Path, THistory::TAccess::ReadOnly);
  std::mt19937 rng(7);
  std::size_t rows = 0;
  for (auto _ : state) {
    const THistoryStock& stock = month.Stocks[rng() % month.Stocks.size()];
    const std::int32_t day =
        state.range(0) == 0 ? TMonth::Day(static_cast<int>(rng() % TMonth::kDays)) : TMonth::Day(TMonth::kDays);
    rows += history.Day(stock, day).size();
  }
  state.counters["rows_per_day"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
  state.counters["db_bytes_per_row"] = month.BytesPerRow;
  state.counters["db_rows"] = static_cast<double>(month.Rows);
}
BENCHMARK(BM_ReadDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same through a connection opened for it, as a new reader would.
void BM_OpenAndReadDay(benchmark::State& state) {
  const TMonth& month = TMonth::Get();
  std::mt19937 rng(8);
  for (auto _ : state) {
    const THistory history(month.Path, THistory::TAccess::ReadOnly);
    benchmark::DoNotOptimize(history.Day(month.Stocks[rng() % month.Stocks.size()], TMonth::Day(3)));
  }
}
BENCHMARK(BM_OpenAndReadDay)->Unit(benchmark::kMillisecond);

// One stock's daily rows (21 days) and the latest day it was quoted.
void BM_ReadDaily(benchmark::State& state) {
  const TMonth& month = TMonth::Get();
  const THistory history(month.Path, THistory::TAccess::ReadOnly);
  std::mt19937 rng(9);
  for (auto _ : state) {
    const THistoryStock& stock = month.Stocks[rng() % month.Stocks.size()];
    benchmark::DoNotOptimize(history.Daily(stock));
    benchmark::DoNotOptimize(history.LatestDay(stock));
  }
}
BENCHMARK(BM_ReadDaily)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_RecordImport)
    ->Args({30000, 1})
    ->Args({30000, 120})
    ->Args({1555, 269})
    ->UseManualTime()
    ->Iterations(64)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

BENCHMARK_MAIN();
