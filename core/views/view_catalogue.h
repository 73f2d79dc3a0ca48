#pragma once
// The views of the board, in the order the panel lists them: 全部 (every
// stock), the watch lists, then 上市 followed by its 28 categories and 上櫃
// followed by its 27, in the order of the category tables.
//
// Names: the fixed views' names are Big5, the category tables' entries as
// they are written ("金融一&c=金融二") or as they are shown, with "、"
// between the joined names ("金融一、金融二"). A watch list's name is UTF-8
// (watch_lists.h says why); TViewName tells which a name is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/views/watch_lists.h"

namespace kivrel {

// 全部, the view of every stock.
inline constexpr std::string_view kAllViewName = "\xA5\xFE\xB3\xA1";

enum class TViewKind : std::uint8_t { vkAll, vkWatchList, vkMarket, vkCategory };

struct TView {
  TViewKind Kind = TViewKind::vkAll;
  // vkWatchList: the list's index. vkMarket, vkCategory: the market (0
  // listed, 1 over the counter); vkCategory: Index is the category's index
  // in its market's table.
  int Market = 0;
  int Index = 0;
  friend bool operator==(const TView&, const TView&) = default;
};

inline TView AllView() { return {}; }
inline TView WatchListView(int list) { return {TViewKind::vkWatchList, 0, list}; }
inline TView MarketView(int market) { return {TViewKind::vkMarket, market, 0}; }
inline TView CategoryView(int market, int category) { return {TViewKind::vkCategory, market, category}; }

// The categories of a market (28 listed, 27 over the counter) and the
// table's entry for one, as written, Big5.
int CategoryCount(int market);
const std::string& CategoryEntry(int market, int category);

// Every view, in the panel's order.
std::vector<TView> ViewCatalogue(const TWatchLists& lists);

enum class TTextEncoding : std::uint8_t { teBig5, teUtf8 };
struct TViewName {
  std::string Text;
  TTextEncoding Encoding = TTextEncoding::teBig5;
};

// The name the panel shows: Big5, but a watch list's name UTF-8.
TViewName ViewName(const TView& view, const TWatchLists& lists);
// The same in UTF-8, for the terminal and the status bar.
std::string ViewNameUtf8(const TView& view, const TWatchLists& lists);

// The view a UTF-8 name (a command line's --view) names: 全部, a watch
// list's name byte for byte, 上市, 上櫃, or a category's entry as written or
// as shown. The first in the catalogue's order wins.
std::optional<TView> FindView(const TWatchLists& lists, std::string_view utf8Name);

// Every name FindView takes, as shown, UTF-8, in the catalogue's order.
std::vector<std::string> KnownViewNames(const TWatchLists& lists);

// NameProblem of the lists, then npViewName for a name FindView would take
// for a view other than a watch list (全部, 上市, 水泥, ...): a list of that
// name could not be chosen by name.
TListNameProblem NewListNameProblem(const TWatchLists& lists, std::string_view utf8Name, int renaming = -1);

}  // namespace kivrel
