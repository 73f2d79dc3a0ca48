// Views over a store of 30,000 stocks spread over every category of both
// markets: the rows of one view (a switch of views), and the summary of all
// views for the panel.
#include <benchmark/benchmark.h>

#include <string>

#include "core/store/stock_store.h"
#include "core/views/view_stocks.h"

namespace kivrel {
namespace {

constexpr int kStocks = 30000;

TStockListPtr MakeStore() {
  std::vector<std::unique_ptr<TStock>> stocks;
  for (int i = 0; i < kStocks; ++i) {
    StockRecord r;
    const int market = i % 2, category = i / 2 % CategoryCount(market);
    r.SetMarket(static_cast<std::uint8_t>(market));
    r.SetCategoryGroup(static_cast<std::uint8_t>(category / 25));
    r.SetCategory(static_cast<std::uint8_t>(category));
    r.SetCode(std::to_string(100000 + i));
    r.SetPrevClose(static_cast<float>(10 + i % 500));
    r.SetLast(r.PrevClose() + static_cast<float>(i % 7 - 3) / 10.0F);
    r.SetChange(r.Last() - r.PrevClose());
    stocks.push_back(std::make_unique<TStock>(r));
  }
  TStockListPtr store = NewStockList();
  StoreStock(*store, std::move(stocks));
  return store;
}

// One list of `codes` codes of the store (every 7th stock) and one missing code.
TWatchLists MakeLists(int codes) {
  TWatchLists lists;
  lists.Create("watch");
  for (int i = 0; i < codes; ++i) lists.AddCode(0, std::to_string(100000 + i * 7 % kStocks));
  lists.AddCode(0, "ZZ9");
  return lists;
}

void BM_SwitchView(benchmark::State& state) {
  const TStockListPtr store = MakeStore();
  const TWatchLists lists = MakeLists(static_cast<int>(state.range(1)));
  const TView views[] = {AllView(), MarketView(1), CategoryView(0, 13), WatchListView(0)};
  const TView view = views[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(ViewStocks(*store, view, lists).Stocks.size());
  const char* names[] = {"all", "market", "category", "watch list of "};
  state.SetLabel(names[state.range(0)] + (state.range(0) == 3 ? std::to_string(state.range(1)) + " codes" : ""));
}
BENCHMARK(BM_SwitchView)
    ->Args({0, 50})
    ->Args({1, 50})
    ->Args({2, 50})
    ->Args({3, 50})
    ->Args({3, 2000})
    ->Unit(benchmark::kMillisecond);

void BM_SummarizeViews(benchmark::State& state) {
  const TStockListPtr store = MakeStore();
  const TWatchLists lists = MakeLists(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(SummarizeViews(*store, lists).size());
  state.SetLabel("30,000 stocks, a watch list of " + std::to_string(state.range(0)) + " codes");
}
BENCHMARK(BM_SummarizeViews)->Arg(0)->Arg(50)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrel

BENCHMARK_MAIN();
