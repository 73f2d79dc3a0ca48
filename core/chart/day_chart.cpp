#include "core/chart/day_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/chart/chart_texts.h"
#include "core/price/price_state.h"

namespace kivrel {
namespace {

// The up colour above the previous close, the down colour below it.
TColor SideColor(float value, float prevClose) {
  if (!(prevClose > 0.0F) || value == prevClose) return StateFontColors[psFlat];
  return value > prevClose ? StateFontColors[psUp] : StateFontColors[psDown];
}

// The page's volume is the day's running total; a bar is what was traded
// since the quote before (none when the total went down).
double Traded(std::span<const TQuoteRow> rows, std::size_t row) {
  const double traded = static_cast<double>(rows[row].Volume) - (row > 0 ? rows[row - 1].Volume : 0.0F);
  return traded > 0 ? traded : 0.0;
}

TChartLine Vertical(TColor color, std::int32_t x, std::int32_t top, std::int32_t bottom) {
  return {color, {{x, top}, {x, bottom}}};
}

// Adds the piece from `from` to `to` to the last line when it has that
// colour and ends at `from`, else starts a line.
void AddPiece(std::vector<TChartLine>& lines, TPoint from, TPoint to, TColor color) {
  if (!lines.empty() && lines.back().Color == color && lines.back().Points.back() == from) {
    lines.back().Points.push_back(to);
  } else {
    lines.push_back({color, {from, to}});
  }
}

}  // namespace

TChartGeometry LayoutDayChart(std::span<const TQuoteRow> rows, const TDayChartPrices& prices, const TRect& area,
                              const TChartMetrics& metrics) {
  TChartGeometry chart;
  chart.Area = area;
  const bool limits = prices.LimitDown > 0.0F && prices.LimitUp > prices.LimitDown && std::isfinite(prices.LimitUp);
  double low = std::numeric_limits<double>::infinity(), high = -low;
  const auto include = [&](double price) {
    if (!(price > 0) || !std::isfinite(price)) return;
    low = std::min(low, price);
    high = std::max(high, price);
  };
  if (limits) {
    include(prices.LimitDown);
    include(prices.LimitUp);
  }
  include(prices.PrevClose);
  for (const TQuoteRow& row : rows) include(row.Last);
  WidenPriceRange(low, high, 0.03);  // keeps the limit levels off the frame
  double maxTraded = 0.0;
  for (std::size_t i = 0; i < rows.size(); ++i) maxTraded = std::max(maxTraded, Traded(rows, i));
  if (!LayoutPanes(chart, metrics, std::max(PriceText(high).size(), VolumeText(maxTraded).size()))) return chart;
  const TRect& pane = chart.PricePane;
  const TRect& volumes = chart.VolumePane;

  std::vector<std::optional<std::int32_t>> seconds;
  std::int32_t first = kSessionOpen, last = kSessionClose;
  for (const TQuoteRow& row : rows) {
    const std::optional<TQuoteClock> clock = SplitQuoteTime(row.QuoteTime);
    seconds.push_back(clock ? std::optional(clock->Second) : std::nullopt);
    if (!clock) continue;
    first = std::min(first, clock->Second / 1800 * 1800);
    last = std::max(last, (clock->Second + 1799) / 1800 * 1800);
  }
  const TChartScale x(first, last, pane.Left, pane.Right - 1);
  const TChartScale y(low, high, pane.Bottom - 1, pane.Top);

  // Whole hours and the axis' end, labelled below with a grid line up.
  const auto mark = [&](std::int32_t second) {
    const std::int32_t px = x.Place(second);
    if (AddBottomLabel(chart, metrics, TimeText(second), px))
      chart.Grid.push_back(Vertical(kChartGrid, px, pane.Top, volumes.Bottom - 1));
  };
  for (std::int32_t second = (first + 3599) / 3600 * 3600; second <= last; second += 3600) mark(second);
  if (last % 3600 != 0) mark(last);

  std::vector<std::int32_t> taken;
  const auto level = [&](float price, TColor color) {
    const std::int32_t py = y.Place(price);
    chart.Levels.push_back({color, {{pane.Left, py}, {pane.Right - 1, py}}});
    AddAxisLabel(chart, metrics, PriceText(price), py, color);
    taken.push_back(py);
  };
  if (limits) {
    level(prices.LimitUp, StateBrushColors[psLimitUp]);
    level(prices.LimitDown, StateBrushColors[psLimitDown]);
  }
  if (prices.PrevClose > 0.0F) level(prices.PrevClose, kChartFrame);
  AddPriceTicks(chart, metrics, y, low, high, taken);

  // A bar a minute wide at each quote.
  const std::int32_t barWidth = std::max(1, (pane.Right - pane.Left) / std::max(1, (last - first) / 60));
  const TChartScale v(0.0, maxTraded, volumes.Bottom - 1, volumes.Top + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double traded = Traded(rows, i);
    if (!seconds[i] || traded <= 0.0) continue;
    const std::int32_t px = x.Place(*seconds[i]);
    const std::int32_t top = v.Place(traded);
    const std::int32_t left = std::max(volumes.Left + 1, px - barWidth / 2);
    const std::int32_t right = std::min(volumes.Right - 1, left + barWidth);
    if (top < volumes.Bottom - 1 && left < right)
      chart.Bars.push_back({SideColor(rows[i].Last, prices.PrevClose), {left, top, right, volumes.Bottom - 1}});
  }

  // The price line, split where it crosses the previous close.
  const float close = prices.PrevClose;
  const std::int32_t closeY = y.Place(close);
  std::optional<std::size_t> before;
  TPoint from;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!seconds[i]) continue;
    chart.Spots.push_back({x.Place(*seconds[i]), i});
    const float price = rows[i].Last;
    if (!(price > 0.0F)) continue;
    const TPoint to{x.Place(*seconds[i]), y.Place(price)};
    if (before) {
      const float was = rows[*before].Last;
      if (close > 0.0F && ((was > close && price < close) || (was < close && price > close))) {
        const double share = (static_cast<double>(close) - was) / (static_cast<double>(price) - was);
        const TPoint cross{static_cast<std::int32_t>(std::lround(from.X + share * (to.X - from.X))), closeY};
        AddPiece(chart.Lines, from, cross, SideColor(was, close));
        AddPiece(chart.Lines, cross, to, SideColor(price, close));
      } else {
        AddPiece(chart.Lines, from, to, SideColor(was == close ? price : was, close));
      }
    } else {
      chart.Lines.push_back({SideColor(price, close), {to}});
    }
    before = i;
    from = to;
  }
  // A lone first point stays a dot only while no piece follows it.
  if (chart.Lines.size() > 1 && chart.Lines.front().Points.size() == 1) chart.Lines.erase(chart.Lines.begin());

  FinishPanes(chart, metrics, maxTraded);
  return chart;
}

std::string DayHoverText(std::span<const TQuoteRow> rows, std::size_t row) {
  const TQuoteRow& r = rows[row];
  const std::optional<TQuoteClock> clock = SplitQuoteTime(r.QuoteTime);
  std::string text = clock ? TimeText(clock->Second) : std::string();
  text.append(" ").append(kChartLast).append(" ").append(PriceText(r.Last));
  text.append(" ").append(kChartChange).append(" ").append(r.Change > 0.0F ? "+" : "").append(PriceText(r.Change));
  text.append(" ").append(kChartVolume).append(" ").append(VolumeText(Traded(rows, row)));
  return text;
}

}  // namespace kivrel
