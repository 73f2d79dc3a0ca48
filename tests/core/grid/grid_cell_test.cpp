#include "core/grid/grid_cell.h"

#include <gtest/gtest.h>

#include "core/draw/cell_text.h"
#include "core/grid/grid_columns.h"
#include "support/recording_canvas.h"
#include "support/stocks.h"

namespace kivrel {

constexpr TRect kCell{10, 24, 75, 48};
constexpr TColor kGridColor = 0x00C0C0C0;  // not button face, so the two tell apart

// A close of 10 (limits 10.65 and 9.31) and, by default, values in every
// state: the bid at the limit-up price, the ask at the limit-down price, the
// last down, the open flat, the high beyond the limit, the low up; the change
// up, as the change columns follow the last price.
StockRecord BoardRecord(int market, std::vector<float> values = {10.65F, 9.31F, 9.5F, 0.3F, 10, 11, 10.3F, 1234}) {
  StockRecord r = testing::Record({.Code = " 1101 ", .Market = market, .PrevClose = 10});
  std::memcpy(r.Bytes() + 34, values.data(), 8 * sizeof(float));  // bid to volume, packed from byte 34
  return r;
}

// A grid whose row 1 shows the texts of its stock.
struct GridCell : ::testing::Test, TStringGrid {
  GridCell() : TStringGrid(15, 3) {
    SetColor(kGridColor);
    SetObjectText(StockColumnText);
    SetObjects(0, 1, &stock_);
    ShowObjectTexts(1);
  }
  int ClientWidth() const override { return 0; }
  void Invalidate() override {}
  TTextRectInfo Info(int col, int row = 1) const { return MakeGridCellInfo(*this, col, row, kCell); }
  static TTextRectInfo Expected(const std::string& text, TColor font, TColor brush, std::uint8_t h) {
    return MakeTextRectInfo(kCell, text, font, brush, h, vaCenter, false);
  }
  TStock stock_{BoardRecord(0)};
};

// Drawn in Chinese and never bold, also in decimal-underline mode.
TEST_F(GridCell, TitleRowShowsTheColumnTitlesCentredBlackOnButtonFace) {
  for (const int col : {-1, 0, 4, 14, 15, INT32_MAX}) {
    const std::string title = col >= 0 && col < 15 ? std::string(kColumnTitlesText.substr(col * 7U, 6)) : "";
    EXPECT_EQ(Info(col, 0), Expected(title, clBlack, clBtnFace, haCenter)) << col;
  }
  testing::RecordingCanvas canvas;
  DecimalUnderline = true;
  DrawGridCell(canvas, *this, 4, 0, kCell);
  DecimalUnderline = false;
  const testing::Drawn d = canvas.Texts().at(0);
  EXPECT_TRUE(d.Flags == 0x25 && d.Font.Name == ChineseFontName && !d.Font.Style.Has(TFontStyle::fsBold)) << d.Text;
}

// The cell's text as the grid gives it, the limit mark the cell adds, and its
// colours; then texts written into cells, which win, and their marks.
TEST_F(GridCell, StockRowShowsItsTextsColouredByEachColumnAndMarkedAtTheLimits) {
  const std::tuple<const char*, const char*, TColor, TColor> rows[15] = {{"1101", "", clBlue, clBtnFace},
                                                                         {"\xA5x\xA1@\xAA"
                                                                          "d",
                                                                          "", clBlue, clBtnFace},
                                                                         {"10.65", "+", clYellow, clRed},
                                                                         {"9.31", "-", clWhite, clGreen},
                                                                         {"9.50", "", clGreen, clBtnFace},
                                                                         {"+0.30", "", clGreen, clBtnFace},
                                                                         {"1234", "", clTeal, kGridColor},
                                                                         {"10.00", "", clBlack, clBtnFace},
                                                                         {"11.00", "+", clYellow, clRed},
                                                                         {"10.30", "", clRed, clBtnFace},
                                                                         {"+3.00", "", clGreen, clBtnFace},
                                                                         {"6.80", "", clNavy, kGridColor},
                                                                         {"10.00", "", clBlack, clBtnFace},
                                                                         {"+10.65", "", clYellow, clRed},
                                                                         {"-9.31", "", clWhite, clGreen}};
  const std::tuple<int, const char*, const char*> written[] = {
      {2, "1.5", "+1.5"}, {3, "9.3", "-9.3"}, {2, "", ""}, {2, "-1.5", "-1.5"}, {3, "+9.3", "+9.3"}, {8, "1 ", "+1 "}};
  for (int col = 0; col < 15; ++col) {
    const auto& [text, mark, font, brush] = rows[col];
    EXPECT_EQ(Cells(col, 1), text) << col;
    EXPECT_EQ(Info(col), Expected(mark + std::string(text), font, brush, col < 2 ? haLeft : haRight)) << col;
  }
  for (const auto& [col, text, shown] : written) {
    SetCells(col, 1, text);
    EXPECT_EQ(Info(col).Text, shown) << col << " " << text;
  }
  TStock otc{BoardRecord(1)};
  SetObjects(0, 1, &otc);
  EXPECT_TRUE(Info(0).FontColor == clOlive && Info(1).FontColor == clOlive);
}

// Values from the bid to the low that are not positive, and columns beyond
// the board, in a row with a stock; a row with no stock (a TObject is none).
TEST_F(GridCell, WithoutAPositiveValueCellsShowTheirTextsBlackOnTheGridColourUnmarked) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  TStock notPositive{BoardRecord(0, {-10.65F, nan, 0, -0.3F, -0.0F, 11, 9.5F, 1234})};
  TObject other;
  for (int col = 0; col < 15; ++col) SetCells(col, 1, "9.31");
  for (const auto& [object, cols] : {std::pair<TObject*, std::vector<int>>{&notPositive, {2, 3, 4, 5, 7, 10, -1, 15}},
                                     {&other, {0, 1, 2, 3, 13, 14}}}) {
    SetObjects(0, 1, object);
    for (const int col : cols) {
      EXPECT_EQ(Info(col), Expected(Cells(col, 1), clBlack, kGridColor, col == 0 || col == 1 ? haLeft : haRight))
          << col;
    }
  }
}

}  // namespace kivrel
