// Import of a whole generated market (about 30,000 stocks over the 55 pages,
// files on disk) against the cheapest possible pass over the same bytes: a
// memmem count of the lines holding the data-cell marker.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/split_list.h"
#include "core/page/page_format.h"
#include "core/page/page_import.h"
#include "core/store/stock_store.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

constexpr double kToday = 45000;

// A market of about 30,000 stocks, written once and removed at exit. A
// child process writes the pages, so that the generator's memory does not
// count in this process's peak.
struct Market {
  Market() {
    const pid_t child = ::fork();
    if (child == 0) {
      try {
        pages::WritePages(source, pages::GeneratorOptions{.Seed = 1, .ShareRows = 386});
      } catch (...) {
        ::_exit(1);
      }
      ::_exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "cannot write the pages into %s\n", source.c_str());
      std::abort();
    }
    for (const auto& file : std::filesystem::directory_iterator(source)) bytes += file.file_size();
  }

  testing::TempDir dir;
  std::string source = dir / "SOURCE";
  std::size_t bytes = 0;
};

const Market& GeneratedMarket() {
  static const Market market;
  return market;
}

double PeakRssMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void BM_ImportMarket(benchmark::State& state) {
  const Market& market = GeneratedMarket();
  const ISplitStrListPtr listed = NewSplitStrList(kListedCategoriesText);
  const ISplitStrListPtr otc = NewSplitStrList(kOtcCategoriesText);
  int stocks = 0;
  for (auto _ : state) {
    TStockListPtr store = NewStockList();
    ImportSourcePages(*store, listed->GetList(), otc->GetList(), market.source, kToday);
    stocks = store->Count();
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * market.bytes));
  state.counters["stocks"] = stocks;
  // The process's peak so far: the import's own peak, as the scan runs later.
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_ImportMarket)->Unit(benchmark::kMillisecond);

void BM_ScanMarker(benchmark::State& state) {
  const Market& market = GeneratedMarket();
  std::vector<std::string> files;
  for (int m = 0; m < 2; ++m) {
    for (const std::string& entry : pages::CategoryEntries(m)) {
      files.push_back(ReadWholeFile(market.source + "/" + Big5ToUtf8(entry) + ".html"));
    }
  }
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (const std::string& file : files) {
      const char* at = file.data();
      const char* const end = at + file.size();
      while (const void* hit =
                 ::memmem(at, static_cast<std::size_t>(end - at), DataCellMark.data(), DataCellMark.size())) {
        ++lines;
        const auto* found = static_cast<const char*>(hit);
        const void* lineEnd = std::memchr(found, '\n', static_cast<std::size_t>(end - found));
        at = lineEnd != nullptr ? static_cast<const char*>(lineEnd) + 1 : end;
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * market.bytes));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ScanMarker)->Unit(benchmark::kMillisecond);

// One page of 100,000 rows with distinct codes, in ascending, random or
// descending code order: the import costs O(n log n) in every order.
std::string LongPage(int order) {
  pages::GeneratedPage page = pages::GeneratePage(pages::GeneratorOptions{.Seed = 1, .ShareRows = 10000}, 0, 0);
  std::vector<pages::GeneratedRow> rows;
  for (int copy = 0; rows.size() < 100000; ++copy) {
    for (pages::GeneratedRow row : page.Rows) {
      row.Code = std::to_string(100000 + rows.size());
      rows.push_back(std::move(row));
    }
  }
  if (order == 1) std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
  if (order == 2) std::reverse(rows.begin(), rows.end());
  page.Rows = std::move(rows);
  return pages::PageText(page);
}

void BM_ImportPage(benchmark::State& state) {
  const std::string text = LongPage(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TStockListPtr store = NewStockList();
    std::vector<TPageRead> pages;
    pages.push_back(ReadPageText(text, PageCategory{0, 0}, kToday, "page"));
    StorePages(*store, std::move(pages), TFaultyPageRows::Keep);
    benchmark::DoNotOptimize(store->Count());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  const char* const orders[] = {"ascending", "random", "descending"};
  state.SetLabel(orders[state.range(0)]);
}
BENCHMARK(BM_ImportPage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

BENCHMARK_MAIN();
