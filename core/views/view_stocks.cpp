#include "core/views/view_stocks.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/price/price_rules.h"
#include "core/store/stock_store.h"
#include "core/text/trim.h"

namespace kivrel {
namespace {

// "%2.2d" of a number below 100.
std::string TwoDigits(int v) { return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)}; }

// The entries whose keys begin with `prefix`. The keys are in CompareText
// order, so their first characters are too.
TKeyRange PrefixRange(const TStringList& store, const std::string& prefix) {
  const std::vector<TStringEntry>& entries = store.Entries();
  const auto head = [&](const TStringEntry& e) {
    return TStringList::CompareText(std::string_view(e.Text).substr(0, prefix.size()), prefix);
  };
  const auto first = std::partition_point(entries.begin(), entries.end(), [&](const auto& e) { return head(e) < 0; });
  const auto last = std::partition_point(first, entries.end(), [&](const auto& e) { return head(e) == 0; });
  return {static_cast<int>(first - entries.begin()), static_cast<int>(last - entries.begin())};
}

std::uint64_t StockCodeKey(const TStock& stock) { return WatchCodeKey(TrimView(stock.Payload.Code())); }

TViewRows WatchListRows(const TStringList& store, const TWatchList& list) {
  std::unordered_map<std::uint64_t, TStock*> found;
  for (const std::string& code : list.Codes) found.emplace(WatchCodeKey(code), nullptr);
  for (const TStringEntry& entry : store.Entries()) {
    auto* stock = static_cast<TStock*>(entry.Object);
    const auto it = found.find(StockCodeKey(*stock));
    if (it != found.end() && it->second == nullptr) it->second = stock;
  }
  TViewRows rows;
  for (const std::string& code : list.Codes) {
    TStock* stock = found[WatchCodeKey(code)];
    if (stock == nullptr) {
      StockRecord placeholder;
      placeholder.SetCode(code);
      stock = rows.Placeholders.emplace_back(std::make_unique<TStock>(placeholder)).get();
    }
    rows.Stocks.push_back(stock);
  }
  return rows;
}

void Merge(TViewSummary& into, const TViewSummary& part) {
  TBoardSummary& a = into.Counts;
  const TBoardSummary& b = part.Counts;
  a.Stocks += b.Stocks;
  a.Up += b.Up;
  a.Down += b.Down;
  a.Unchanged += b.Unchanged;
  a.LimitUp += b.LimitUp;
  a.LimitDown += b.LimitDown;
  a.LatestQuoteTime = std::max(a.LatestQuoteTime, b.LatestQuoteTime);
  into.ChangeSum += part.ChangeSum;
  into.Changes += part.Changes;
}

void Add(TViewSummary& summary, const TStock& stock) {
  summary.Counts.Add(stock);
  const StockRecord& r = stock.Payload;
  if (!(r.PrevClose() > 0 && r.Last() > 0)) return;
  const float change = ChangePercent(stock);
  if (!std::isfinite(change)) return;
  summary.ChangeSum += change;
  ++summary.Changes;
}

// The pass over the store: each stock is counted once, into the run it
// belongs to (a category, the rest of its market, or no market), and the
// runs are merged upwards. A stock whose code a watch list holds is counted
// into those lists too, the first such stock in key order only.
class TSummaryPass {
 public:
  TSummaryPass(const TStringList& store, const TWatchLists& lists) : store_(store), lists_(lists) {
    for (int list = 0; list < lists.Count(); ++list) {
      for (const std::string& code : lists.List(list).Codes) listed_[WatchCodeKey(code)].Lists.push_back(list);
    }
  }

  std::vector<TViewSummary> Run() {
    std::vector<TViewSummary> views(ViewCatalogue(lists_).size());
    TViewSummary noMarket;
    int at = 0, view = 1 + lists_.Count();
    for (int market = 0; market < 2; ++market) {
      const TKeyRange range = MarketRange(store_, market);
      AddRange(noMarket, at, range.First);
      TViewSummary& whole = views[static_cast<std::size_t>(view++)];
      TViewSummary rest;
      at = range.First;
      for (int category = 0; category < CategoryCount(market); ++category, ++view) {
        const TKeyRange run = CategoryRange(store_, market, category);
        AddRange(rest, at, run.First);
        AddRange(views[static_cast<std::size_t>(view)], run.First, run.Last);
        Merge(whole, views[static_cast<std::size_t>(view)]);
        at = run.Last;
      }
      AddRange(rest, at, range.Last);
      Merge(whole, rest);
      Merge(views[0], whole);
      at = range.Last;
    }
    AddRange(noMarket, at, store_.Count());
    Merge(views[0], noMarket);
    for (const auto& [code, listed] : listed_) {
      if (listed.Stock == nullptr) continue;
      for (const int list : listed.Lists) Add(views[ListViewAt(list)], *listed.Stock);
    }
    for (int list = 0; list < lists_.Count(); ++list) {  // placeholders are rows too
      views[ListViewAt(list)].Counts.Stocks = static_cast<int>(lists_.List(list).Codes.size());
    }
    return views;
  }

 private:
  // The catalogue's place of a watch list: after 全部.
  static std::size_t ListViewAt(int list) { return 1 + static_cast<std::size_t>(list); }

  void AddRange(TViewSummary& summary, int first, int last) {
    for (int i = first; i < last; ++i) {
      const TStock& stock = StockAt(store_, i);
      Add(summary, stock);
      if (listed_.empty()) continue;
      const auto it = listed_.find(StockCodeKey(stock));
      if (it != listed_.end() && it->second.Stock == nullptr) it->second.Stock = &stock;
    }
  }

  struct TListed {
    std::vector<int> Lists;
    const TStock* Stock = nullptr;
  };
  const TStringList& store_;
  const TWatchLists& lists_;
  std::unordered_map<std::uint64_t, TListed> listed_;
};

}  // namespace

TKeyRange MarketRange(const TStringList& store, int market) { return PrefixRange(store, TwoDigits(market)); }

TKeyRange CategoryRange(const TStringList& store, int market, int category) {
  return PrefixRange(store, TwoDigits(market) + TwoDigits(category / 25) + TwoDigits(category));
}

TViewRows ViewStocks(const TStringList& store, const TView& view, const TWatchLists& lists) {
  TKeyRange range{0, store.Count()};
  switch (view.Kind) {
    case TViewKind::vkWatchList: return WatchListRows(store, lists.List(view.Index));
    case TViewKind::vkMarket: range = MarketRange(store, view.Market); break;
    case TViewKind::vkCategory: range = CategoryRange(store, view.Market, view.Index); break;
    case TViewKind::vkAll: break;
  }
  TViewRows rows;
  rows.Stocks.reserve(static_cast<std::size_t>(range.Last - range.First));
  for (int i = range.First; i < range.Last; ++i) rows.Stocks.push_back(&StockAt(store, i));
  return rows;
}

std::vector<TViewSummary> SummarizeViews(const TStringList& store, const TWatchLists& lists) {
  return TSummaryPass(store, lists).Run();
}

}  // namespace kivrel
