#include <gtest/gtest.h>

#include <cmath>

#include "core/chart/daily_chart.h"
#include "core/chart/day_chart.h"
#include "core/price/price_state.h"
#include "support/recording_canvas.h"

namespace kivrel {
namespace {

constexpr std::int32_t kDay = 45369;  // 2024-03-18
constexpr TRect kArea{0, 0, 640, 400};
constexpr TChartMetrics kMetrics{7, 14};
const TColor kUp = StateFontColors[psUp], kDown = StateFontColors[psDown], kFlat = StateFontColors[psFlat];

TQuoteRow Row(int hour, int minute, float last, float volume) {
  return {.QuoteTime = JoinQuoteTime({kDay, hour * 3600 + minute * 60}),
          .Last = last,
          .Change = last > 0 ? last - 10.0F : 0.0F,
          .Volume = volume};
}

// Previous close 10, limits 10.65 and 9.31: up, across the close down, a
// quote without a trade, and across again up to the limit at 13:30.
const std::vector<TQuoteRow> kRows{Row(9, 0, 10.0F, 100),  Row(9, 1, 0.0F, 100),   Row(9, 30, 10.5F, 300),
                                   Row(10, 0, 9.75F, 350), Row(11, 15, 9.8F, 350), Row(13, 30, 10.65F, 1000)};
constexpr TDayChartPrices kPrices{10.0F, 10.65F, 9.31F};

std::vector<std::string> Texts(const TChartGeometry& chart, std::int32_t top) {
  std::vector<std::string> texts;
  for (const TChartText& label : chart.Labels)
    if (label.Rect.Top == top) texts.push_back(label.Text);
  return texts;
}

TEST(DayChart, PriceLineSplitsWhereItCrossesThePreviousClose) {
  const TChartGeometry chart = LayoutDayChart(kRows, kPrices, kArea, kMetrics);
  const TRect& pane = chart.PricePane;
  ASSERT_EQ(chart.Spots.size(), kRows.size());
  std::vector<std::int32_t> x;  // of each row
  for (const TChartSpot& spot : chart.Spots) x.push_back(spot.X);
  EXPECT_EQ((std::vector{x[0], x[4], x[5]}), (std::vector{pane.Left, (pane.Left + pane.Right) / 2, pane.Right - 1}));

  // Levels: limit-up above the close above limit-down, each labelled.
  ASSERT_EQ(chart.Levels.size(), 3U);
  const std::int32_t upY = chart.Levels[0].Points[0].Y, downY = chart.Levels[1].Points[0].Y,
                     closeY = chart.Levels[2].Points[0].Y;
  EXPECT_TRUE(pane.Top < upY && upY < closeY && closeY < downY && downY < pane.Bottom - 1);
  EXPECT_EQ(std::pair(chart.Levels[0].Color, chart.Levels[1].Color),
            std::pair(StateBrushColors[psLimitUp], StateBrushColors[psLimitDown]));
  for (const auto& level : {std::pair("10.65", upY), std::pair("9.31", downY), std::pair("10.00", closeY)}) {
    EXPECT_TRUE(std::any_of(chart.Labels.begin(), chart.Labels.end(), [&](const TChartText& l) {
      return l.Text == level.first && l.Rect.Top + kMetrics.TextHeight / 2 == level.second && l.Rect.Right < pane.Left;
    })) << level.first;
  }

  // Up from the flat open, down across the close, up across it again; the
  // crossings lie on the close's level, the first two thirds of the way.
  ASSERT_EQ(chart.Lines.size(), 3U);
  const std::vector<TColor> colours{chart.Lines[0].Color, chart.Lines[1].Color, chart.Lines[2].Color};
  EXPECT_EQ(colours, (std::vector{kUp, kDown, kUp}));
  const std::vector<TPoint>&up = chart.Lines[0].Points, &down = chart.Lines[1].Points, &last = chart.Lines[2].Points;
  ASSERT_EQ((std::vector{up.size(), down.size(), last.size()}), (std::vector<std::size_t>{3, 4, 2}));
  EXPECT_EQ(up[0], (TPoint{x[0], closeY}));
  EXPECT_EQ(up[2], (TPoint{x[2] + static_cast<std::int32_t>(std::lround((x[3] - x[2]) * 2.0 / 3)), closeY}));
  EXPECT_EQ(last, (std::vector<TPoint>{down.back(), {x[5], upY}}));

  // Bars: what was traded since the quote before (100, 200, 50, 650; none
  // for the quotes that traded nothing), the largest up to the top.
  ASSERT_EQ(chart.Bars.size(), 4U);
  const auto height = [&](std::size_t bar) { return chart.Bars[bar].Rect.Bottom - chart.Bars[bar].Rect.Top; };
  EXPECT_TRUE(height(2) < height(0) && height(0) < height(1) && height(1) < height(3));
  EXPECT_EQ(chart.Bars[3].Rect.Top, chart.VolumePane.Top + 1);
  EXPECT_EQ((std::vector{chart.Bars[0].Color, chart.Bars[1].Color, chart.Bars[2].Color, chart.Bars[3].Color}),
            (std::vector{kFlat, kUp, kDown, kUp}));

  EXPECT_EQ(Texts(chart, chart.VolumePane.Bottom + 2),
            (std::vector<std::string>{"09:00", "10:00", "11:00", "12:00", "13:00", "13:30"}));
  EXPECT_EQ(SpotAt(chart, {x[3] + 2, pane.Top + 5}), 3U);
  EXPECT_EQ(SpotAt(chart, {x[3] + 2, pane.Top - 1}), std::nullopt);
  EXPECT_EQ(DayHoverText(kRows, 3), "10:00 \xA6\xA8\xA5\xE6 9.75 \xBA\xA6\xB6^ -0.25 \xB6q 50");
  EXPECT_EQ(DayHoverText(kRows, 5), "13:30 \xA6\xA8\xA5\xE6 10.65 \xBA\xA6\xB6^ +0.65 \xB6q 650");

  // Drawn: the background first, then everything in its place, labels last
  // in their colours; a hover draws a line through the spot and its text,
  // on the side away from the pointer.
  testing::RecordingCanvas canvas;
  DrawChart(canvas, chart);
  ASSERT_FALSE(canvas.Records.empty());
  EXPECT_TRUE(canvas.Records[0].Fill && canvas.Records[0].Rect == kArea && canvas.Records[0].Brush == kChartBackground);
  std::size_t lines = 0, texts = 0, fills = 0;
  for (const testing::Drawn& d : canvas.Records) {
    lines += !d.Points.empty();
    fills += d.Fill;
    if (!d.Fill && d.Points.empty()) {
      EXPECT_EQ(d.Text, chart.Labels[texts].Text);
      EXPECT_EQ(d.Font.Color, chart.Labels[texts++].Color);
    }
  }
  EXPECT_EQ(lines, chart.Grid.size() + chart.Levels.size() + chart.Lines.size());
  EXPECT_EQ(fills, 1 + chart.Bars.size());
  EXPECT_EQ(texts, chart.Labels.size());

  canvas.Records.clear();
  DrawHover(canvas, chart, kMetrics, 3, {chart.Spots[3].X, 50}, "x");
  ASSERT_EQ(canvas.Records.size(), 3U);
  EXPECT_EQ(canvas.Records[0].Points[0].X, chart.Spots[3].X);
  EXPECT_GT(canvas.Records[1].Rect.Left, chart.Spots[3].X);  // away from the pointer
  EXPECT_EQ(canvas.Records[2].Text, "x");
}

// Without limit prices apart, the axis spans the prices and the close;
// quotes after the session widen the axis; a small area holds no chart.
TEST(DayChart, AxesFollowTheDataWhenLimitsAreMissing) {
  std::vector<TQuoteRow> rows{Row(9, 0, 0.12F, 5), Row(14, 10, 0.13F, 9)};
  const TChartGeometry chart = LayoutDayChart(rows, {0.13F, 0.14F, 0.14F}, kArea, kMetrics);
  ASSERT_EQ(chart.Levels.size(), 1U);
  EXPECT_EQ(chart.Levels[0].Color, kChartFrame);
  EXPECT_EQ(Texts(chart, chart.VolumePane.Bottom + 2).back(), "14:30");
  ASSERT_EQ(chart.Lines.size(), 1U);
  EXPECT_EQ(chart.Lines[0].Points.back().Y, chart.Levels[0].Points[0].Y);

  const TChartGeometry tiny = LayoutDayChart(kRows, kPrices, {0, 0, 80, 60}, kMetrics);
  EXPECT_TRUE(tiny.Lines.empty() && tiny.Labels.empty() && tiny.Spots.empty());
  EXPECT_EQ(SpotAt(tiny, {10, 10}), std::nullopt);

  // Round ticks 1, 2 or 5 times a power of ten apart, none for an empty
  // range; a value beyond the scale stays on its edge.
  EXPECT_EQ(NiceTicks(9.0, 11.0, 5), (std::vector{9.0, 9.5, 10.0, 10.5, 11.0}));
  EXPECT_TRUE(NiceTicks(1.0, 1.0, 5).empty());
  EXPECT_EQ(TChartScale(10.0, 20.0, 100, 0).Place(99.0), 0);
}

std::vector<TDailyRow> Days(int count) {
  std::vector<TDailyRow> rows;
  for (int i = 0; i < count; ++i) {
    const float last = 10.0F + static_cast<float>(i % 7);  // up six days, then down
    rows.push_back({kDay + i, last - 0.5F, last + 1.0F, last - 1.0F, last, 1000.0F + static_cast<float>(i), 9.0F});
  }
  return rows;
}

// One candle a day, body from open to last and wick from high to low,
// coloured against the day before; averages only once enough days are kept.
TEST(DailyChart, CandlesAndTheirAverages) {
  for (const int count : {4, 5, 19, 20, 300}) {
    const std::vector<TDailyRow> rows = Days(count);
    const TChartGeometry chart = LayoutDailyChart(rows, kArea, kMetrics);
    const std::size_t shown = chart.Candles.size();
    ASSERT_EQ(shown, std::min<std::size_t>(count, (chart.PricePane.Right - chart.PricePane.Left - 2) / 3)) << count;
    EXPECT_EQ(chart.Spots.front().Row, rows.size() - shown);  // the latest days
    ASSERT_EQ(chart.Lines.size(), count < 5 ? 0U : count < 20 ? 1U : 2U) << count;
  }

  const std::vector<TDailyRow> rows = Days(8);
  const TChartGeometry chart = LayoutDailyChart(rows, kArea, kMetrics);
  // Day 2 (last 12, open 11.5, high 13, low 11) rose; day 0 rose against
  // its previous close 9, day 7 fell against day 6 above it; the first
  // 5-day average (12, on day 4) meets day 2's last.
  const TChartCandle& rise = chart.Candles[2];
  EXPECT_EQ((std::vector{rise.Color, chart.Candles[0].Color, chart.Candles[7].Color}), (std::vector{kUp, kUp, kDown}));
  EXPECT_EQ(rise.Body.Left + rise.Body.Right - 1, 2 * chart.Spots[2].X);
  EXPECT_TRUE(rise.WickTop.Y < rise.Body.Top && rise.Body.Bottom - 1 < rise.WickBottom.Y);
  EXPECT_EQ(chart.Lines[0].Points[0], (TPoint{chart.Spots[4].X, rise.Body.Top}));
  EXPECT_EQ(Texts(chart, chart.PricePane.Top + 2), std::vector<std::string>{"MA5"});
  EXPECT_EQ(DailyHoverText(rows, 2),
            "2024-03-20 \xB6} 11.50 \xB0\xAA 13.00 \xA7"
            "C 11.00 \xA6\xAC 12.00 \xB6q 1002");
  EXPECT_EQ(Texts(chart, chart.VolumePane.Bottom + 2).front(), "03/18");
}

}  // namespace
}  // namespace kivrel
