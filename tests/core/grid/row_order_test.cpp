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

// Texts by their bytes (Big5 after ASCII), numbers
// by value, the limit-down price (column 14) by the price, not by the negated
// text; empty cells last, in grid order.
TEST(RowOrder, SortsByTheColumnEitherWayEmptyCellsLast) {
  Rows grid;
  EXPECT_EQ(SortRows(grid, 1, TSortDirection::Ascending), (std::vector{2, 3, 1, 4}));
  EXPECT_EQ(SortRows(grid, 1, TSortDirection::Descending), (std::vector{1, 3, 2, 4}));
  EXPECT_EQ(SortRows(grid, 14, TSortDirection::Descending), (std::vector{2, 1, 3, 4}));
  EXPECT_EQ(SortRows(grid, 14, TSortDirection::Ascending), (std::vector{1, 2, 3, 4}));
}

// Query and the rows it finds: a code from its start (trimmed), a name
// anywhere, ASCII letters in either case, whole Big5 characters only (泥 is
// AA 64: AA 44 is another character, AA half of one).
TEST(RowOrder, FindsCodesByTheirStartAndNamesAnywhere) {
  const std::pair<const char*, const char*> rows[] = {{"11", "13"},     {"30", ""},        {"abc", "2"},
                                                      {"bD", "3"},      {"\xAA\x64", "1"}, {"x", ""},
                                                      {"\xAA\x44", ""}, {"\xAA", ""},      {"", ""}};
  Rows grid;
  for (const auto& [query, found] : rows) {
    std::string matches;
    for (int row = 0; row < 5; ++row) matches += StockMatches(grid, row, query) ? std::to_string(row) : "";
    EXPECT_EQ(matches, found) << query;
  }
}

}  // namespace kivrel
