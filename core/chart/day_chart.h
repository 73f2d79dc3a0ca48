#pragma once
// The day chart: the last price through the day's kept quotes over the
// session's time axis, the previous close and the day's limit prices as
// levels, and below it the volume traded between one quote and the next.

#include <span>
#include <string>

#include "core/chart/chart_geometry.h"
#include "core/history/history.h"

namespace kivrel {

struct TDayChartPrices {
  float PrevClose = 0.0F;
  float LimitUp = 0.0F;
  float LimitDown = 0.0F;
};

// The time axis shows at least the session, 09:00 to 13:30; quotes outside
// it widen the axis to their half hour.
inline constexpr std::int32_t kSessionOpen = 9 * 3600;
inline constexpr std::int32_t kSessionClose = 13 * 3600 + 1800;

// The price axis runs from the limit-down to the limit-up price (when they
// are set and apart), widened to every last price and the previous close.
// The price line is in the up colour above the previous close and the down
// colour below it, split where it crosses; a quote without a last price
// (0) has no point. Rows are by quote time, as the history gives them.
TChartGeometry LayoutDayChart(std::span<const TQuoteRow> rows, const TDayChartPrices& prices, const TRect& area,
                              const TChartMetrics& metrics);

// "10:31 成交 23.45 漲跌 +0.15 量 120": the row's time, last price, change
// and the volume traded since the quote before.
std::string DayHoverText(std::span<const TQuoteRow> rows, std::size_t row);

}  // namespace kivrel
