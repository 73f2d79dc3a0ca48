#pragma once
// The charts' own texts, as Big5 bytes. The comment above each shows it.

#include <string_view>

namespace kivrel {

// 成交 (the last price)
inline constexpr std::string_view kChartLast = "\xA6\xA8\xA5\xE6";
// 漲跌
inline constexpr std::string_view kChartChange = "\xBA\xA6\xB6\x5E";
// 量
inline constexpr std::string_view kChartVolume = "\xB6\x71";
// 開
inline constexpr std::string_view kChartOpen = "\xB6\x7D";
// 高
inline constexpr std::string_view kChartHigh = "\xB0\xAA";
// 低
inline constexpr std::string_view kChartLow = "\xA7\x43";
// 收
inline constexpr std::string_view kChartClose = "\xA6\xAC";
// 日線 (the daily chart)
inline constexpr std::string_view kChartDaily = "\xA4\xE9\xBD\x75";

}  // namespace kivrel
