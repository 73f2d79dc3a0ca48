// The live board on the same off-screen display: pages read while the board
// runs, split into the reading on the worker (file to records) and the
// storing on the user-interface thread (records to the model's signals), the
// memory a long day of updates adds, and the processor time an idle board
// takes while it follows its folder.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

#include "app/main_window.h"
#include "core/page/current_date.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

// Pages are written as the feed writes them, atomically, but not flushed to
// the disk: a benchmark of the board should not time the disk.
struct NoSyncFileSystem final : TFileSystem {
  int Sync(int) override { return 0; }
};
NoSyncFileSystem gNoSync;

// A board of `pages` sample pages of `rows` rows a share page, beside
// `others` stocks of the quote file, in a folder of its own.
struct LiveBoard {
  LiveBoard(int rows, int others) : day(std::make_unique<pages::TMarketDay>(Options(rows))), rows_(rows) {
    std::filesystem::current_path(folder.path());
    std::filesystem::create_directories("DATA/SOURCE");
    std::string bytes;
    for (int i = 0; i < others; ++i) {
      StockRecord r;
      r.SetMarket(static_cast<std::uint8_t>(i % 2));
      r.SetCategory(static_cast<std::uint8_t>(i % 25));
      r.SetCode(std::to_string(1000000 + i));
      r.SetPrevClose(50);
      r.SetLast(51);
      bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
    }
    testing::WriteBytes("DATA/STOCK.LST", bytes);
    pages::WriteMarketPages("DATA/SOURCE", *day, gNoSync);
    window = std::make_unique<TfrmMain>();
    window->show();
    window->ApplyPages(window->DataFolder().ReadPages(CurrentDate()), "start");
    QApplication::processEvents();
  }
  // The next minute of the day written.
  void NextMinute() {
    if (!day->Step()) day = std::make_unique<pages::TMarketDay>(Options(rows_));  // the next day
    pages::WriteMarketPages("DATA/SOURCE", *day, gNoSync);
  }
  // The pages read as the worker reads them (all, or the first one).
  std::vector<TPageRead> Read(bool onePage) const {
    return window->DataFolder().ReadPages(
        CurrentDate(), [onePage](PageCategory c) { return !onePage || (c.Market == 0 && c.Index == 0); });
  }

  static pages::GeneratorOptions Options(int rows) { return {.Seed = 2, .ShareRows = rows}; }

  testing::TempDir folder;
  std::unique_ptr<pages::TMarketDay> day;
  int rows_;
  std::unique_ptr<TfrmMain> window;
};

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKilobytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Arg 0: one page of 30 stocks into a board of 30,000; arg 1: all 55 pages of
// 1,555 stocks changed at once. The worker's reading and the UI thread's
// storing and signalling are timed apart.
void BM_LiveUpdate(benchmark::State& state) {
  const bool onePage = state.range(0) == 0;
  LiveBoard board(onePage ? 30 : 20, onePage ? 28300 : 0);
  double worker = 0, ui = 0, figures = 0;
  QElapsedTimer clock;
  for (auto _ : state) {
    state.PauseTiming();
    board.NextMinute();
    clock.start();
    std::vector<TPageRead> pages = board.Read(onePage);
    worker += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    state.ResumeTiming();
    clock.start();
    board.window->ApplyPages(std::move(pages), "now");
    ui += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    // The views' figures, which follow on the UI thread when the event loop runs.
    state.PauseTiming();
    clock.start();
    board.window->RefreshFigures();
    figures += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["worker_ms"] = worker / n;
  state.counters["ui_ms"] = ui / n;
  state.counters["figures_ms"] = figures / n;
  state.counters["stocks"] = board.window->DataFolder().StockList().Count();
  state.SetLabel(onePage ? "one page of 30 stocks into 30,000" : "55 pages, 1,555 stocks");
}
BENCHMARK(BM_LiveUpdate)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond);

// 1,000 updates of all pages in a row: how much resident memory they add.
void BM_LiveUpdateMemory(benchmark::State& state) {
  LiveBoard board(20, 0);
  const auto update = [&board] {
    board.NextMinute();
    board.window->ApplyPages(board.Read(false), "now");
  };
  for (int i = 0; i < 50; ++i) update();
  long growth = 0;
  for (auto _ : state) {
    const long before = ResidentKilobytes();
    for (int i = 0; i < 1000; ++i) {
      update();
      if (i % 100 == 0) QApplication::processEvents();
    }
    growth = ResidentKilobytes() - before;
  }
  state.counters["rss_growth_KB"] = static_cast<double>(growth);
}
BENCHMARK(BM_LiveUpdateMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Runs the event loop for `ms` milliseconds.
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// A board with nothing changing, for two seconds (after the marks of its
// first reading have gone): not following its folder (arg 0) and following
// it (arg 1). Following takes no time of its own: nothing polls.
void BM_IdleWhileFollowing(benchmark::State& state) {
  LiveBoard board(20, 0);
  if (state.range(0)) board.window->AutoUpdate1->trigger();
  RunEventLoop(static_cast<int>(TChangeMarks::kShownMs) + 500);
  double cpu = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    RunEventLoop(2000);
    cpu = CpuSeconds() - before;
  }
  state.counters["cpu_ms_in_2s"] = cpu * 1000;
  state.SetLabel(state.range(0) ? "following" : "not following");
}
BENCHMARK(BM_IdleWhileFollowing)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel
