#pragma once
// The quote history as CSV, like the board's export: UTF-8, RFC 4180, a
// title row, prices with two decimals and volumes without.

#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/history/history.h"

namespace kivrel {

// A code or a date the history has nothing for, or a date that is not one:
// what failed and the text given (the code trimmed, or the date as written),
// with the day asked for; the words are composed where it is shown.
class THistoryCsvError : public std::runtime_error {
 public:
  enum class TKind : std::uint8_t { NotADate, NoQuotes, NoDailyRows };
  THistoryCsvError(TKind kind, std::string text, std::optional<std::int32_t> day = std::nullopt);

  TKind Kind() const { return kind_; }
  const std::string& Text() const { return text_; }
  std::optional<std::int32_t> Day() const { return day_; }

 private:
  TKind kind_;
  std::string text_;
  std::optional<std::int32_t> day_;
};

// A day since 1899-12-30 as "2024-03-18".
std::string CsvDateText(std::int32_t day);

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
