// The chart window on the offscreen platform, over a history file.
#include "app/chart_window.h"

#include <QApplication>
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

StockRecord Quote(std::int32_t day, int minute, float last, float volume) {
  StockRecord r = testing::Record({.Code = "1101", .Last = last});
  r.SetQuoteTime(JoinQuoteTime({day, 9 * 3600 + minute * 60}));
  r.SetOpen(10.0F);
  r.SetHigh(10.7F);
  r.SetLow(9.3F);
  r.SetVolume(volume);
  return r;
}

bool HasColour(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

// The latest day's prices in the board's colours; Tab, hovering, a new
// import and Escape, on one window.
TEST(ChartWindow, ShowsTheLatestDaySwitchesFollowsAndCloses) {
  testing::TempDir dir;
  THistory writer(dir / "history.db", THistory::TAccess::ReadWrite);
  writer.Record(std::vector{Quote(kDay - 3, 0, 9.9F, 100)});
  for (const auto& [minute, last, volume] :
       {std::tuple(0, 10.0F, 100.0F), std::tuple(30, 10.5F, 300.0F), std::tuple(60, 9.5F, 350.0F)}) {
    writer.Record(std::vector{Quote(kDay, minute, last, volume)});
  }
  THistory reader(dir / "history.db", THistory::TAccess::ReadOnly);
  TChartWindow window(&reader);
  window.Show(kStock, "1101 \xA5x\xAA\x64", {10.0F, 10.65F, 9.31F});
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), ToQString("1101 \xA5x\xAA\x64  2024-03-18"));

  QImage image = window.grab().toImage();
  const TChartGeometry& day = window.Geometry();
  ASSERT_EQ(day.Spots.size(), 3U);
  ASSERT_EQ(day.Lines.size(), 2U);  // up, then down across the close
  const TPoint up = day.Lines[0].Points[1], down = day.Lines[1].Points.back();
  EXPECT_EQ(image.pixelColor(up.X, up.Y), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(down.X, down.Y), QColor(0, 128, 0));

  QTest::mouseMove(&window, QPoint(day.Spots[1].X, day.PricePane.Top + 40));
  image = window.grab().toImage();
  EXPECT_TRUE(HasColour(image, QColor(255, 255, 225)));  // the hover box

  writer.Record(std::vector{Quote(kDay, 90, 9.8F, 400)});
  window.Refresh();
  window.grab();
  EXPECT_EQ(window.Geometry().Spots.size(), 4U);

  QTest::keyClick(&window, Qt::Key_Tab);
  EXPECT_EQ(window.View(), TChartWindow::TView::Daily);
  window.grab();
  EXPECT_EQ(window.Geometry().Candles.size(), 2U);
  EXPECT_TRUE(window.windowTitle().endsWith(ToQString("\xA4\xE9\xBDu")));

  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());

  window.SetHistory(nullptr);
  window.grab();
  EXPECT_TRUE(window.Geometry().Candles.empty());
}

}  // namespace
}  // namespace kivrel
