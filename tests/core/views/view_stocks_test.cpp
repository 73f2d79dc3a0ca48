#include "core/views/view_stocks.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/store/stock_store.h"
#include "core/text/trim.h"
#include "support/stocks.h"
#include "support/store_stocks.h"

namespace kivrel {
namespace {

using testing::Record;

const std::string kCement = "\xE6\xB0\xB4\xE6\xB3\xA5";                // 水泥
const std::string kFinance = "\xE9\x87\x91\xE8\x9E\x8D\xE4\xB8\x80";   // 金融一
const std::string kFinance2 = "\xE9\x87\x91\xE8\x9E\x8D\xE4\xBA\x8C";  // 金融二

// Stocks at the edges of the tables: first and last categories of both
// markets, both category groups, codes in two categories (one in either
// letter case), a category its group does not match, and a market beyond both.
class Views : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::tuple<std::string_view, int, int, float> quotes[] = {
        // code, market, category, last price (the previous close is 10)
        {"1102", 0, 0, 9.5F},  {"1101 ", 0, 0, 10.5F},   {"2330", 0, 13, 10.0F}, {"2880", 0, 24, 10.65F},
        {"0050", 0, 25, 0.0F}, {"03001P", 0, 27, 9.31F}, {"5483", 1, 0, 11.0F},  {"2330", 1, 26, 9.0F},
        {"abc1", 1, 26, 0.0F}, {"ABC1", 1, 0, 0.0F},     {"7777", 2, 0, 0.0F}};
    for (const auto& [code, market, category, last] : quotes) {
      testing::StoreRecord(*store, Record({code, "N", market, category, 10, last}));
    }
    StockRecord odd = Record({.Code = "9999"});
    odd.SetCategory(26);  // group 0: in no category of the tables
    testing::StoreRecord(*store, odd);
    lists.Create("\xF0\x9F\x93\x88");  // a name Big5 cannot hold
    for (const char* code : {"ABC1", "2330", "9", "1101"}) lists.AddCode(0, code);
  }
  // The codes of the view's rows, and its figures: stocks, up, down,
  // unchanged, limit-up, limit-down and the average change ("-" for none).
  std::pair<std::string, std::string> Shown(const TView& view, const TViewSummary& s) const {
    std::string codes;
    for (const TStock* stock : ViewStocks(*store, view, lists).Stocks) {
      codes += (codes.empty() ? "" : " ") + std::string(TrimView(stock->Payload.Code()));
    }
    const TBoardSummary& c = s.Counts;
    char figures[80], average[16] = "-";
    std::snprintf(figures, sizeof figures, "%d %d %d %d %d %d ", c.Stocks, c.Up, c.Down, c.Unchanged, c.LimitUp,
                  c.LimitDown);
    if (s.AverageChange()) std::snprintf(average, sizeof average, "%+.2f", *s.AverageChange());
    return {codes, figures + std::string(average)};
  }

  TStockListPtr store = NewStockList();
  TWatchLists lists;
};

TEST_F(Views, RowsAndFiguresOfEachView) {
  const std::tuple<TView, std::string_view, std::string_view> rows[] = {
      {AllView(), "1101 1102 2330 2880 9999 0050 03001P 5483 ABC1 2330 abc1 7777", "12 3 3 1 2 2 -0.06"},
      {WatchListView(0), "ABC1 2330 9 1101", "4 1 0 1 0 0 +2.50"},
      {MarketView(0), "1101 1102 2330 2880 9999 0050 03001P", "7 2 2 1 1 1 -0.08"},
      {MarketView(1), "5483 ABC1 2330 abc1", "4 1 1 0 1 1 +0.00"},
      {CategoryView(0, 0), "1101 1102", "2 1 1 0 0 0 +0.00"},
      {CategoryView(0, 24), "2880", "1 1 0 0 1 0 +6.50"},
      {CategoryView(0, 25), "0050", "1 0 0 0 0 0 -"},
      {CategoryView(0, 26), "", "0 0 0 0 0 0 -"},
      {CategoryView(0, 27), "03001P", "1 0 1 0 0 1 -6.90"},
      {CategoryView(1, 26), "2330 abc1", "2 0 1 0 0 1 -10.00"},
  };
  const std::vector<TView> views = ViewCatalogue(lists);
  const std::vector<TViewSummary> summaries = SummarizeViews(*store, lists);
  for (const auto& [view, codes, figures] : rows) {
    const auto at = static_cast<std::size_t>(std::find(views.begin(), views.end(), view) - views.begin());
    EXPECT_EQ(Shown(view, summaries.at(at)), std::pair(std::string(codes), std::string(figures)))
        << ViewNameUtf8(view, lists);
  }
}

TEST_F(Views, ViewsByName) {
  const std::pair<std::string, std::optional<TView>> rows[] = {
      {"\xE5\x85\xA8\xE9\x83\xA8", AllView()},
      {"\xF0\x9F\x93\x88", WatchListView(0)},
      {"\xE4\xB8\x8A\xE5\xB8\x82", MarketView(0)},
      {kCement, CategoryView(0, 0)},
      {kFinance + "&c=" + kFinance2, CategoryView(0, 22)},
      {kFinance + "\xE3\x80\x81" + kFinance2, CategoryView(0, 22)},
      {"\xA4\xF4\xAA\x64", std::nullopt},  // 水泥 in Big5: names are UTF-8
  };
  for (const auto& [name, view] : rows) EXPECT_EQ(FindView(lists, name), view) << name;
}

}  // namespace
}  // namespace kivrel
