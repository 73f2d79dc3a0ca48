#pragma once
// The stocks of a view, taken from the quote store, and the figures the
// panel shows for every view.
//
// The store is in key order (market, category group, category, code), so a
// market or a category is one run of entries, found by binary search on
// the key's first two or six characters. A record whose category is 100 or
// more (the import never makes one) can share a category's six characters.

#include <memory>
#include <optional>
#include <vector>

#include "core/grid/board_summary.h"
#include "core/lists/string_list.h"
#include "core/views/view_catalogue.h"

namespace kivrel {

// The entries [First, Last) of the store.
struct TKeyRange {
  int First = 0;
  int Last = 0;
  friend bool operator==(const TKeyRange&, const TKeyRange&) = default;
};
TKeyRange MarketRange(const TStringList& store, int market);
TKeyRange CategoryRange(const TStringList& store, int market, int category);

// The rows of a view, in its order: key order, or a watch list's own order.
// A listed code that the store lacks is a placeholder stock with that code
// and every other value 0, owned here so the rows can point to it.
struct TViewRows {
  std::vector<TStock*> Stocks;
  std::vector<std::unique_ptr<TStock>> Placeholders;
};

// A listed code names the first stock in key order whose trimmed code it
// matches, ASCII letters in either case.
TViewRows ViewStocks(const TStringList& store, const TView& view, const TWatchLists& lists);

struct TViewSummary {
  // Stocks is the view's row count, placeholders included; Up, Down and the
  // rest as the status bar counts them.
  TBoardSummary Counts;
  // The change percentages of the stocks with a last price and a previous
  // close above 0.
  double ChangeSum = 0;
  int Changes = 0;

  std::optional<double> AverageChange() const {
    if (Changes == 0) return std::nullopt;
    return ChangeSum / Changes;
  }
};

// The summary of every view, parallel to ViewCatalogue(lists), in one pass
// over the store.
std::vector<TViewSummary> SummarizeViews(const TStringList& store, const TWatchLists& lists);

}  // namespace kivrel
