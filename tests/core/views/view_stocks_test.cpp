#include "core/views/view_stocks.h"

#include <gtest/gtest.h>

#include "core/store/stock_store.h"
#include "core/text/trim.h"
#include "support/stocks.h"

namespace kivrel {
namespace {

using testing::Quote;
using testing::Record;

const std::string kCement = "\xE6\xB0\xB4\xE6\xB3\xA5";                                         // 水泥
const std::string kFinance = "\xE9\x87\x91\xE8\x9E\x8D\xE4\xB8\x80";                            // 金融一
const std::string kFinance2 = "\xE9\x87\x91\xE8\x9E\x8D\xE4\xBA\x8C";                           // 金融二
const std::string kOtc = "\xE4\xB8\x8A\xE6\xAB\x83";                                            // 上櫃
const std::string kOtcBonds6 = "\xE6\xAB\x83\xE5\x85\xAC\xE5\x8F\xB8\xE5\x82\xB5\xE5\x85\xAD";  // 櫃公司債六

// Stocks at the edges of the tables: first and last categories of both
// markets, both category groups, a code in two categories, a lower-case
// code, a category its group does not match, and a market beyond both.
class Views : public ::testing::Test {
 protected:
  void SetUp() override {
    const Quote quotes[] = {{.Code = "1102", .Category = 0, .Last = 9.5F},
                            {.Code = "1101", .Category = 0, .Last = 10.5F},
                            {.Code = "2330", .Category = 13, .Last = 10},
                            {.Code = "2880", .Category = 24, .Last = 10.65F},
                            {.Code = "0050", .Category = 25},
                            {.Code = "03001P", .Category = 27, .Last = 9.31F},
                            {.Code = "5483", .Market = 1, .Last = 11},
                            {.Code = "2330", .Market = 1, .Category = 26, .Last = 9},
                            {.Code = "abc1", .Market = 1, .Category = 26},
                            {.Code = "7777", .Market = 2}};
    for (const Quote& q : quotes) StoreStock(*store, std::make_unique<TStock>(Record(q)));
    StockRecord odd = Record({.Code = "9999"});
    odd.SetCategory(26);  // group 0: in no category of the tables
    StoreStock(*store, std::make_unique<TStock>(odd));
    lists.Create("\xF0\x9F\x93\x88");  // a name Big5 cannot hold
    for (const char* code : {"ABC1", "2330", "9", "1101"}) lists.AddCode(0, code);
  }
  std::string Codes(const TView& view) const {
    std::string codes;
    for (const TStock* stock : ViewStocks(*store, view, lists).Stocks) {
      codes += (codes.empty() ? "" : " ") + std::string(TrimView(stock->Payload.Code()));
    }
    return codes;
  }

  TStockListPtr store = NewStockList();
  TWatchLists lists;
};

TEST_F(Views, StocksOfEachView) {
  const std::pair<TView, std::string_view> rows[] = {
      {AllView(), "1101 1102 2330 2880 9999 0050 03001P 5483 2330 abc1 7777"},
      {MarketView(0), "1101 1102 2330 2880 9999 0050 03001P"},
      {MarketView(1), "5483 2330 abc1"},
      {CategoryView(0, 0), "1101 1102"},
      {CategoryView(0, 1), ""},
      {CategoryView(0, 24), "2880"},
      {CategoryView(0, 25), "0050"},
      {CategoryView(0, 26), ""},
      {CategoryView(0, 27), "03001P"},
      {CategoryView(1, 0), "5483"},
      {CategoryView(1, 26), "2330 abc1"},
      {WatchListView(0), "abc1 2330 9 1101"},
  };
  for (const auto& [view, codes] : rows) EXPECT_EQ(Codes(view), codes) << ViewNameUtf8(view, lists);

  // The listed 2330 is the first in key order; the missing code is a row of its own.
  const TViewRows rowsOfList = ViewStocks(*store, WatchListView(0), lists);
  EXPECT_EQ(rowsOfList.Stocks[1], &StockAt(*store, 2));
  ASSERT_EQ(rowsOfList.Placeholders.size(), 1u);
  EXPECT_EQ(rowsOfList.Stocks[2], rowsOfList.Placeholders[0].get());
  StockRecord placeholder;
  placeholder.SetCode("9");
  EXPECT_EQ(rowsOfList.Stocks[2]->Payload, placeholder);
  EXPECT_EQ(ViewStocks(*NewStockList(), CategoryView(1, 26), lists).Stocks.size(), 0u);
}

TEST_F(Views, SummaryOfEachView) {
  const std::vector<TView> views = ViewCatalogue(lists);
  ASSERT_EQ(views.size(), 1u + 1 + 1 + 28 + 1 + 27);
  const std::vector<TViewSummary> summaries = SummarizeViews(*store, lists);
  ASSERT_EQ(summaries.size(), views.size());
  const auto of = [&](const TView& view) {
    const TViewSummary& s =
        summaries[static_cast<std::size_t>(std::find(views.begin(), views.end(), view) - views.begin())];
    const TBoardSummary& c = s.Counts;
    return std::vector<double>{double(c.Stocks),
                               double(c.Up),
                               double(c.Down),
                               double(c.Unchanged),
                               double(c.LimitUp),
                               double(c.LimitDown),
                               s.AverageChange().value_or(-99)};
  };
  const std::pair<TView, std::vector<double>> rows[] = {
      // stocks, up, down, unchanged, limit-up, limit-down, average change (-99: none)
      {AllView(), {11, 3, 3, 1, 2, 2, (5 - 5 + 0 + 6.5 - 6.9 + 10 - 10) / 7.0}},
      {WatchListView(0), {4, 1, 0, 1, 0, 0, 2.5}},
      {MarketView(0), {7, 2, 2, 1, 1, 1, (5 - 5 + 0 + 6.5 - 6.9) / 5.0}},
      {MarketView(1), {3, 1, 1, 0, 1, 1, 0}},
      {CategoryView(0, 0), {2, 1, 1, 0, 0, 0, 0}},
      {CategoryView(0, 25), {1, 0, 0, 0, 0, 0, -99}},
      {CategoryView(0, 27), {1, 0, 1, 0, 0, 1, -6.9}},
      {CategoryView(1, 26), {2, 0, 1, 0, 0, 1, -10}},
  };
  for (const auto& [view, figures] : rows) {
    const std::vector<double> got = of(view);
    for (std::size_t i = 0; i < figures.size(); ++i) {
      EXPECT_NEAR(got[i], figures[i], 1e-4) << ViewNameUtf8(view, lists) << " figure " << i;
    }
  }
}

TEST_F(Views, ViewsByName) {
  const std::pair<std::string, std::optional<TView>> rows[] = {
      {"\xE5\x85\xA8\xE9\x83\xA8", AllView()},
      {"\xF0\x9F\x93\x88", WatchListView(0)},
      {"\xE4\xB8\x8A\xE5\xB8\x82", MarketView(0)},
      {kOtc, MarketView(1)},
      {kCement, CategoryView(0, 0)},
      {kFinance + "&c=" + kFinance2, CategoryView(0, 22)},
      {kFinance + "\xE3\x80\x81" + kFinance2, CategoryView(0, 22)},
      {kFinance, std::nullopt},
      {"\xE6\xAB\x83\xE5\x85\xAC\xE5\x8F\xB8\xE5\x82\xB5\xE4\xB8\x80&c=\xE6\xAB\x83\xE5\x85\xAC\xE5\x8F\xB8\xE5\x82"
       "\xB5\xE4\xBA\x8C&c=\xE6\xAB\x83\xE5\x85\xAC\xE5\x8F\xB8\xE5\x82\xB5\xE4\xB8\x89&c=\xE6\xAB\x83\xE5\x85\xAC\xE5"
       "\x8F\xB8\xE5\x82\xB5\xE5\x9B\x9B&c=\xE6\xAB\x83\xE5\x85\xAC\xE5\x8F\xB8\xE5\x82\xB5\xE4\xBA\x94&c=" +
           kOtcBonds6,
       CategoryView(1, 26)},
      {"\xA4\xF4\xAA\x64", std::nullopt},  // 水泥 in Big5: names are UTF-8
      {"", std::nullopt},
  };
  for (const auto& [name, view] : rows) EXPECT_EQ(FindView(lists, name), view) << name;

  const std::vector<std::string> known = KnownViewNames(lists);
  ASSERT_EQ(known.size(), 59u);
  EXPECT_EQ(known[0] + known[1] + known[2] + known[3],
            "\xE5\x85\xA8\xE9\x83\xA8\xF0\x9F\x93\x88\xE4\xB8\x8A\xE5\xB8\x82" + kCement);
  EXPECT_EQ(known[31], kOtc);
  EXPECT_TRUE(known[58].ends_with("\xE3\x80\x81" + kOtcBonds6));
  EXPECT_EQ(ViewName(CategoryView(0, 22), lists).Text,
            "\xAA\xF7\xBF\xC4\xA4@\xA1"
            "B\xAA\xF7\xBF\xC4\xA4G");

  EXPECT_EQ(NewListNameProblem(lists, kCement), TListNameProblem::npViewName);
  EXPECT_EQ(NewListNameProblem(lists, kFinance + "\xE3\x80\x81" + kFinance2), TListNameProblem::npViewName);
  EXPECT_EQ(NewListNameProblem(lists, "\xF0\x9F\x93\x88"), TListNameProblem::npTaken);
  EXPECT_EQ(NewListNameProblem(lists, kFinance), TListNameProblem::npNone);
  lists.Create(kCement);  // as a hand-edited file may name one: the list comes first
  EXPECT_EQ(FindView(lists, kCement), WatchListView(1));
}

}  // namespace
}  // namespace kivrel
