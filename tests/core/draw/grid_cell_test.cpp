#include "core/draw/grid_cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/draw/alignment.h"
#include "core/draw/cell_text.h"
#include "core/lists/split_list.h"
#include "core/store/stock.h"
#include "core/text/fixed_texts.h"
#include "support/recording_canvas.h"

namespace kivrel {
namespace {

using testing::RecordingCanvas;
using testing::TextDraw;

constexpr TColor kYellow = clYellow, kRed = clRed, kGreen = clGreen, kWhite = clWhite;
const TRect kCell{10, 24, 75, 48};
// 台　泥
const std::string kName = "\xA5x\xA1@\xAA" "d";

// A listed stock with a previous close of 10: its limit prices are 10.65 and
// 9.31. Its values stand in every state: the bid at the limit-up price, the
// ask at the limit-down price, the last price up, the open flat, the high
// beyond the limit-up price, the low down. The change is negative on purpose:
// the change columns are coloured by the last price.
StockRecord BoardRecord(std::uint8_t market) {
  StockRecord r;
  r.SetCode("1101");
  r.SetName(kName);
  r.SetMarket(market);
  r.SetPrevClose(10.0f);
  r.SetBid(10.65f);
  r.SetAsk(9.31f);
  r.SetLast(10.5f);
  r.SetChange(-0.3f);
  r.SetOpen(10.0f);
  r.SetHigh(11.0f);
  r.SetLow(9.5f);
  r.SetVolume(1234.0f);
  return r;
}

// The texts of a row as the grid holds them: never with a limit mark.
const std::vector<std::string> kRowTexts = {"1101",  kName,   "10.65", "9.31",  "10.50",  "-0.30", "1234", "10.00",
                                            "11.00", "9.50",  "-3.00", "15.79", "10.00",  "+10.65", "-9.31"};

class GridCell : public ::testing::Test {
 protected:
  void SetUp() override {
    DecimalUnderline = false;
    for (int col = 0; col < 15; ++col) grid.SetCells(col, 1, kRowTexts[static_cast<std::size_t>(col)]);
  }
  void TearDown() override { DecimalUnderline = false; }

  TTextRectInfo Info(int col, int row = 1) const { return MakeGridCellInfo(grid, titles->GetList(), col, row, kCell); }
  void Attach(TStock& stock) { grid.SetObjects(0, 1, &stock); }

  TStringGrid grid{15, 3};
  ISplitStrListPtr titles = NewSplitStrList(kColumnTitlesText);
  TStock listed{BoardRecord(0)};
};

struct Expected {
  std::string text;
  TColor font;
  TColor brush;
  std::uint8_t hAlign;
};

void ExpectInfo(const TTextRectInfo& info, const Expected& e, int col) {
  EXPECT_EQ(info, MakeTextRectInfo(kCell, e.text, e.font, e.brush, e.hAlign, vaCenter, false)) << "column " << col;
}

TEST_F(GridCell, TitleRowShowsTheColumnTitlesCentredOnButtonFace) {
  Attach(listed);
  const TStringList& list = titles->GetList();
  for (int col = 0; col < 15; ++col) {
    ExpectInfo(Info(col, 0), {list.Strings(col), clBlack, clBtnFace, haCenter}, col);
  }
  // A column the title list lacks gets no title rather than an error.
  for (const int col : {-1, 15, std::numeric_limits<int>::max()}) {
    ExpectInfo(Info(col, 0), {"", clBlack, clBtnFace, haCenter}, col);
  }
}

TEST_F(GridCell, StockRowIsColouredByEachColumnsDecidingValue) {
  Attach(listed);
  const TColor grid_ = grid.Color();
  const Expected expected[15] = {
      {"1101", clBlue, clBtnFace, haLeft},     // code: fixed colours
      {kName, clBlue, clBtnFace, haLeft},      // name: fixed colours
      {"+10.65", kYellow, kRed, haRight},      // bid at the limit-up price: marked
      {"-9.31", kWhite, kGreen, haRight},      // ask at the limit-down price: marked
      {"10.50", kRed, clBtnFace, haRight},     // last, up
      {"-0.30", kRed, clBtnFace, haRight},     // change, by the last price
      {"1234", clTeal, grid_, haRight},        // volume: fixed colour
      {"10.00", clBlack, clBtnFace, haRight},  // open, flat
      {"+11.00", kYellow, kRed, haRight},      // high beyond the limit counts as at it
      {"9.50", kGreen, clBtnFace, haRight},    // low, down
      {"-3.00", kRed, clBtnFace, haRight},     // change percent, by the last price
      {"15.79", clNavy, grid_, haRight},       // amplitude: fixed colour
      {"10.00", clBlack, clBtnFace, haRight},  // previous close, flat
      {"+10.65", kYellow, kRed, haRight},      // limit-up price: no second mark
      {"-9.31", kWhite, kGreen, haRight},      // limit-down price, positive: no second mark
  };
  for (int col = 0; col < 15; ++col) ExpectInfo(Info(col), expected[col], col);
}

TEST_F(GridCell, OverTheCounterCodeAndNameAreOlive) {
  TStock otc{BoardRecord(1)};
  Attach(otc);
  ExpectInfo(Info(0), {"1101", clOlive, clBtnFace, haLeft}, 0);
  ExpectInfo(Info(1), {kName, clOlive, clBtnFace, haLeft}, 1);
}

TEST_F(GridCell, ValuesThatAreNotPositiveStayBlackOnTheGridColour) {
  struct Case {
    const char* what;
    void (StockRecord::*set)(float);
    float value;
    std::vector<int> cols;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      // A last price of 0 leaves the change columns black even with a change.
      {"last 0", &StockRecord::SetLast, 0.0f, {4, 5, 10}},
      {"last NaN", &StockRecord::SetLast, nan, {4, 5, 10}},
      {"bid negative", &StockRecord::SetBid, -10.65f, {2}},
      {"ask 0", &StockRecord::SetAsk, 0.0f, {3}},
      {"open -0", &StockRecord::SetOpen, -0.0f, {7}},
      // A previous close of 0 gives limit prices of 0.
      {"previous close 0", &StockRecord::SetPrevClose, 0.0f, {12, 13, 14}},
  };
  for (const Case& c : cases) {
    StockRecord r = BoardRecord(0);
    (r.*c.set)(c.value);
    TStock stock{r};
    Attach(stock);
    for (const int col : c.cols) {
      ExpectInfo(Info(col), {kRowTexts[static_cast<std::size_t>(col)], clBlack, grid.Color(), haRight}, col);
    }
  }
}

TEST_F(GridCell, LimitMarksGoOnlyOnUnsignedTexts) {
  struct Case {
    const char* what;
    int col;
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {"limit-up bid", 2, "10.65", "+10.65"},
      {"limit-down ask", 3, "9.31", "-9.31"},
      {"empty text gets no mark", 2, "", ""},
      {"a text already signed keeps its sign", 2, "-10.65", "-10.65"},
      {"a text already signed keeps its sign", 3, "+9.31", "+9.31"},
      {"anything unsigned is marked", 8, " 11", "+ 11"},
      {"no mark below the limit", 4, "10.50", "10.50"},
  };
  for (const Case& c : cases) {
    Attach(listed);
    grid.SetCells(c.col, 1, c.text);
    EXPECT_EQ(Info(c.col).Text, c.shown) << c.what;
  }
}

TEST_F(GridCell, RowWithoutStockShowsItsTextsBlackOnTheGridColour) {
  for (int col = 0; col < 15; ++col) {
    ExpectInfo(Info(col), {kRowTexts[static_cast<std::size_t>(col)], clBlack, grid.Color(),
                           col <= 1 ? haLeft : haRight},
               col);
  }
  // An object that is not a stock counts as none.
  TObject other;
  grid.SetObjects(0, 1, &other);
  ExpectInfo(Info(2), {"10.65", clBlack, grid.Color(), haRight}, 2);
  // Rows and columns outside the grid read as empty.
  ExpectInfo(Info(3, 7), {"", clBlack, grid.Color(), haRight}, 3);
  ExpectInfo(Info(1, -4), {"", clBlack, grid.Color(), haLeft}, 1);
  ExpectInfo(Info(20), {"", clBlack, grid.Color(), haRight}, 20);
}

TEST_F(GridCell, ColumnsBeyondTheBoardGetNoColoursFromTheStock) {
  Attach(listed);
  for (const int col : {-1, 15, 99}) ExpectInfo(Info(col), {"", clBlack, grid.Color(), haRight}, col);
}

class GridCellDrawing : public GridCell {
 protected:
  void SetUp() override {
    GridCell::SetUp();
    Attach(listed);
    canvas.Font.Name = "MS Sans Serif";
    canvas.Font.Height = 20;
    canvas.WidthPerByteAtHeight = {{18, 7}};
  }
  std::vector<TextDraw> Draw(int col, int row = 1) {
    canvas.Clear();
    canvas.Font.Style = {};  // the grid resets the font before each cell
    DrawGridCell(canvas, grid, titles->GetList(), col, row, kCell);
    EXPECT_EQ(canvas.Font.Height, 20) << "column " << col << " row " << row;
    return canvas.TextDraws();
  }

  RecordingCanvas canvas;
};

TEST_F(GridCellDrawing, TitlesAreChineseCentredAndNeverBold) {
  const std::string title{titles->GetList().Strings(4)};
  for (const bool mode : {false, true}) {
    DecimalUnderline = mode;
    EXPECT_EQ(Draw(4, 0), (std::vector<TextDraw>{{title, kCell, 0x25, 20, false, false}}));
    EXPECT_EQ(canvas.Font.Name, std::string(kChineseFontName));
    ASSERT_EQ(canvas.Fills().size(), 1u);
    EXPECT_EQ(canvas.Fills()[0].BrushColor, clBtnFace);
    EXPECT_EQ(canvas.Fills()[0].Font.Color, clBlack);
  }
}

TEST_F(GridCellDrawing, NormalModeDrawsEachCellWholeWithItsFlags) {
  EXPECT_EQ(Draw(0), (std::vector<TextDraw>{{"1101", kCell, 0x24, 20, false, false}}));
  EXPECT_EQ(canvas.Font.Name, "ARIAL");
  EXPECT_EQ(Draw(1), (std::vector<TextDraw>{{kName, kCell, 0x24, 20, false, false}}));
  EXPECT_EQ(canvas.Font.Name, std::string(kChineseFontName));
  EXPECT_EQ(Draw(2), (std::vector<TextDraw>{{"+10.65", kCell, 0x26, 20, false, false}}));
  EXPECT_EQ(canvas.Fills()[0].BrushColor, kRed);
  EXPECT_EQ(canvas.Fills()[0].Font.Color, kYellow);
}

TEST_F(GridCellDrawing, DecimalModeSendsCodesLeftAndNumbersRightInBold) {
  DecimalUnderline = true;
  // Code: no "." so drawn whole, bold, left.
  EXPECT_EQ(Draw(0), (std::vector<TextDraw>{{"1101", kCell, 0x24, 20, true, false}}));
  // Name: Chinese, as in normal mode.
  EXPECT_EQ(Draw(1), (std::vector<TextDraw>{{kName, kCell, 0x24, 20, false, false}}));
  // The marked bid: the "+" stays with the integer part; the decimals 65 are
  // 14 px wide at 18, taken from the right edge 75.
  EXPECT_EQ(Draw(2), (std::vector<TextDraw>{{"+10", {10, 24, 61, 48}, 0x26, 20, true, false},
                                            {"65", {61, 24, 75, 45}, 0x26, 18, true, true}}));
  EXPECT_EQ(Draw(6), (std::vector<TextDraw>{{"1234", kCell, 0x26, 20, true, false}}));
}

TEST_F(GridCellDrawing, EmptyCellIsFilledInArialAndShowsNothing) {
  grid.SetCells(2, 1, "");
  for (const bool mode : {false, true}) {
    DecimalUnderline = mode;
    Draw(2);
    ASSERT_EQ(canvas.Fills().size(), 1u);
    EXPECT_EQ(canvas.Fills()[0].Rect, kCell);
    EXPECT_EQ(canvas.Font.Name, "ARIAL");
    EXPECT_TRUE(canvas.VisibleDraws().empty());
  }
}

}  // namespace
}  // namespace kivrel
