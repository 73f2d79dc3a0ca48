#include "core/grid/cell_marks.h"

#include <gtest/gtest.h>

#include "core/grid/grid_columns.h"
#include "support/recording_canvas.h"
#include "support/stocks.h"

namespace kivrel {
namespace {

struct OneRow : TStringGrid {
  OneRow() : TStringGrid(15, 2) {}
  int ClientWidth() const override { return 0; }
  void Invalidate() override {}
};

// A cell is marked while its shown text differs from before, in the direction
// of its number (the limit-down column by the price, not by its negated
// text), for two seconds; codes and names never.
TEST(CellMarks, ChangedCellsAreMarkedByDirectionForTwoSeconds) {
  const StockRecord before = testing::Record({.Last = 10.0F});
  TStock stock(testing::Record({.PrevClose = 10.5F, .Last = 10.004F}));  // 10.00 as shown
  TChangeMarks marks;
  marks.Mark(stock, before, 1000);
  const std::tuple<int, std::int64_t, TChange> rows[] = {
      {4, 1000, TChange::None},  // the last price shows the same text
      {12, 1000, TChange::Up},  {12, 2999, TChange::Up}, {12, 3000, TChange::None},
      {12, 999, TChange::None}, {13, 1000, TChange::Up}, {14, 1000, TChange::Up},  // the limit-down price rose
      {5, 1000, TChange::Down},                                                    // the change fell from 0.00 to -0.50
      {0, 1000, TChange::None},
  };
  for (const auto& [col, now, change] : rows) {
    EXPECT_EQ(marks.ChangeOf(stock, col, now), change) << col << " " << now;
  }
  EXPECT_EQ(marks.NextExpiry(), 3000);
  EXPECT_TRUE(marks.Expire(2999).empty());
  EXPECT_EQ(marks.Expire(3000), std::vector<const TStock*>{&stock});
  EXPECT_TRUE(marks.Empty());
}

TEST(CellMarks, TheLastPriceAtTheDaysHighOrLowIsMarked) {
  const std::tuple<float, float, float, TChange> rows[] = {
      // last, high, low
      {11, 11, 10, TChange::Up},   {10, 11, 10, TChange::Down}, {10.5F, 11, 10, TChange::None},
      {10, 10, 10, TChange::None}, {0, 11, 10, TChange::None},  {11.5F, 11, 10, TChange::Up},
  };
  for (const auto& [last, high, low, extreme] : rows) {
    StockRecord r = testing::Record({.Last = last});
    r.SetHigh(high);
    r.SetLow(low);
    EXPECT_EQ(DayExtremeOf(r), extreme) << last;
  }
}

// The frame takes the colour of the direction, unless the cell's background
// already has it; the triangle takes the cell's text colour.
TEST(CellMarks, FramesAndTrianglesStandOutOfTheirCell) {
  StockRecord r = testing::Record({.PrevClose = 10, .Last = 10.65F});  // at the limit-up price: yellow on red
  r.SetHigh(10.65F);
  r.SetLow(10);
  TStock stock(r);
  OneRow grid;
  grid.SetObjectText(StockColumnText);
  grid.SetObjects(0, 1, &stock);
  grid.ShowObjectTexts(1);
  TChangeMarks marks;
  marks.Mark(stock, testing::Record({.PrevClose = 10, .Last = 10.5F}), 0);
  testing::RecordingCanvas canvas;
  DrawCellMarks(canvas, grid, 4, 1, {0, 0, 60, 24}, marks, 10);
  ASSERT_EQ(canvas.Records.size(), 6u + 4u);  // a triangle of six rows, a frame of four sides
  EXPECT_EQ(canvas.Records[0].Rect, (TRect{0, 0, 6, 1}));
  EXPECT_EQ(canvas.Records[5].Rect, (TRect{0, 5, 1, 6}));
  EXPECT_EQ(canvas.Records[0].Brush, clYellow);
  EXPECT_EQ(canvas.Records[6].Brush, clYellow);  // red on red would not show
  EXPECT_EQ(canvas.Records[9].Rect, (TRect{58, 0, 60, 24}));
  canvas.Records.clear();
  DrawCellMarks(canvas, grid, 3, 1, {0, 0, 60, 24}, marks, 10);  // the ask did not change
  EXPECT_TRUE(canvas.Records.empty());
}

}  // namespace
}  // namespace kivrel
