#include "core/grid/string_grid.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/grid/grid_fit.h"

namespace kivrel {

// A view that writes down every change it hears of; changed cells as first
// and last column, first and last row.
struct LoggingGrid : TStringGrid {
  explicit LoggingGrid(int width = 0) : TStringGrid(15, 3), Width(width) {}
  int ClientWidth() const override { return Width; }
  void Invalidate() override {}
  void RowCountChanging(int from, int to) override { Log += "rows" + N(from) + N(to) + "; "; }
  void RowCountChanged() override { Log += "rows changed; "; }
  void CellsChanged(int a, int b, int c, int d) override { Log += "cells" + N(a) + N(b) + N(c) + N(d) + "; "; }
  void ResetBegun() override { Log += "reset; "; }
  void ResetEnded() override { Log += "reset done; "; }
  static std::string N(int n) { return " " + std::to_string(n); }
  std::string TakeLog() { return std::exchange(Log, {}); }
  int Width;
  std::string Log;
};

TEST(StringGrid, ChangesAreAnnouncedOneByOneOutsideAnUpdateAndAsOneResetInside) {
  LoggingGrid grid;
  TObject object;
  grid.SetCells(2, 1, "x");
  grid.SetCells(15, 1, "x");  // outside the grid: ignored
  grid.SetObjects(3, 2, &object);
  grid.ShowObjectTexts(2);
  grid.SetRowCount(3);  // no change
  grid.BeginUpdate();
  grid.BeginUpdate();
  grid.SetCells(4, 2, "y");
  grid.SetObjects(0, 2, &object);
  grid.SetRowCount(2);
  grid.EndUpdate();
  EXPECT_EQ(grid.TakeLog(), "cells 2 2 1 1; cells 0 14 2 2; cells 0 14 2 2; reset; ");
  grid.EndUpdate();
  grid.EndUpdate();     // one too many: nothing
  grid.SetRowCount(4);  // the dropped row comes back empty
  EXPECT_EQ(grid.TakeLog(), "reset done; rows 2 4; rows changed; ");
  EXPECT_TRUE(grid.Cells(2, 1) == "x" && grid.WrittenText(4, 2) == nullptr && grid.Objects(0, 2) == nullptr);
  EXPECT_TRUE(grid.Objects(3, 2) == nullptr && !grid.ShowsObjectTexts(2) && grid.Cells(15, 1).empty());
  grid.SetRowCount(-1);
  EXPECT_EQ(grid.RowCount(), 0);
}

// Client width, ratio, column width (ClientWidth - 14) div 15, font height
// |min(round(width / ratio) - 1, row height 24 - 2)|, a half rounding to even.
TEST(GridFit, ColumnWidthsAndFontFollowTheClientWidth) {
  const std::tuple<int, float, int, int> rows[] = {{1000, 3.5F, 65, 18}, {1514, 3.5F, 100, 22}, {29, 3.5F, 1, 1},
                                                   {28, 3.5F, 0, 1},     {-30, 3.5F, -2, 2},    {89, 2, 5, 1},
                                                   {119, 2, 7, 3},       {119, 0, 7, 22}};
  for (const auto& [clientWidth, ratio, colWidth, fontHeight] : rows) {
    LoggingGrid grid(clientWidth);
    FitColumnWidths(grid);
    FitGridFont(grid, ratio);
    EXPECT_EQ(std::pair(grid.DefaultColWidth(), grid.Font().Height), std::pair(colWidth, fontHeight)) << clientWidth;
  }
}

}  // namespace kivrel
