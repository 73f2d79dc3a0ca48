#include <gtest/gtest.h>

#include "core/grid/grid_fit.h"
#include "core/grid/stock_cells.h"
#include "core/grid/string_grid.h"

namespace kivrel {
namespace {

TEST(StringGrid, RowCountDropsAndAddsEmptyRows) {
  TStringGrid grid(15, 3);
  TObject stock;
  grid.SetCells(4, 2, "12.50");
  grid.SetObjects(0, 2, &stock);
  grid.SetRowCount(2);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Cells(4, 2), "");
  EXPECT_EQ(grid.Objects(0, 2), nullptr);
  // Cells outside the grid read empty and ignore writes.
  grid.SetCells(15, 1, "x");
  grid.SetCells(0, -1, "x");
  EXPECT_EQ(grid.Cells(15, 1), "");
  EXPECT_EQ(grid.Objects(0, 3), nullptr);
}

TEST(GridFit, ColumnWidthAndFontFollowTheClientWidth) {
  const struct {
    int clientWidth, colWidth, fontHeight;
  } cases[] = {
      {1000, 65, 18},  // 65 / 3.5 = 18.57 -> 19 - 1
      {1514, 100, 22}, // 28.57 -> capped by the row height
      {29, 1, 1},      // A = round(0.29) - 1 = -1 -> |min(-1, 22)| = 1
      {28, 0, 1},
      {0, 0, 1},
      {14, 0, 1},
      {-30, -2, 2},    // truncation toward zero: -44 div 15 = -2
      {3000, 199, 22},
  };
  for (const auto& c : cases) {
    TStringGrid grid(15, 2);
    grid.SetClientWidth(c.clientWidth);
    FitColumnWidths(grid);
    FitGridFont(grid, 3.5F);
    EXPECT_EQ(grid.DefaultColWidth(), c.colWidth) << c.clientWidth;
    EXPECT_EQ(grid.Font().Height, c.fontHeight) << c.clientWidth;
  }
}

TEST(GridFit, HalvesGoToEvenAndAZeroRatioIsSafe) {
  TStringGrid grid(15, 2);
  grid.SetDefaultColWidth(5);
  FitGridFont(grid, 2.0F);  // 2.5 -> 2, less 1
  EXPECT_EQ(grid.Font().Height, 1);
  grid.SetDefaultColWidth(7);
  FitGridFont(grid, 2.0F);  // 3.5 -> 4, less 1
  EXPECT_EQ(grid.Font().Height, 3);
  FitGridFont(grid, 0.0F);  // an infinite quotient is clamped, then capped
  EXPECT_EQ(grid.Font().Height, 22);
}

StockRecord Quote() {
  StockRecord r;
  r.SetCode(" 1101 ");
  r.SetName("\xA5x\xAA" "d");  // 台泥
  r.SetPrevClose(10.0F);
  r.SetBid(10.6F);
  r.SetAsk(10.65F);
  r.SetLast(10.65F);
  r.SetChange(0.65F);
  r.SetVolume(12345.0F);
  r.SetOpen(10.1F);
  r.SetHigh(10.65F);
  r.SetLow(10.0F);
  return r;
}

TEST(StockCells, TextsOfAFullRow) {
  const TStock stock(Quote());
  const std::array<std::string, kGridColumns> expected = {
      "1101",  "\xA5x\xA1@\xAA" "d", "10.60", "10.65", "10.65", "+0.65", "12345", "10.10",
      "10.65", "10.00", "+6.50", "6.50", "10.00", "+10.65", "-9.31"};
  EXPECT_EQ(StockRowTexts(stock), expected);
  EXPECT_EQ(StockCellText(stock, 15), "");
}

TEST(StockCells, ZeroValuesGiveEmptyCells) {
  StockRecord r = Quote();
  r.SetBid(0);
  r.SetVolume(0);
  r.SetChange(0);
  r.SetPrevClose(0);
  const auto texts = StockRowTexts(TStock(r));
  EXPECT_EQ(texts[2], "");
  EXPECT_EQ(texts[5], "");
  EXPECT_EQ(texts[6], "");
  // A zero previous close empties the change percentage and both limits.
  for (int col : {10, 12, 13, 14}) EXPECT_EQ(texts[static_cast<size_t>(col)], "") << col;
  EXPECT_EQ(texts[11], "6.50");
}

}  // namespace
}  // namespace kivrel
