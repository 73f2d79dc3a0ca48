#include "core/chart/daily_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>

#include "core/chart/chart_texts.h"
#include "core/price/price_state.h"

namespace kivrel {
namespace {

// A candle is at most this wide across, however few the days.
constexpr std::int32_t kMaxCandleSlot = 24;

// Up or down against the last price of the day before, or against the
// day's previous close for the first day.
TColor DayColor(std::span<const TDailyRow> rows, std::size_t i) {
  const float last = rows[i].Last;
  const float before = i > 0 && rows[i - 1].Last > 0.0F ? rows[i - 1].Last : rows[i].PrevClose;
  if (!(before > 0.0F) || last == before) return StateFontColors[psFlat];
  return last > before ? StateFontColors[psUp] : StateFontColors[psDown];
}

// The average of the last prices of the `span` days up to each day, where
// all of them have one.
std::vector<std::optional<double>> Averages(std::span<const TDailyRow> rows, std::size_t span) {
  std::vector<std::optional<double>> averages(rows.size());
  double sum = 0.0;
  std::size_t run = 0;  // days with a last price in a row, up to this one
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const float last = rows[i].Last;
    if (!(last > 0.0F) || !std::isfinite(last)) {
      run = 0;
      sum = 0.0;
      continue;
    }
    sum += last;
    if (++run > span) sum -= rows[i - span].Last;
    if (run >= span) averages[i] = sum / static_cast<double>(span);
  }
  return averages;
}

struct TCandleValues {
  float Open, High, Low, Last;
};

// A day's prices made whole: a missing open is the last price, and the high
// and low take in the open and the last.
std::optional<TCandleValues> CandleValues(const TDailyRow& row) {
  if (!(row.Last > 0.0F) || !std::isfinite(row.Last)) return std::nullopt;
  const float open = row.Open > 0.0F && std::isfinite(row.Open) ? row.Open : row.Last;
  float high = std::max(open, row.Last);
  float low = std::min(open, row.Last);
  if (row.High > 0.0F && std::isfinite(row.High)) high = std::max(high, row.High);
  if (row.Low > 0.0F && std::isfinite(row.Low)) low = std::min(low, row.Low);
  return TCandleValues{open, high, low, row.Last};
}

}  // namespace

TChartGeometry LayoutDailyChart(std::span<const TDailyRow> rows, const TRect& area, const TChartMetrics& metrics) {
  TChartGeometry chart;
  chart.Area = area;
  double widest = 1.0;
  for (const TDailyRow& row : rows)
    if (const auto candle = CandleValues(row)) widest = std::max(widest, static_cast<double>(candle->High));
  if (!LayoutPanes(chart, metrics, PriceText(widest * 1.1).size() + 1)) return chart;
  const TRect& pane = chart.PricePane;
  const TRect& volumes = chart.VolumePane;

  const std::int32_t width = pane.Right - pane.Left - 2;
  const std::size_t shown = std::min(rows.size(), static_cast<std::size_t>(width / kMinCandleSlot));
  const std::size_t firstShown = rows.size() - shown;
  const std::int32_t slot = shown > 0 ? std::min(kMaxCandleSlot, width / static_cast<std::int32_t>(shown)) : 1;
  std::int32_t body = std::max(1, slot * 2 / 3);
  if (body > 1 && body % 2 == 0) --body;  // odd, so the wick stands in the middle
  const auto centre = [&](std::size_t i) {
    return pane.Left + 1 + static_cast<std::int32_t>(i - firstShown) * slot + slot / 2;
  };

  const std::vector<std::optional<double>> average5 = Averages(rows, 5), average20 = Averages(rows, 20);
  double low = std::numeric_limits<double>::infinity(), high = -low, maxVolume = 0.0;
  for (std::size_t i = firstShown; i < rows.size(); ++i) {
    if (const auto candle = CandleValues(rows[i])) {
      low = std::min(low, static_cast<double>(candle->Low));
      high = std::max(high, static_cast<double>(candle->High));
    }
    for (const auto& average : {average5[i], average20[i]}) {
      if (!average) continue;
      low = std::min(low, *average);
      high = std::max(high, *average);
    }
    if (rows[i].Volume > 0.0F && std::isfinite(rows[i].Volume)) maxVolume = std::max(maxVolume, double{rows[i].Volume});
  }
  WidenPriceRange(low, high, 0.05);
  const TChartScale y(low, high, pane.Bottom - 2, pane.Top + 1);
  const TChartScale v(0.0, maxVolume, volumes.Bottom - 1, volumes.Top + 1);
  AddPriceTicks(chart, metrics, y, low, high, {});

  for (std::size_t i = firstShown; i < rows.size(); ++i) {
    const std::int32_t x = centre(i);
    chart.Spots.push_back({x, i});
    if (AddBottomLabel(chart, metrics, DateText(rows[i].Day), x))
      chart.Grid.push_back({kChartGrid, {{x, pane.Top}, {x, volumes.Bottom - 1}}});
    const TColor color = DayColor(rows, i);
    const std::int32_t left = x - body / 2;
    if (const auto candle = CandleValues(rows[i])) {
      const std::int32_t open = y.Place(candle->Open), last = y.Place(candle->Last);
      chart.Candles.push_back({color,
                               {left, std::min(open, last), left + body, std::max(open, last) + 1},
                               {x, y.Place(candle->High)},
                               {x, y.Place(candle->Low)}});
    }
    if (rows[i].Volume > 0.0F && std::isfinite(rows[i].Volume)) {
      const std::int32_t top = v.Place(rows[i].Volume);
      if (top < volumes.Bottom - 1) chart.Bars.push_back({color, {left, top, left + body, volumes.Bottom - 1}});
    }
  }

  // Each average as lines through the days that have it, named top left.
  std::int32_t legendLeft = pane.Left + 4;
  for (const auto& [averages, color, name] :
       {std::tuple(&average5, kChartAverage5, "MA5"), std::tuple(&average20, kChartAverage20, "MA20")}) {
    bool drawn = false;
    bool joined = false;
    for (std::size_t i = firstShown; i < rows.size(); ++i) {
      const std::optional<double>& average = (*averages)[i];
      if (!average) {
        joined = false;
        continue;
      }
      const TPoint point{centre(i), y.Place(*average)};
      if (joined) {
        chart.Lines.back().Points.push_back(point);
      } else {
        chart.Lines.push_back({color, {point}});
      }
      joined = drawn = true;
    }
    if (!drawn) continue;
    // Letters are wider than the digits the metrics measure.
    const auto textWidth = static_cast<std::int32_t>(std::string_view(name).size()) * metrics.DigitWidth * 3 / 2;
    chart.Labels.push_back({name,
                            {legendLeft, pane.Top + 2, legendLeft + textWidth, pane.Top + 2 + metrics.TextHeight},
                            DT_SINGLELINE | DT_LEFT | DT_TOP,
                            color});
    legendLeft += textWidth + metrics.DigitWidth;
  }

  FinishPanes(chart, metrics, maxVolume);
  return chart;
}

std::string DailyHoverText(std::span<const TDailyRow> rows, std::size_t row) {
  const TDailyRow& r = rows[row];
  std::string text = FullDateText(r.Day);
  text.append(" ").append(kChartOpen).append(" ").append(PriceText(r.Open));
  text.append(" ").append(kChartHigh).append(" ").append(PriceText(r.High));
  text.append(" ").append(kChartLow).append(" ").append(PriceText(r.Low));
  text.append(" ").append(kChartClose).append(" ").append(PriceText(r.Last));
  text.append(" ").append(kChartVolume).append(" ").append(VolumeText(r.Volume));
  return text;
}

}  // namespace kivrel
