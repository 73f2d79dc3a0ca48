#pragma once
// The quote history as CSV, like the board's export: UTF-8, RFC 4180, a
// title row, prices with two decimals and volumes without.

#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

#include "core/history/history.h"

namespace kivrel {

// A code or a date the history has nothing for, or a date that is not one;
// what() says which, e.g. "no quotes of 1101 are kept for 2024-03-18".
class THistoryCsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "2024-03-18" as a day since 1899-12-30.
std::int32_t ParseCsvDate(std::string_view text);

// The kept quotes of the stock with this code on `day` (by default the
// latest day with kept quotes): time (HH:MM), last, change, bid, ask,
// volume, open, high, low, previous close. Of several stocks with the code,
// the first (by market and category) that has quotes that day.
void WriteHistoryCsv(std::ostream& out, const THistory& history, std::string_view code,
                     std::optional<std::int32_t> day);

// The stock's daily rows: date (YYYY-MM-DD), open, high, low, last, volume.
void WriteDailyCsv(std::ostream& out, const THistory& history, std::string_view code);

}  // namespace kivrel
