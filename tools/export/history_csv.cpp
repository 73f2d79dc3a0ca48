#include "tools/export/history_csv.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/text/big5.h"
#include "core/text/fixed_texts.h"
#include "core/text/trim.h"

namespace kivrel {
namespace {

constexpr std::chrono::sys_days kDayZero{std::chrono::year{1899} / 12 / 30};

// The board's columns (their titles) of the values, in the order of the CSV:
// last, change, bid, ask, volume, open, high, low, previous close; and of a
// daily row: open, high, low, last, volume.
constexpr std::size_t kQuoteColumns[] = {4, 5, 2, 3, 6, 7, 8, 9, 12};
constexpr std::size_t kDailyColumns[] = {7, 8, 9, 4, 6};

std::string Number(float value, int decimals) {
  if (!std::isfinite(value)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
  return text;
}

// Entry `index` of the board's column titles, in UTF-8.
std::string ColumnTitle(std::size_t index) {
  std::string_view titles = kColumnTitlesText;
  for (; index > 0; --index) titles.remove_prefix(titles.find(',') + 1);
  return Big5ToUtf8(titles.substr(0, titles.find(',')));
}

void WriteRow(std::ostream& out, const std::vector<std::string>& fields) {
  const char* separator = "";
  for (const std::string& field : fields) {
    out << separator << field;
    separator = ",";
  }
  out << "\r\n";
}

std::string Shown(std::string_view code) { return std::string(TrimView(code)); }

}  // namespace

THistoryCsvError::THistoryCsvError(TKind kind, std::string text, std::optional<std::int32_t> day)
    : std::runtime_error(text), kind_(kind), text_(std::move(text)), day_(day) {}

std::string CsvDateText(std::int32_t day) {
  const std::chrono::year_month_day date{kDayZero + std::chrono::days{day}};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

std::int32_t ParseCsvDate(std::string_view text) {
  const auto fail = [&] { return THistoryCsvError(THistoryCsvError::TKind::NotADate, std::string(text)); };
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') throw fail();
  int parts[3] = {0, 0, 0};
  for (std::size_t i = 0, part = 0; i < text.size(); ++i) {
    if (text[i] == '-') {
      ++part;
    } else if (text[i] >= '0' && text[i] <= '9') {
      parts[part] = parts[part] * 10 + (text[i] - '0');
    } else {
      throw fail();
    }
  }
  const std::chrono::year_month_day date{std::chrono::year{parts[0]},
                                         std::chrono::month{static_cast<unsigned>(parts[1])},
                                         std::chrono::day{static_cast<unsigned>(parts[2])}};
  if (!date.ok()) throw fail();
  return static_cast<std::int32_t>((std::chrono::sys_days{date} - kDayZero).count());
}

void WriteHistoryCsv(std::ostream& out, const THistory& history, std::string_view code,
                     std::optional<std::int32_t> day) {
  const std::vector<THistoryStock> stocks = history.StocksWithCode(code);
  if (stocks.empty()) throw THistoryCsvError(THistoryCsvError::TKind::NoQuotes, Shown(code));
  std::vector<TQuoteRow> rows;
  for (const THistoryStock& stock : stocks) {
    const std::optional<std::int32_t> latest = day ? day : history.LatestDay(stock);
    if (latest) rows = history.Day(stock, *latest);
    if (!rows.empty()) break;
  }
  if (rows.empty()) {
    throw THistoryCsvError(THistoryCsvError::TKind::NoQuotes, Shown(code), day);
  }
  // 時間 (time), then the board's titles of the values.
  std::vector<std::string> titles{Big5ToUtf8("\xAE\xC9\xB6\xA1")};
  for (const std::size_t column : kQuoteColumns) titles.push_back(ColumnTitle(column));
  WriteRow(out, titles);
  for (const TQuoteRow& row : rows) {
    const std::optional<TQuoteClock> clock = SplitQuoteTime(row.QuoteTime);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", clock->Second / 3600, clock->Second / 60 % 60);
    WriteRow(out, {time, Number(row.Last, 2), Number(row.Change, 2), Number(row.Bid, 2), Number(row.Ask, 2),
                   Number(row.Volume, 0), Number(row.Open, 2), Number(row.High, 2), Number(row.Low, 2),
                   Number(row.PrevClose, 2)});
  }
}

void WriteDailyCsv(std::ostream& out, const THistory& history, std::string_view code) {
  const std::vector<THistoryStock> stocks = history.StocksWithCode(code);
  std::vector<TDailyRow> rows;
  for (const THistoryStock& stock : stocks) {
    rows = history.Daily(stock);
    if (!rows.empty()) break;
  }
  if (rows.empty()) throw THistoryCsvError(THistoryCsvError::TKind::NoDailyRows, Shown(code));
  // 日期 (date), then the board's titles of the values.
  std::vector<std::string> titles{Big5ToUtf8("\xA4\xE9\xB4\xC1")};
  for (const std::size_t column : kDailyColumns) titles.push_back(ColumnTitle(column));
  WriteRow(out, titles);
  for (const TDailyRow& row : rows) {
    WriteRow(out, {CsvDateText(row.Day), Number(row.Open, 2), Number(row.High, 2), Number(row.Low, 2),
                   Number(row.Last, 2), Number(row.Volume, 0)});
  }
}

}  // namespace kivrel
