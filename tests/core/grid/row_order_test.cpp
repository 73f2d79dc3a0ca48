#include "core/grid/row_order.h"

#include <gtest/gtest.h>

#include "core/store/stock.h"
#include "support/stocks.h"

namespace kivrel {

// Rows 1 to 3 show 台泥 (A5 78 AA 64: its first character ends in "x"),
// ABC and ABD; row 4 has no stock.
struct Rows : TStringGrid {
  Rows() : TStringGrid(15, 5) {
    for (int row = 1; row <= 3; ++row) SetObjects(0, row, &stocks[row - 1]);
  }
  int ClientWidth() const override { return 0; }
  void Invalidate() override {}
  TStock stocks[3] = {TStock(testing::Record({.Code = " 1101", .PrevClose = 10, .Last = 9.5F})),
                      TStock(testing::Record({.Code = "2330", .Name = "ABC", .PrevClose = 20, .Last = 21})),
                      TStock(testing::Record({.Code = "1102", .Name = "ABD", .PrevClose = 0}))};
};

std::string Order(const std::vector<int>& rows) {
  std::string order;
  for (int row : rows) order += std::to_string(row);
  return order;
}

// Column, direction, order: texts by their bytes (Big5 after ASCII), numbers
// by value, the limit-down price (column 14) by the price, not by the negated
// text; empty cells last, in grid order.
TEST(RowOrder, SortsByTheColumnEitherWayEmptyCellsLast) {
  const std::tuple<int, TSortDirection, const char*> rows[] = {
      {1, TSortDirection::Ascending, "2314"},   {1, TSortDirection::Descending, "1324"},
      {0, TSortDirection::Descending, "2314"},  {4, TSortDirection::Ascending, "1234"},
      {14, TSortDirection::Descending, "2134"}, {14, TSortDirection::Ascending, "1234"},
  };
  Rows grid;
  for (const auto& [col, direction, order] : rows) EXPECT_EQ(Order(SortRows(grid, col, direction)), order) << col;
}

// Query and the rows it finds: a code from its start (trimmed), a name
// anywhere, ASCII letters in either case, whole Big5 characters only.
TEST(RowOrder, FindsCodesByTheirStartAndNamesAnywhere) {
  const std::pair<const char*, const char*> rows[] = {{"11", "13"},      {"30", ""}, {"abc", "2"}, {"bD", "3"},
                                                      {"\xAA\x64", "1"}, {"x", ""},  {"", ""}};
  Rows grid;
  for (const auto& [query, found] : rows) {
    std::string matches;
    for (int row = 0; row < 5; ++row) matches += StockMatches(grid, row, query) ? std::to_string(row) : "";
    EXPECT_EQ(matches, found) << query;
  }
}

}  // namespace kivrel
