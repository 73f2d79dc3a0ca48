#include "core/grid/grid_cell.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/grid/grid_columns.h"
#include "core/grid/stock_tooltip.h"
#include "core/text/big5.h"
#include "support/stocks.h"

namespace kivrel {

constexpr TColor gridColor = 0x00C0C0C0;  // not button face, so the two tell apart

struct Board : TStringGrid {
  Board() : TStringGrid(15, 2, gridColor) {}
  int ClientWidth() const override { return 0; }
  void Invalidate() override {}
};

// Row 1 shows a stock closed at 10 (limits 10.65 and 9.31): the bid at the
// limit-up price, the ask at the limit-down price, the last down, the change
// up (the change columns follow the last price), the open flat, the high
// beyond the limit. Column, text, the limit mark the cell adds (none to a text
// that starts with a sign), and the colours; codes and names go left, the rest
// right.
TEST(GridCell, StockRowShowsItsTextsColouredByEachColumnAndMarkedAtTheLimits) {
  constexpr TRect cell{10, 24, 75, 48};
  StockRecord record = testing::Record({.Code = " 1101 ", .PrevClose = 10});
  const float values[] = {10.65F, 9.31F, 9.5F, 0.3F, 10, 11, 10.3F, 1234};  // bid to volume, packed from byte 34
  std::memcpy(record.Bytes() + 34, values, sizeof values);
  TStock stock(record);
  Board grid;
  grid.SetObjectText(StockColumnText);
  grid.SetObjects(0, 1, &stock);
  grid.ShowObjectTexts(1);
  const std::tuple<int, const char*, const char*, TColor, TColor> rows[] = {
      {0, "1101", "", clBlue, clBtnFace},    {1, "\xA5x\xA1@\xAA\x64", "", clBlue, clBtnFace},
      {2, "10.65", "+", clYellow, clRed},    {3, "9.31", "-", clWhite, clGreen},
      {4, "9.50", "", clGreen, clBtnFace},   {5, "+0.30", "", clGreen, clBtnFace},
      {6, "1234", "", clTeal, gridColor},    {7, "10.00", "", clBlack, clBtnFace},
      {8, "11.00", "+", clYellow, clRed},    {9, "10.30", "", clRed, clBtnFace},
      {10, "+3.00", "", clGreen, clBtnFace}, {11, "6.80", "", clNavy, gridColor},
      {12, "10.00", "", clBlack, clBtnFace}, {13, "+10.65", "", clYellow, clRed},
      {14, "-9.31", "", clWhite, clGreen},
  };
  for (const auto& [col, text, mark, font, brush] : rows) {
    EXPECT_EQ(grid.Cells(col, 1), text) << col;
    EXPECT_EQ(MakeGridCellInfo(grid, col, 1, cell), MakeTextRectInfo(cell, mark + std::string(text), font, brush,
                                                                     col < 2 ? haLeft : haRight, vaCenter, false))
        << col;
  }
  // Over the code or name: name and code trimmed, the market and the
  // category; the market alone for a category the tables lack.
  EXPECT_EQ(Big5ToUtf8(StockToolTip(record)), "台泥  1101\n上市 水泥");
  record.SetCategory(28);
  EXPECT_EQ(Big5ToUtf8(StockToolTip(record)), "台泥  1101\n上市");
}

}  // namespace kivrel
