#pragma once
// The quote history: every recorded change of a stock's quote through the
// day, kept for a number of trading days, and one row per stock and day kept
// for good, in an SQLite database.
//
// Dates are whole days since 1899-12-30 and quote times that day plus the
// elapsed fraction of the day, as in the quote record; the history keeps quote
// times to the second. Prices are kept as whole hundredths and volumes as
// whole units wherever that gives back the identical single, otherwise as the
// single itself, so a quote read from a page comes back bit for bit.
//
// One object is used from one thread at a time. Several objects, also in
// several processes, may use one file: a writer and any number of readers
// (ReadOnly) work side by side, since the database keeps a write-ahead log.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/sqlite_db.h"
#include "core/store/stock_record.h"

namespace kivrel {

struct TQuoteRow {
  double QuoteTime = 0.0;
  float Last = 0.0F, Change = 0.0F, Bid = 0.0F, Ask = 0.0F, Volume = 0.0F;
  float Open = 0.0F, High = 0.0F, Low = 0.0F, PrevClose = 0.0F;
};

// A stock's day as its last recorded quote of that day left it.
struct TDailyRow {
  std::int32_t Day = 0;
  float Open = 0.0F, High = 0.0F, Low = 0.0F, Last = 0.0F, Volume = 0.0F, PrevClose = 0.0F;
  friend bool operator==(const TDailyRow&, const TDailyRow&) = default;
};

// A stock as the history knows it: the code is trimmed of blanks, Big5.
struct THistoryStock {
  std::uint8_t Market = 0;
  std::uint8_t Category = 0;
  std::string Code;
  friend bool operator==(const THistoryStock&, const THistoryStock&) = default;
};

THistoryStock HistoryStockOf(const StockRecord& record);

// The date (whole days) and the second of the day of a quote time; none for
// a time of 0 (a stock not quoted yet) or one that is not a finite number.
struct TQuoteClock {
  std::int32_t Day = 0;
  std::int32_t Second = 0;
};
std::optional<TQuoteClock> SplitQuoteTime(double quoteTime);
// The quote time as the page import forms it: the day plus the fraction.
double JoinQuoteTime(TQuoteClock clock);

class THistory {
 public:
  enum class TAccess { ReadWrite, ReadOnly };
  static constexpr std::chrono::milliseconds kBusyTimeout{2000};

  // ReadWrite creates a missing file. Throws THistoryError when the file
  // cannot be opened, is not a history database or is damaged where opening
  // reads it, or (ReadWrite) cannot be written.
  THistory(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout = kBusyTimeout);
  ~THistory();
  THistory(const THistory&) = delete;
  THistory& operator=(const THistory&) = delete;

  // Records, in one transaction, one row for each stock whose quote time or
  // any quote value differs from the last one recorded for it (also by an
  // earlier run); records without a quote time are left out. A row with the
  // quote time of one recorded before replaces it. Updates the stock's daily
  // row of that day. Returns the rows recorded; on a failure nothing of the
  // import is kept.
  std::size_t Record(std::span<const StockRecord> records);

  // Drops the quote rows of all but the latest `keepDays` trading days (days
  // on which anything was recorded); daily rows stay. Run it at start-up:
  // it may take a while on a large file.
  void Prune(int keepDays);

  // The stock's kept quotes of the day, by quote time.
  std::vector<TQuoteRow> Day(const THistoryStock& stock, std::int32_t day) const;
  // The stock's daily rows, by day.
  std::vector<TDailyRow> Daily(const THistoryStock& stock) const;
  // The latest day with kept quotes of the stock.
  std::optional<std::int32_t> LatestDay(const THistoryStock& stock) const;
  // The stocks recorded under this code (trimmed), by market and category.
  std::vector<THistoryStock> StocksWithCode(std::string_view code) const;

  // The connection, for settings such as a size limit (PRAGMA max_page_count).
  TDatabase& Database();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace kivrel
