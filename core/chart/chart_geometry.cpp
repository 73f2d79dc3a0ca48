#include "core/chart/chart_geometry.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace kivrel {

TChartScale::TChartScale(double from, double to, std::int32_t low, std::int32_t high)
    : from_(from), span_(to - from), low_(low), high_(high) {}

std::int32_t TChartScale::Place(double value) const {
  const double share = span_ != 0.0 ? (value - from_) / span_ : 0.0;
  const double pixel = low_ + std::round(share * (static_cast<double>(high_) - low_));
  const double lo = std::min(low_, high_), hi = std::max(low_, high_);
  // Outside the axis (only a value beyond the scale, or NaN) stays on its edge.
  return static_cast<std::int32_t>(std::isnan(pixel) ? low_ : std::clamp(pixel, lo, hi));
}

void WidenPriceRange(double& low, double& high, double margin) {
  if (low > high) {
    low = 0.0;
    high = 1.0;
  } else if (low == high) {
    const double apart = std::max(0.01, low * 0.01);
    low -= apart;
    high += apart;
  }
  const double extra = (high - low) * margin;
  low -= extra;
  high += extra;
}

std::vector<double> NiceTicks(double low, double high, int count) {
  std::vector<double> ticks;
  if (!(high > low) || count < 1 || !std::isfinite(high - low)) return ticks;
  const double raw = (high - low) / count;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * magnitude;
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * magnitude >= raw) {
      step = m * magnitude;
      break;
    }
  }
  for (double k = std::ceil(low / step); k * step <= high; ++k) ticks.push_back(k * step);
  return ticks;
}

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::chrono::year_month_day DateOf(std::int32_t day) {
  using namespace std::chrono;
  return year_month_day{sys_days{year{1899} / 12 / 30} + days{day}};
}

void Draw(TCanvas& canvas, const TChartLine& line) {
  canvas.PenColor = line.Color;
  canvas.PenWidth = 1;
  if (line.Points.size() == 1) {
    canvas.DrawLine(line.Points[0], line.Points[0]);
  } else {
    canvas.DrawPolyline(line.Points);
  }
}

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

std::string PriceText(double price) { return Format("%.2f", price); }
std::string VolumeText(double volume) { return Format("%.0f", volume); }

std::string TimeText(std::int32_t second) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", second / 3600, second / 60 % 60);
  return text;
}

std::string DateText(std::int32_t day) {
  const std::chrono::year_month_day date = DateOf(day);
  char text[16];
  std::snprintf(text, sizeof text, "%02u/%02u", static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string FullDateText(std::int32_t day) {
  const std::chrono::year_month_day date = DateOf(day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

namespace {

constexpr std::int32_t kPad = 4;

TChartLine Horizontal(TColor color, const TRect& pane, std::int32_t y) {
  return {color, {{pane.Left, y}, {pane.Right - 1, y}}};
}

TChartLine Frame(const TRect& r) {
  return {
      kChartFrame,
      {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}, {r.Left, r.Top}}};
}

}  // namespace

bool LayoutPanes(TChartGeometry& chart, const TChartMetrics& metrics, std::size_t labelChars) {
  const TRect& a = chart.Area;
  const std::int64_t left = a.Left + static_cast<std::int64_t>(labelChars) * metrics.DigitWidth + 2 * kPad;
  const std::int64_t right = static_cast<std::int64_t>(a.Right) - 2 * kPad;
  const std::int64_t top = a.Top + metrics.TextHeight / 2 + 2;
  const std::int64_t bottom = static_cast<std::int64_t>(a.Bottom) - metrics.TextHeight - 2 * kPad;
  const std::int64_t gap = metrics.TextHeight / 2 + 2;
  if (right - left < 40 || bottom - top - gap < 60) {
    chart.PricePane = chart.VolumePane = {};
    return false;
  }
  const std::int64_t priceBottom = top + (bottom - top - gap) * 3 / 4;
  chart.PricePane = {ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(priceBottom)};
  chart.VolumePane = {ClampToInt32(left), ClampToInt32(priceBottom + gap), ClampToInt32(right), ClampToInt32(bottom)};
  return true;
}

void AddAxisLabel(TChartGeometry& chart, const TChartMetrics& metrics, std::string text, std::int32_t y, TColor color) {
  const std::int32_t top = y - metrics.TextHeight / 2;
  chart.Labels.push_back({std::move(text),
                          {chart.Area.Left, top, chart.PricePane.Left - kPad, top + metrics.TextHeight},
                          DT_SINGLELINE | DT_RIGHT | DT_VCENTER,
                          color});
}

void AddPriceTicks(TChartGeometry& chart, const TChartMetrics& metrics, const TChartScale& prices, double low,
                   double high, const std::vector<std::int32_t>& taken) {
  const TRect& pane = chart.PricePane;
  const int count = std::max(2, (pane.Bottom - pane.Top) / (2 * std::max(1, metrics.TextHeight)));
  for (const double price : NiceTicks(low, high, count)) {
    const std::int32_t y = prices.Place(price);
    if (std::any_of(taken.begin(), taken.end(), [&](std::int32_t t) { return std::abs(t - y) < metrics.TextHeight; }))
      continue;
    chart.Grid.push_back(Horizontal(kChartGrid, pane, y));
    AddAxisLabel(chart, metrics, PriceText(price), y, kChartLabel);
  }
}

bool AddBottomLabel(TChartGeometry& chart, const TChartMetrics& metrics, std::string text, std::int32_t x) {
  const auto width = static_cast<std::int32_t>(text.size()) * metrics.DigitWidth + kPad;
  const std::int32_t left = std::max(chart.Area.Left, std::min(x - width / 2, chart.Area.Right - width));
  const TRect rect{left, chart.VolumePane.Bottom + 2, left + width, chart.VolumePane.Bottom + 2 + metrics.TextHeight};
  for (const TChartText& label : chart.Labels)
    if (label.Rect.Top == rect.Top && label.Rect.Right + kPad > rect.Left && rect.Right + kPad > label.Rect.Left)
      return false;
  chart.Labels.push_back({std::move(text), rect, DT_SINGLELINE | DT_CENTER | DT_TOP, kChartLabel});
  return true;
}

void FinishPanes(TChartGeometry& chart, const TChartMetrics& metrics, double maxVolume) {
  if (maxVolume > 0) AddAxisLabel(chart, metrics, VolumeText(maxVolume), chart.VolumePane.Top + 1, kChartLabel);
  chart.Grid.push_back(Frame(chart.PricePane));
  chart.Grid.push_back(Frame(chart.VolumePane));
}

void DrawChart(TCanvas& canvas, const TChartGeometry& chart) {
  canvas.BrushColor = kChartBackground;
  canvas.FillRect(chart.Area);
  for (const TChartLine& line : chart.Grid) Draw(canvas, line);
  for (const TChartBar& bar : chart.Bars) {
    canvas.BrushColor = bar.Color;
    canvas.FillRect(bar.Rect);
  }
  for (const TChartLine& line : chart.Levels) Draw(canvas, line);
  for (const TChartCandle& candle : chart.Candles) {
    canvas.PenColor = candle.Color;
    canvas.PenWidth = 1;
    canvas.DrawLine(candle.WickTop, candle.WickBottom);
    canvas.BrushColor = candle.Color;
    canvas.FillRect(candle.Body);
  }
  for (const TChartLine& line : chart.Lines) Draw(canvas, line);
  for (const TChartText& label : chart.Labels) {
    canvas.Font.Color = label.Color;
    canvas.DrawText(label.Text, label.Rect, label.Flags);
  }
}

std::optional<std::size_t> SpotAt(const TChartGeometry& chart, TPoint pointer) {
  if (chart.Spots.empty() || !(Inside(chart.PricePane, pointer) || Inside(chart.VolumePane, pointer))) return {};
  const auto after = std::lower_bound(chart.Spots.begin(), chart.Spots.end(), pointer.X,
                                      [](const TChartSpot& spot, std::int32_t x) { return spot.X < x; });
  if (after == chart.Spots.end()) return chart.Spots.back().Row;
  if (after == chart.Spots.begin()) return after->Row;
  const auto before = after - 1;
  return pointer.X - before->X <= after->X - pointer.X ? before->Row : after->Row;
}

void DrawHover(TCanvas& canvas, const TChartGeometry& chart, const TChartMetrics& metrics, std::size_t row,
               TPoint pointer, std::string_view text) {
  const auto spot =
      std::find_if(chart.Spots.begin(), chart.Spots.end(), [row](const TChartSpot& s) { return s.Row == row; });
  if (spot == chart.Spots.end()) return;
  const std::int32_t bottom =
      chart.VolumePane.Bottom > chart.VolumePane.Top ? chart.VolumePane.Bottom : chart.PricePane.Bottom;
  canvas.PenColor = kChartFrame;
  canvas.PenWidth = 1;
  canvas.DrawLine({spot->X, chart.PricePane.Top}, {spot->X, bottom - 1});
  const std::int32_t width = canvas.TextWidth(text) + 12;
  const std::int32_t height = metrics.TextHeight + 4;
  const TRect& pane = chart.PricePane;
  const std::int32_t left =
      pointer.X < (pane.Left + pane.Right) / 2 ? std::max(pane.Left + 2, pane.Right - 2 - width) : pane.Left + 2;
  const TRect box{left, pane.Top + 2, left + width, pane.Top + 2 + height};
  canvas.BrushColor = 0x00E1FFFF;  // pale yellow, as tool tips
  canvas.FillRect(box);
  canvas.Font.Color = kChartLabel;
  canvas.DrawText(text, {box.Left + 6, box.Top, box.Right, box.Bottom}, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
}

}  // namespace kivrel
