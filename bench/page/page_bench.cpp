// Import of a whole generated market (about 30,000 stocks over the 55 pages,
// files on disk) against the cheapest possible pass over the same bytes: a
// memmem count of the lines holding the data-cell marker.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/lists/split_list.h"
#include "core/page/page_format.h"
#include "core/page/page_import.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

constexpr double kToday = 45000;

struct Market {
  testing::TempDir dir;
  std::string source = dir / "SOURCE";
  pages::WriteSummary summary;
};

// Written once, removed at exit.
const Market& GeneratedMarket() {
  static Market* market = [] {
    auto* m = new Market;
    m->summary = pages::WritePages(m->source, pages::GeneratorOptions{.Seed = 1, .ShareRows = 386});
    return m;
  }();
  return *market;
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
  const double rssBefore = PeakRssMegabytes();
  int stocks = 0;
  for (auto _ : state) {
    TStringListPtr store = NewStringList(true);
    ImportSourcePages(*store, listed->GetList(), otc->GetList(), market.source, kToday);
    stocks = store->Count();
    state.PauseTiming();
    FreeListObjects(store.get());
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * market.summary.Bytes));
  state.counters["stocks"] = stocks;
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
  state.counters["rss_growth_MB"] = PeakRssMegabytes() - rssBefore;
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
      while (const void* hit = ::memmem(at, static_cast<std::size_t>(end - at), DataCellMark.data(), DataCellMark.size())) {
        ++lines;
        const auto* found = static_cast<const char*>(hit);
        const void* lineEnd = std::memchr(found, '\n', static_cast<std::size_t>(end - found));
        at = lineEnd != nullptr ? static_cast<const char*>(lineEnd) + 1 : end;
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * market.summary.Bytes));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ScanMarker)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

BENCHMARK_MAIN();
