#include "core/views/view_catalogue.h"

#include <stdexcept>

#include "core/lists/split_list.h"
#include "core/text/big5.h"
#include "core/text/fixed_texts.h"

namespace kivrel {
namespace {

// The names of the fixed views, each as written and as shown, in Big5 and in
// UTF-8; made once.
struct TFixedName {
  std::string Written, Shown, WrittenUtf8, ShownUtf8;
};

TFixedName MakeName(std::string_view written) {
  std::string shown(written);
  for (std::size_t at = shown.find("&c="); at != std::string::npos; at = shown.find("&c=", at)) {
    shown.replace(at, 3, kEnumerationComma);
  }
  std::string writtenUtf8 = Big5ToUtf8(written);
  std::string shownUtf8 = Big5ToUtf8(shown);
  return {std::string(written), std::move(shown), std::move(writtenUtf8), std::move(shownUtf8)};
}

struct TFixedNames {
  TFixedName All;
  TFixedName Markets[2];
  std::vector<TFixedName> Categories[2];
};

const TFixedNames& FixedNames() {
  static const TFixedNames names = [] {
    TFixedNames n{MakeName(kAllViewName), {MakeName(kListedMarketName), MakeName(kOtcMarketName)}, {}};
    const std::string_view tables[2] = {kListedCategoriesText, kOtcCategoriesText};
    for (int market = 0; market < 2; ++market) {
      const TStringListPtr table = SplitToStringList(tables[market], ",");
      for (const TStringEntry& entry : table->Entries()) {
        n.Categories[market].push_back(MakeName(entry.Text));
      }
    }
    return n;
  }();
  return names;
}

const TFixedName& FixedName(const TView& view) {
  const TFixedNames& names = FixedNames();
  const auto market = static_cast<std::size_t>(view.Market);
  switch (view.Kind) {
    case TViewKind::vkMarket: return names.Markets[market];
    case TViewKind::vkCategory: return names.Categories[market].at(static_cast<std::size_t>(view.Index));
    default: return names.All;
  }
}

bool IsFixedView(const TView& view) { return view.Kind != TViewKind::vkWatchList; }

}  // namespace

int CategoryCount(int market) { return static_cast<int>(FixedNames().Categories[market == 0 ? 0 : 1].size()); }

const std::string& CategoryEntry(int market, int category) { return FixedName(CategoryView(market, category)).Written; }

std::vector<TView> ViewCatalogue(const TWatchLists& lists) {
  std::vector<TView> views{AllView()};
  for (int list = 0; list < lists.Count(); ++list) views.push_back(WatchListView(list));
  for (int market = 0; market < 2; ++market) {
    views.push_back(MarketView(market));
    for (int category = 0; category < CategoryCount(market); ++category) {
      views.push_back(CategoryView(market, category));
    }
  }
  return views;
}

TViewName ViewName(const TView& view, const TWatchLists& lists) {
  if (!IsFixedView(view)) return {lists.List(view.Index).Name, TTextEncoding::teUtf8};
  return {FixedName(view).Shown, TTextEncoding::teBig5};
}

std::string ViewNameUtf8(const TView& view, const TWatchLists& lists) {
  return IsFixedView(view) ? FixedName(view).ShownUtf8 : lists.List(view.Index).Name;
}

std::optional<TView> FindView(const TWatchLists& lists, std::string_view utf8Name) {
  for (const TView& view : ViewCatalogue(lists)) {
    if (!IsFixedView(view)) {
      if (lists.List(view.Index).Name == utf8Name) return view;
      continue;
    }
    const TFixedName& name = FixedName(view);
    if (name.ShownUtf8 == utf8Name || name.WrittenUtf8 == utf8Name) return view;
  }
  return std::nullopt;
}

std::vector<std::string> KnownViewNames(const TWatchLists& lists) {
  std::vector<std::string> names;
  for (const TView& view : ViewCatalogue(lists)) names.push_back(ViewNameUtf8(view, lists));
  return names;
}

TListNameProblem NewListNameProblem(const TWatchLists& lists, std::string_view utf8Name, int renaming) {
  if (const TListNameProblem problem = lists.NameProblem(utf8Name, renaming); problem != TListNameProblem::npNone) {
    return problem;
  }
  const std::optional<TView> view = FindView(TWatchLists(), utf8Name);
  return view ? TListNameProblem::npViewName : TListNameProblem::npNone;
}

}  // namespace kivrel
