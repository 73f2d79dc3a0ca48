// The chart window on the offscreen platform, over a history file.
#include "app/chart_window.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "app/big5_qt.h"
#include "core/chart/daily_chart.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

constexpr std::int32_t kDay = 45369;  // 2024-03-18
const THistoryStock kStock{0, 0, "1101"};

StockRecord Quote(std::int32_t day, int minute, float last) {
  return testing::Record({.Code = "1101", .Last = last, .QuoteTime = JoinQuoteTime({day, 9 * 3600 + minute * 60})});
}

// The latest day's prices in the board's colours; hovering, Tab and a
// history gone, on one window. Escape and a new import are seen from the
// board (main_window_test).
TEST(ChartWindow, ShowsTheLatestDayHoversAndSwitches) {
  testing::TempDir dir;
  THistory writer(dir / "history.db", THistory::TAccess::ReadWrite);
  for (const auto& [day, minute, last] : {std::tuple(kDay - 3, 0, 9.9F), std::tuple(kDay, 0, 10.0F),
                                          std::tuple(kDay, 30, 10.5F), std::tuple(kDay, 60, 9.5F)}) {
    writer.Record(std::vector{Quote(day, minute, last)});
  }
  THistory reader(dir / "history.db", THistory::TAccess::ReadOnly);
  TChartWindow window(&reader);
  window.Show(kStock, "1101 \xA5x\xAA\x64", {10.0F, 10.65F, 9.31F});
  EXPECT_EQ(window.windowTitle(), ToQString("1101 \xA5x\xAA\x64  2024-03-18"));

  const QImage image = window.grab().toImage();
  const TChartGeometry& day = window.Geometry();
  ASSERT_EQ(day.Spots.size(), 3U);
  const TPoint up = day.Lines.at(0).Points.at(1);  // 09:30, up from the close
  EXPECT_EQ(image.pixelColor(up.X, up.Y), QColor(255, 0, 0));

  QTest::mouseMove(&window, QPoint(day.Spots[1].X, day.PricePane.Top + 40));
  EXPECT_NE(window.grab().toImage(), image);  // the hover line and box

  QTest::keyClick(&window, Qt::Key_Tab);
  EXPECT_EQ(window.View(), TChartWindow::TView::Daily);
  window.grab();
  EXPECT_EQ(window.Geometry().Candles.size(), 2U);
  EXPECT_TRUE(window.windowTitle().endsWith(ToQString("\xA4\xE9\xBDu")));

  window.SetHistory(nullptr);
  window.grab();
  EXPECT_TRUE(window.Geometry().Candles.empty());
}

}  // namespace
}  // namespace kivrel
