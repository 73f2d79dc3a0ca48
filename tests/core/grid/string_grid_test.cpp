#include "core/grid/string_grid.h"

#include <gtest/gtest.h>

#include "core/grid/grid_fit.h"

namespace kivrel {

struct Grid : TStringGrid {
  explicit Grid(int width) : TStringGrid(15, 3), Width(width) {}
  int ClientWidth() const override { return Width; }
  void Invalidate() override {}
  int Width;
};

TEST(StringGrid, ANegativeRowCountLeavesNoRows) {
  Grid grid(0);
  grid.SetRowCount(-1);
  EXPECT_EQ(grid.RowCount(), 0);
}

// Client width, ratio, column width (ClientWidth - 14) / 15 truncated, font height
// |min(round(width / ratio) - 1, row height 24 - 2)|, a half rounding to even
// (-2.5 to -2); a zero ratio gives the cap.
TEST(GridFit, ColumnWidthsAndFontFollowTheClientWidth) {
  const std::tuple<int, float, int, int> rows[] = {{28, 3.5F, 0, 1}, {119, 0, 7, 22}, {-70, 2, -5, 3}};
  for (const auto& [clientWidth, ratio, colWidth, fontHeight] : rows) {
    Grid grid(clientWidth);
    FitColumnWidths(grid);
    FitGridFont(grid, ratio);
    EXPECT_EQ(std::pair(grid.DefaultColWidth(), grid.Font().Height), std::pair(colWidth, fontHeight)) << clientWidth;
  }
}

}  // namespace kivrel
