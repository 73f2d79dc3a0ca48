#pragma once
// The daily chart: a candle for each kept day, coloured up or down against
// the day before, the 5- and 20-day averages of the last price, and the
// day's volume as bars below.

#include <span>
#include <string>

#include "core/chart/chart_geometry.h"
#include "core/history/history.h"

namespace kivrel {

// Candles take at least this many pixels across; when the days do not fit,
// the latest that do are shown.
inline constexpr std::int32_t kMinCandleSlot = 3;

// An average appears from the day that closes its first full span of days
// with a last price. Rows are by day, as the history gives them; a day
// without a last price has no candle.
TChartGeometry LayoutDailyChart(std::span<const TDailyRow> rows, const TRect& area, const TChartMetrics& metrics);

// "2024-03-18 開 10.00 高 10.50 低 9.90 收 10.20 量 12345".
std::string DailyHoverText(std::span<const TDailyRow> rows, std::size_t row);

}  // namespace kivrel
