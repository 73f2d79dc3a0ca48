#pragma once
// A chart as plain geometry: panes, grid, bars, candles, lines and labels
// in pixels, decided from the rows and a rectangle before anything is drawn,
// and the drawing of it on a canvas.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color/colors.h"
#include "core/draw/canvas.h"
#include "core/draw/rect.h"

namespace kivrel {

// The label font as the layout counts it: labels hold digits, ".", ":", "/",
// "-" and "+", each about DigitWidth wide.
struct TChartMetrics {
  int DigitWidth = 7;
  int TextHeight = 14;
};

// Colours of the charts. Rises and falls take the board's own colours.
inline constexpr TColor kChartBackground = clWhite;
inline constexpr TColor kChartFrame = 0x00808080;
inline constexpr TColor kChartGrid = 0x00E0E0E0;
inline constexpr TColor kChartLabel = clBlack;
inline constexpr TColor kChartAverage5 = clBlue;
inline constexpr TColor kChartAverage20 = 0x00C000C0;  // purple

struct TChartLine {
  TColor Color = clBlack;
  std::vector<TPoint> Points;  // drawn as a polyline; a single point as a dot
  friend bool operator==(const TChartLine&, const TChartLine&) = default;
};

// A filled rectangle: a volume bar.
struct TChartBar {
  TColor Color = clBlack;
  TRect Rect;
  friend bool operator==(const TChartBar&, const TChartBar&) = default;
};

// A day's candle: the body from open to last, the wick from high to low.
struct TChartCandle {
  TColor Color = clBlack;
  TRect Body;
  TPoint WickTop, WickBottom;
  friend bool operator==(const TChartCandle&, const TChartCandle&) = default;
};

struct TChartText {
  std::string Text;  // Big5
  TRect Rect;
  std::uint32_t Flags = 0;  // DT_ flags
  TColor Color = kChartLabel;
  friend bool operator==(const TChartText&, const TChartText&) = default;
};

// Where a row stands on the horizontal axis, for hovering.
struct TChartSpot {
  std::int32_t X = 0;
  std::size_t Row = 0;
};

struct TChartGeometry {
  TRect Area;
  // Prices above, volumes below; both empty when the area is too small.
  TRect PricePane;
  TRect VolumePane;
  std::vector<TChartLine> Grid;    // grid lines, then the panes' frames
  std::vector<TChartBar> Bars;     // volumes
  std::vector<TChartLine> Levels;  // previous close and limit prices
  std::vector<TChartCandle> Candles;
  std::vector<TChartLine> Lines;  // the price line, averages
  std::vector<TChartText> Labels;
  std::vector<TChartSpot> Spots;  // by X
};

// A value's pixel on an axis: From maps to Low, To to High (either order).
class TChartScale {
 public:
  TChartScale(double from, double to, std::int32_t low, std::int32_t high);
  std::int32_t Place(double value) const;

 private:
  double from_, span_;
  std::int32_t low_, high_;
};

// Round values between `low` and `high`, a step of 1, 2 or 5 times a power
// of ten apart, at most `count` of them.
std::vector<double> NiceTicks(double low, double high, int count);

// A price axis's range from the lowest and highest price it must show: 0 to
// 1 when there is none, a percent either side of a single price, then a
// margin of `margin` (a fraction of the range) at both ends.
void WidenPriceRange(double& low, double& high, double margin);

// Texts of the labels: "12.35", "1234" (a volume), "09:05", "03/18".
std::string PriceText(double price);
std::string VolumeText(double volume);
std::string TimeText(std::int32_t second);
std::string DateText(std::int32_t day);      // a day since 1899-12-30 as "MM/DD"
std::string FullDateText(std::int32_t day);  // "YYYY-MM-DD"

// Building blocks of the layouts.
//
// Sets the panes of a chart in its area: the price labels (up to
// `labelChars` characters) on the left, a line of time or date labels below,
// and prices over volumes in the ratio 3:1. False, with empty panes, when the
// area is too small for a chart.
bool LayoutPanes(TChartGeometry& chart, const TChartMetrics& metrics, std::size_t labelChars);
// A label in the left margin, centred on the height `y`.
void AddAxisLabel(TChartGeometry& chart, const TChartMetrics& metrics, std::string text, std::int32_t y, TColor color);
// Grid lines and labels at round prices of the price pane, but none within a
// text height of the heights in `taken` (the levels' labels).
void AddPriceTicks(TChartGeometry& chart, const TChartMetrics& metrics, const TChartScale& prices, double low,
                   double high, const std::vector<std::int32_t>& taken);
// A label under the volume pane centred on `x`, kept inside the area; left
// out when it would overlap the label before it. True when it was placed.
bool AddBottomLabel(TChartGeometry& chart, const TChartMetrics& metrics, std::string text, std::int32_t x);
// The largest volume at the top of the volume pane, and the panes' frames.
void FinishPanes(TChartGeometry& chart, const TChartMetrics& metrics, double maxVolume);

// Background, grid, bars, levels, candles, lines, labels, in this order. The
// canvas font is used as it is, its colour set for each label.
void DrawChart(TCanvas& canvas, const TChartGeometry& chart);

// The row under the pointer: the spot nearest to it across, when the
// pointer is inside a pane.
std::optional<std::size_t> SpotAt(const TChartGeometry& chart, TPoint pointer);

// A vertical line through the row's spot and its text in a box at the top of
// the price pane, on the side away from the pointer.
void DrawHover(TCanvas& canvas, const TChartGeometry& chart, const TChartMetrics& metrics, std::size_t row,
               TPoint pointer, std::string_view text);

}  // namespace kivrel
