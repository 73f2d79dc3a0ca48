#include "core/history/history.h"

#include <sqlite3.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <stdexcept>
#include <unordered_map>

#include "core/history/quote_codec.h"
#include "core/text/trim.h"

namespace kivrel {
namespace {

constexpr std::int64_t kSchemaVersion = 1;

// How the file is laid out, and why:
// - An import writes its quotes as one blob per group of stocks into
//   `fresh`: a handful of rows however many stocks changed. Groups are runs
//   of kGroupRun consecutive stock ids, dealt round kGroups groups.
// - Each import then moves one group's quotes out of `fresh` into `quote`,
//   as one blob (or a few) per stock and day holding all of its quotes since
//   the group last moved. Every stock moves once in kGroups imports, so an
//   import writes about as many pages of `quote` as its quotes fill, instead
//   of one page for each stock, and runs of neighbouring stocks share pages
//   of `daily`.
// - `quote` is ordered by day, stock and move, so one stock's day is one
//   range; pruning a day drops one range too.
// - `daily` holds each stock's last quote of each day as it moved; `stock`
//   the day of its last moved quote, whose daily row is thus the last quote
//   recorded for it unless `fresh` holds a newer one.
// Readers merge a stock's quotes still in `fresh`, always the newer ones.
constexpr std::int64_t kGroups = 128;
constexpr std::int64_t kGroupRun = 16;
std::int64_t GroupOf(std::int64_t stock) { return stock / kGroupRun % kGroups; }
// Blobs of `quote` are split before this size, so that a row fits its page.
constexpr std::size_t kChunkBytes = 900;

#define KIVREL_QUOTE_COLUMNS "last_price, change, bid, ask, volume, open, high, low, prev_close"

constexpr const char* kSchema =
    "CREATE TABLE stock(id INTEGER PRIMARY KEY, market INTEGER NOT NULL, category INTEGER NOT NULL,"
    " code BLOB NOT NULL, last_day INTEGER NOT NULL, UNIQUE(market, category, code));"
    "CREATE TABLE fresh(grp INTEGER NOT NULL, seq INTEGER NOT NULL, data BLOB NOT NULL,"
    " PRIMARY KEY(grp, seq)) WITHOUT ROWID;"
    "CREATE TABLE quote(day INTEGER NOT NULL, stock INTEGER NOT NULL, seq INTEGER NOT NULL, part INTEGER NOT NULL,"
    " data BLOB NOT NULL, PRIMARY KEY(day, stock, seq, part)) WITHOUT ROWID;"
    "CREATE TABLE daily(day INTEGER NOT NULL, stock INTEGER NOT NULL, second INTEGER NOT NULL, " KIVREL_QUOTE_COLUMNS
    ", PRIMARY KEY(day, stock)) WITHOUT ROWID;"
    "CREATE TABLE trading_day(day INTEGER PRIMARY KEY);"
    "CREATE TABLE counter(name TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
    "INSERT INTO counter VALUES('imports', 0);"
    "PRAGMA user_version = 1;";

// Daily rows keep the values as plain columns: hundredths (volume: units)
// when exact, else the single as a REAL.
constexpr std::array<double, kQuoteValues> kScale{100, 100, 100, 100, 1, 100, 100, 100, 100};

void BindValue(TStatement& s, int index, float value, double scale) {
  const double scaled = static_cast<double>(value) * scale;
  if (std::fabs(scaled) < 0x1p52) {
    const auto units = static_cast<std::int64_t>(std::llround(scaled));
    if (std::bit_cast<std::uint32_t>(static_cast<float>(static_cast<double>(units) / scale)) ==
        std::bit_cast<std::uint32_t>(value)) {
      s.Bind(index, units);
      return;
    }
  }
  // NaN would be stored as NULL.
  if (std::isnan(value)) {
    s.BindNull(index);
    return;
  }
  s.Bind(index, static_cast<double>(value));
}

float ColumnValue(const TStatement& s, int column, double scale) {
  if (s.IsNull(column)) return std::numeric_limits<float>::quiet_NaN();
  if (s.IsInteger(column)) return static_cast<float>(static_cast<double>(s.Int(column)) / scale);
  const double value = s.Real(column);
  // Only an edited file holds a number beyond the singles' range.
  if (std::fabs(value) > std::numeric_limits<float>::max()) return value > 0 ? HUGE_VALF : -HUGE_VALF;
  return static_cast<float>(value);
}

TQuoteRow QuoteRowOf(std::int32_t day, const TStoredQuote& q) {
  const TQuoteValues& v = q.Values;
  return {JoinQuoteTime({day, q.Second}), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

TDailyRow DailyRowOf(std::int32_t day, const TQuoteValues& v) { return {day, v[5], v[6], v[7], v[0], v[4], v[8]}; }

std::string StockKey(std::uint8_t market, std::uint8_t category, std::string_view code) {
  std::string key{static_cast<char>(market), static_cast<char>(category)};
  key += code;
  return key;
}

// One entry of a `fresh` blob: stock id, day (zigzag) and the quote.
struct TFreshEntry {
  std::int64_t Stock = 0;
  std::int32_t Day = 0;
  TStoredQuote Quote;
};

void AppendEntry(std::string& out, std::int64_t stock, std::int32_t day, const TStoredQuote& quote) {
  AppendVarint(out, static_cast<std::uint64_t>(stock));
  AppendVarint(out, (static_cast<std::uint64_t>(static_cast<std::int64_t>(day)) << 1) ^ (day < 0 ? ~0ULL : 0ULL));
  AppendQuote(out, quote);
}

bool ReadEntry(std::string_view& in, TFreshEntry& entry) {
  std::uint64_t stock = 0, day = 0;
  if (!ReadVarint(in, stock) || !ReadVarint(in, day) || !ReadQuote(in, entry.Quote)) return false;
  const std::int64_t signedDay = static_cast<std::int64_t>(day >> 1) ^ -static_cast<std::int64_t>(day & 1);
  if (signedDay < std::numeric_limits<std::int32_t>::min() || signedDay > std::numeric_limits<std::int32_t>::max())
    return false;
  entry.Stock = static_cast<std::int64_t>(stock);
  entry.Day = static_cast<std::int32_t>(signedDay);
  return true;
}

[[noreturn]] void FailDamaged(const TDatabase& db) {
  throw THistoryError(db.Path(), SQLITE_CORRUPT, "damaged quote data");
}

[[noreturn]] void FailReadOnly(const TDatabase& db) {
  throw THistoryError(db.Path(), SQLITE_READONLY, sqlite3_errstr(SQLITE_READONLY));
}

}  // namespace

THistoryStock HistoryStockOf(const StockRecord& record) {
  return {record.Market(), record.Category(), Trim(record.Code())};
}

std::optional<TQuoteClock> SplitQuoteTime(double quoteTime) {
  if (quoteTime == 0.0 || !std::isfinite(quoteTime)) return std::nullopt;
  double day = std::floor(quoteTime);
  long long second = std::llround((quoteTime - day) * 86400.0);
  if (second >= 86400) {
    day += 1.0;
    second -= 86400;
  }
  if (day < std::numeric_limits<std::int32_t>::min() || day > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return TQuoteClock{static_cast<std::int32_t>(day), static_cast<std::int32_t>(second)};
}

double JoinQuoteTime(TQuoteClock clock) {
  return static_cast<double>(clock.Day) + static_cast<double>(clock.Second / 86400.0L);
}

struct THistory::TImpl {
  TImpl(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout);

  void LoadStocks();
  std::optional<std::int64_t> StockId(const THistoryStock& stock);
  // Moves one group's quotes from `fresh` into `quote` and `daily`; false
  // when there were none.
  bool Settle(std::int64_t group);
  void CountImport();
  // The quotes of one stock still in `fresh`, oldest first, with their days.
  std::vector<TFreshEntry> FreshOf(std::int64_t stock);

  TDatabase Db;
  bool Writer;

  struct TStockState {
    std::int64_t Id = 0;
    std::int32_t StoredLastDay = 0;  // stock.last_day in the file
    bool HasLast = false;
    TStoredQuote Last;  // the last quote recorded and the day it fell on
    std::int32_t LastDay = 0;
  };
  // The writer's view of every stock, by market, category and code; read
  // again from the file after a failed import.
  std::unordered_map<std::string, TStockState> Stocks;
  std::unordered_map<std::int64_t, TStockState*> ById;
  bool StocksLoaded = false;
  std::int64_t Imports = 0;  // the count of imports that recorded anything, ever

  struct TQueries {
    explicit TQueries(TDatabase& db);
    TStatement FindStock, AddStock, SetLastDay, AddDay, AddFresh, PutDaily, AddChunk, CountImports;
    TStatement GroupFresh, AllFresh, ClearGroup;
    TStatement DayChunks, DailyRows, LatestQuoteDay, WithCode;
  };
  std::unique_ptr<TQueries> Q;
};

THistory::TImpl::TQueries::TQueries(TDatabase& db)
    : FindStock(db, "SELECT id FROM stock WHERE market = ?1 AND category = ?2 AND code = ?3"),
      AddStock(db, "INSERT INTO stock(market, category, code, last_day) VALUES(?1, ?2, ?3, ?4)"),
      SetLastDay(db, "UPDATE stock SET last_day = ?2 WHERE id = ?1"),
      AddDay(db, "INSERT OR IGNORE INTO trading_day(day) VALUES(?1)"),
      AddFresh(db, "INSERT INTO fresh VALUES(?1, ?2, ?3)"),
      PutDaily(db, "INSERT OR REPLACE INTO daily VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"),
      AddChunk(db, "INSERT INTO quote VALUES(?1, ?2, ?3, ?4, ?5)"),
      CountImports(db, "UPDATE counter SET value = ?1 WHERE name = 'imports'"),
      GroupFresh(db, "SELECT data FROM fresh WHERE grp = ?1 ORDER BY seq"),
      AllFresh(db, "SELECT data FROM fresh ORDER BY grp, seq"),
      ClearGroup(db, "DELETE FROM fresh WHERE grp = ?1"),
      DayChunks(db, "SELECT data FROM quote WHERE day = ?1 AND stock = ?2 ORDER BY seq, part"),
      DailyRows(db, "SELECT d.day, second, " KIVREL_QUOTE_COLUMNS
                    " FROM trading_day AS t JOIN daily AS d ON d.day = t.day AND d.stock = ?1 ORDER BY t.day"),
      LatestQuoteDay(db,
                     "SELECT max(t.day) FROM trading_day AS t"
                     " WHERE t.day >= (SELECT day FROM quote ORDER BY day LIMIT 1)"
                     " AND EXISTS (SELECT 1 FROM quote AS q WHERE q.day = t.day AND q.stock = ?1)"),
      WithCode(db, "SELECT market, category FROM stock WHERE code = ?1 ORDER BY market, category") {}

THistory::TImpl::TImpl(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout)
    : Db(path, access == TAccess::ReadWrite ? TDatabase::TMode::ReadWrite : TDatabase::TMode::ReadOnly, busyTimeout),
      Writer(access == TAccess::ReadWrite) {
  if (Writer) {
    // The log lets readers work beside the writer and makes an import that
    // was not committed vanish whole when the process dies. NORMAL syncs at
    // checkpoints only: a killed process still loses no committed import.
    // The cache holds the pages an import goes back to: the groups' ends of
    // `fresh` and today's end of `quote`. The log is copied into the file
    // once it has some 16 MB: pages written again and again (the ends of
    // `fresh`, today's daily rows) are then copied once for many imports.
    Db.Execute(
        "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -65536;"
        " PRAGMA wal_autocheckpoint = 4000");
    TTransaction create(Db, TTransaction::TKind::Immediate);
    if (Db.QueryInt("PRAGMA user_version") == 0 && Db.QueryInt("SELECT count(*) FROM sqlite_schema") == 0)
      Db.Execute(kSchema);
    create.Commit();
  }
  if (Db.QueryInt("PRAGMA user_version") != kSchemaVersion)
    throw THistoryError(Db.Path(), SQLITE_NOTADB, "not a quote history of this program");
  Q = std::make_unique<TQueries>(Db);
  if (Writer) {
    TTransaction read(Db, TTransaction::TKind::Deferred);
    LoadStocks();
    read.Commit();
  }
}

void THistory::TImpl::LoadStocks() {
  Stocks.clear();
  ById.clear();
  TStatement all(Db, "SELECT s.id, s.market, s.category, s.code, s.last_day, d.second, " KIVREL_QUOTE_COLUMNS
                     " FROM stock AS s LEFT JOIN daily AS d ON d.day = s.last_day AND d.stock = s.id");
  while (all.Step()) {
    TStockState& s =
        Stocks[StockKey(static_cast<std::uint8_t>(all.Int(1)), static_cast<std::uint8_t>(all.Int(2)), all.Blob(3))];
    s.Id = all.Int(0);
    s.StoredLastDay = s.LastDay = static_cast<std::int32_t>(all.Int(4));
    s.HasLast = !all.IsNull(5);
    s.Last.Second = static_cast<std::int32_t>(all.Int(5));
    for (std::size_t i = 0; i < kQuoteValues; ++i)
      s.Last.Values[i] = ColumnValue(all, 6 + static_cast<int>(i), kScale[i]);
    ById[s.Id] = &s;
  }
  // Quotes not moved yet are newer than the daily rows.
  TStatement& fresh = Q->AllFresh;
  while (fresh.Step()) {
    std::string_view data = fresh.Blob(0);
    TFreshEntry entry;
    while (!data.empty()) {
      if (!ReadEntry(data, entry) || !ById.contains(entry.Stock)) FailDamaged(Db);
      TStockState& s = *ById[entry.Stock];
      s.HasLast = true;
      s.Last = entry.Quote;
      s.LastDay = entry.Day;
    }
  }
  Imports = Db.QueryInt("SELECT value FROM counter WHERE name = 'imports'");
  StocksLoaded = true;
}

bool THistory::TImpl::Settle(std::int64_t group) {
  std::map<std::pair<std::int32_t, std::int64_t>, std::vector<TStoredQuote>> moved;  // by day and stock
  std::unordered_map<std::int64_t, std::int32_t> lastDay;                            // of each stock moved
  TStatement& fresh = Q->GroupFresh.Bind(1, group);
  while (fresh.Step()) {
    std::string_view data = fresh.Blob(0);
    TFreshEntry entry;
    while (!data.empty()) {
      if (!ReadEntry(data, entry) || !ById.contains(entry.Stock)) FailDamaged(Db);
      moved[{entry.Day, entry.Stock}].push_back(entry.Quote);
      lastDay[entry.Stock] = entry.Day;
    }
  }
  if (moved.empty()) return false;
  std::set<std::int32_t> days;
  for (const auto& [key, quotes] : moved) {
    const std::int32_t day = key.first;  // named, as a lambda may not take a structured binding
    const std::int64_t stock = key.second;
    std::string chunk;
    std::int64_t part = 0;
    const auto flush = [&] {
      Q->AddChunk.Bind(1, std::int64_t{day}).Bind(2, stock).Bind(3, Imports).Bind(4, part++).BindBlob(5, chunk).Run();
      chunk.clear();
    };
    for (const TStoredQuote& quote : quotes) {
      AppendQuote(chunk, quote);
      if (chunk.size() + 80 > kChunkBytes) flush();  // a quote takes at most 77 bytes
    }
    if (!chunk.empty()) flush();
    const TStoredQuote& last = quotes.back();
    Q->PutDaily.Bind(1, std::int64_t{day}).Bind(2, stock).Bind(3, std::int64_t{last.Second});
    for (std::size_t i = 0; i < kQuoteValues; ++i)
      BindValue(Q->PutDaily, 4 + static_cast<int>(i), last.Values[i], kScale[i]);
    Q->PutDaily.Run();
    days.insert(day);
  }
  for (const auto& [stock, day] : lastDay) {
    TStockState& s = *ById[stock];
    if (s.StoredLastDay == day) continue;
    Q->SetLastDay.Bind(1, stock).Bind(2, std::int64_t{day}).Run();
    s.StoredLastDay = day;
  }
  for (const std::int32_t day : days) Q->AddDay.Bind(1, std::int64_t{day}).Run();
  Q->ClearGroup.Bind(1, group).Run();
  return true;
}

void THistory::TImpl::CountImport() { Q->CountImports.Bind(1, ++Imports).Run(); }

std::optional<std::int64_t> THistory::TImpl::StockId(const THistoryStock& stock) {
  TStatement& find = Q->FindStock;
  find.Bind(1, std::int64_t{stock.Market}).Bind(2, std::int64_t{stock.Category}).BindBlob(3, TrimView(stock.Code));
  std::optional<std::int64_t> id;
  if (find.Step()) id = find.Int(0);
  find.Reset();
  return id;
}

std::vector<TFreshEntry> THistory::TImpl::FreshOf(std::int64_t stock) {
  std::vector<TFreshEntry> entries;
  TStatement& fresh = Q->GroupFresh.Bind(1, GroupOf(stock));
  while (fresh.Step()) {
    std::string_view data = fresh.Blob(0);
    TFreshEntry entry;
    while (!data.empty()) {
      if (!ReadEntry(data, entry)) FailDamaged(Db);
      if (entry.Stock == stock) entries.push_back(entry);
    }
  }
  return entries;
}

THistory::THistory(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout)
    : impl_(std::make_unique<TImpl>(path, access, busyTimeout)) {}

THistory::~THistory() = default;

TDatabase& THistory::Database() { return impl_->Db; }

std::size_t THistory::Record(std::span<const StockRecord> records) {
  TImpl& h = *impl_;
  if (!h.Writer) FailReadOnly(h.Db);
  TTransaction tx(h.Db, TTransaction::TKind::Immediate);
  try {
    if (!h.StocksLoaded) h.LoadStocks();
    std::array<std::string, kGroups> blobs;
    std::size_t rows = 0;
    for (const StockRecord& record : records) {
      const std::optional<TQuoteClock> clock = SplitQuoteTime(record.QuoteTime());
      if (!clock) continue;
      const TStoredQuote quote{clock->Second, QuoteValuesOf(record)};
      const std::string_view code = TrimView(record.Code());
      auto [it, added] = h.Stocks.try_emplace(StockKey(record.Market(), record.Category(), code));
      TImpl::TStockState& stock = it->second;
      if (added) {
        h.Q->AddStock.Bind(1, std::int64_t{record.Market()})
            .Bind(2, std::int64_t{record.Category()})
            .BindBlob(3, code)
            .Bind(4, std::int64_t{clock->Day})
            .Run();
        stock.Id = sqlite3_last_insert_rowid(h.Db.Handle());
        stock.StoredLastDay = clock->Day;
        h.ById[stock.Id] = &stock;
      } else if (stock.HasLast && stock.LastDay == clock->Day && stock.Last == quote) {
        continue;
      }
      AppendEntry(blobs[static_cast<std::size_t>(GroupOf(stock.Id))], stock.Id, clock->Day, quote);
      stock.HasLast = true;
      stock.Last = quote;
      stock.LastDay = clock->Day;
      ++rows;
    }
    if (rows > 0) {
      for (std::int64_t group = 0; group < kGroups; ++group) {
        const std::string& blob = blobs[static_cast<std::size_t>(group)];
        if (!blob.empty()) h.Q->AddFresh.Bind(1, group).Bind(2, h.Imports).BindBlob(3, blob).Run();
      }
      h.Settle(h.Imports % kGroups);
      h.CountImport();
    }
    tx.Commit();
    return rows;
  } catch (...) {
    h.StocksLoaded = false;  // the rollback took back what the map holds
    throw;
  }
}

void THistory::Prune(int keepDays) {
  TImpl& h = *impl_;
  if (!h.Writer) FailReadOnly(h.Db);
  if (keepDays < 0) throw std::invalid_argument("THistory::Prune: keepDays < 0");
  TTransaction tx(h.Db, TTransaction::TKind::Immediate);
  try {
    if (!h.StocksLoaded) h.LoadStocks();
    bool moved = false;
    for (std::int64_t group = 0; group < kGroups; ++group) moved = h.Settle(group) || moved;
    if (moved) h.CountImport();
    if (keepDays == 0) {
      h.Db.Execute("DELETE FROM quote");
    } else {
      TStatement oldestKept(h.Db, "SELECT day FROM trading_day ORDER BY day DESC LIMIT 1 OFFSET ?1");
      if (oldestKept.Bind(1, std::int64_t{keepDays} - 1).Step()) {
        const std::int64_t day = oldestKept.Int(0);
        oldestKept.Reset();
        TStatement drop(h.Db, "DELETE FROM quote WHERE day < ?1");
        drop.Bind(1, day).Run();
      }
    }
    tx.Commit();
  } catch (...) {
    h.StocksLoaded = false;
    throw;
  }
}

std::vector<TQuoteRow> THistory::Day(const THistoryStock& stock, std::int32_t day) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::vector<TQuoteRow> rows;
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    // By second: a later quote at the same second replaces an earlier one.
    std::map<std::int32_t, TStoredQuote> bySecond;
    TStatement& chunks = h.Q->DayChunks.Bind(1, std::int64_t{day}).Bind(2, *id);
    while (chunks.Step()) {
      std::string_view data = chunks.Blob(0);
      TStoredQuote quote;
      while (!data.empty()) {
        if (!ReadQuote(data, quote)) FailDamaged(h.Db);
        bySecond[quote.Second] = quote;
      }
    }
    for (const TFreshEntry& entry : h.FreshOf(*id))
      if (entry.Day == day) bySecond[entry.Quote.Second] = entry.Quote;
    rows.reserve(bySecond.size());
    for (const auto& [second, quote] : bySecond) rows.push_back(QuoteRowOf(day, quote));
  }
  read.Commit();
  return rows;
}

std::vector<TDailyRow> THistory::Daily(const THistoryStock& stock) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::map<std::int32_t, TDailyRow> byDay;
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    TStatement& daily = h.Q->DailyRows.Bind(1, *id);
    while (daily.Step()) {
      TQuoteValues values{};
      for (std::size_t i = 0; i < kQuoteValues; ++i) values[i] = ColumnValue(daily, 2 + static_cast<int>(i), kScale[i]);
      const auto day = static_cast<std::int32_t>(daily.Int(0));
      byDay[day] = DailyRowOf(day, values);
    }
    for (const TFreshEntry& entry : h.FreshOf(*id)) byDay[entry.Day] = DailyRowOf(entry.Day, entry.Quote.Values);
  }
  read.Commit();
  std::vector<TDailyRow> rows;
  rows.reserve(byDay.size());
  for (const auto& [day, row] : byDay) rows.push_back(row);
  return rows;
}

std::optional<std::int32_t> THistory::LatestDay(const THistoryStock& stock) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::optional<std::int32_t> latest;
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    TStatement& settled = h.Q->LatestQuoteDay.Bind(1, *id);
    if (settled.Step() && !settled.IsNull(0)) latest = static_cast<std::int32_t>(settled.Int(0));
    settled.Reset();
    for (const TFreshEntry& entry : h.FreshOf(*id))
      if (!latest || entry.Day > *latest) latest = entry.Day;
  }
  read.Commit();
  return latest;
}

std::vector<THistoryStock> THistory::StocksWithCode(std::string_view code) const {
  TImpl& h = *impl_;
  std::vector<THistoryStock> stocks;
  TStatement& query = h.Q->WithCode.BindBlob(1, TrimView(code));
  while (query.Step()) {
    stocks.push_back({static_cast<std::uint8_t>(query.Int(0)), static_cast<std::uint8_t>(query.Int(1)),
                      std::string(TrimView(code))});
  }
  return stocks;
}

}  // namespace kivrel
