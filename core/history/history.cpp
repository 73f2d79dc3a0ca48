#include "core/history/history.h"

#include <sqlite3.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "core/text/trim.h"

namespace kivrel {
namespace {

constexpr std::int64_t kSchemaVersion = 1;

// The rows of an import go first into `fresh`, in arrival order. A stock's
// rows move from there into `quote`, where one stock's day is one range,
// every kGroups imports and all at once: stocks are split into kGroups groups
// by id, and each import moves one group. A page of `quote` is then written
// once for many rows instead of once per import, so an import costs about the
// same however far the day has gone and however many stocks it brings.
constexpr std::int64_t kGroups = 32;

// Columns of a quote, in this order wherever they appear.
#define KIVREL_QUOTE_COLUMNS "last_price, change, bid, ask, volume, open, high, low, prev_close"
constexpr int kValueCount = 9;
// Prices are kept in hundredths, the volume in units.
constexpr std::array<double, kValueCount> kScale{100, 100, 100, 100, 1, 100, 100, 100, 100};

constexpr const char* kSchema =
    "CREATE TABLE stock(id INTEGER PRIMARY KEY, market INTEGER NOT NULL, category INTEGER NOT NULL,"
    " code BLOB NOT NULL, last_day INTEGER NOT NULL, UNIQUE(market, category, code));"
    "CREATE TABLE quote(day INTEGER NOT NULL, stock INTEGER NOT NULL, second INTEGER NOT NULL, " KIVREL_QUOTE_COLUMNS
    ", PRIMARY KEY(day, stock, second)) WITHOUT ROWID;"
    "CREATE TABLE fresh(grp INTEGER NOT NULL, seq INTEGER NOT NULL, stock INTEGER NOT NULL, day INTEGER NOT NULL,"
    " second INTEGER NOT NULL, " KIVREL_QUOTE_COLUMNS
    ", PRIMARY KEY(grp, seq, stock)) WITHOUT ROWID;"
    "CREATE TABLE daily(day INTEGER NOT NULL, stock INTEGER NOT NULL, second INTEGER NOT NULL, " KIVREL_QUOTE_COLUMNS
    ", PRIMARY KEY(day, stock)) WITHOUT ROWID;"
    "CREATE TABLE trading_day(day INTEGER PRIMARY KEY);"
    "PRAGMA user_version = 1;";

using TValues = std::array<float, kValueCount>;

// A quote as the history keeps it. `stock.last_day` and the daily row of that
// day hold the last one recorded for each stock.
struct TStoredQuote {
  TQuoteClock Clock;
  TValues Values{};
};

TValues ValuesOf(const StockRecord& r) {
  return {r.Last(), r.Change(), r.Bid(), r.Ask(), r.Volume(), r.Open(), r.High(), r.Low(), r.PrevClose()};
}

bool SameValue(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) || (std::isnan(a) && std::isnan(b));
}

bool SameQuote(const TStoredQuote& a, const TStoredQuote& b) {
  if (a.Clock.Day != b.Clock.Day || a.Clock.Second != b.Clock.Second) return false;
  for (int i = 0; i < kValueCount; ++i)
    if (!SameValue(a.Values[i], b.Values[i])) return false;
  return true;
}

float Unscale(std::int64_t units, double scale) { return static_cast<float>(static_cast<double>(units) / scale); }

// Whole units of the scale when they give back the identical single, else
// the single itself; a NaN is NULL.
void BindValue(TStatement& s, int index, float value, double scale) {
  if (std::isnan(value)) {
    s.BindNull(index);
    return;
  }
  const double scaled = static_cast<double>(value) * scale;  // exact: 24 + 7 bits
  if (std::fabs(scaled) < 0x1p52) {
    const auto units = static_cast<std::int64_t>(std::llround(scaled));
    if (std::bit_cast<std::uint32_t>(Unscale(units, scale)) == std::bit_cast<std::uint32_t>(value)) {
      s.Bind(index, units);
      return;
    }
  }
  s.Bind(index, static_cast<double>(value));
}

float ColumnValue(const TStatement& s, int column, double scale) {
  if (s.IsNull(column)) return std::numeric_limits<float>::quiet_NaN();
  if (s.IsInteger(column)) return Unscale(s.Int(column), scale);
  return static_cast<float>(s.Real(column));
}

void BindValues(TStatement& s, int first, const TValues& values) {
  for (int i = 0; i < kValueCount; ++i) BindValue(s, first + i, values[i], kScale[i]);
}

TValues ColumnValues(const TStatement& s, int first) {
  TValues values{};
  for (int i = 0; i < kValueCount; ++i) values[i] = ColumnValue(s, first + i, kScale[i]);
  return values;
}

TQuoteRow QuoteRowOf(TQuoteClock clock, const TValues& v) {
  return {JoinQuoteTime(clock), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

std::string StockKey(std::uint8_t market, std::uint8_t category, std::string_view code) {
  std::string key{static_cast<char>(market), static_cast<char>(category)};
  key += code;
  return key;
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
  void Settle(std::optional<std::int64_t> group);

  TDatabase Db;
  bool Writer;

  struct TStockState {
    std::int64_t Id = 0;
    std::int32_t LastDay = 0;
    bool HasLast = false;
    TStoredQuote Last;
  };
  // The writer's view of every stock, by market, category and code; rebuilt
  // from the file after a failed import.
  std::unordered_map<std::string, TStockState> Stocks;
  bool StocksLoaded = false;
  std::int64_t Seq = 0;  // the next import's number

  struct TQueries {
    explicit TQueries(TDatabase& db);
    TStatement FindStock, AddStock, SetLastDay, AddDay, AddFresh, PutDaily;
    TStatement MoveGroup, ClearGroup, MoveAll, ClearAll, LastSeq;
    TStatement DayQuotes, DayFresh, DailyRows, LatestQuoteDay, LatestFreshDay, WithCode;
  };
  std::unique_ptr<TQueries> Q;
};

THistory::TImpl::TQueries::TQueries(TDatabase& db)
    : FindStock(db, "SELECT id FROM stock WHERE market = ?1 AND category = ?2 AND code = ?3"),
      AddStock(db, "INSERT INTO stock(market, category, code, last_day) VALUES(?1, ?2, ?3, ?4)"),
      SetLastDay(db, "UPDATE stock SET last_day = ?2 WHERE id = ?1"),
      AddDay(db, "INSERT OR IGNORE INTO trading_day(day) VALUES(?1)"),
      AddFresh(db, "INSERT OR REPLACE INTO fresh VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)"),
      PutDaily(db, "INSERT OR REPLACE INTO daily VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"),
      // Rows leave `fresh` in import order, so a later quote at the same
      // second replaces an earlier one.
      MoveGroup(db, "INSERT OR REPLACE INTO quote SELECT day, stock, second, " KIVREL_QUOTE_COLUMNS
                    " FROM fresh WHERE grp = ?1 ORDER BY seq"),
      ClearGroup(db, "DELETE FROM fresh WHERE grp = ?1"),
      MoveAll(db, "INSERT OR REPLACE INTO quote SELECT day, stock, second, " KIVREL_QUOTE_COLUMNS
                  " FROM fresh ORDER BY grp, seq"),
      ClearAll(db, "DELETE FROM fresh"),
      LastSeq(db, "SELECT max(seq) FROM fresh WHERE grp = ?1"),
      DayQuotes(db, "SELECT second, " KIVREL_QUOTE_COLUMNS " FROM quote WHERE day = ?1 AND stock = ?2 ORDER BY second"),
      DayFresh(db, "SELECT second, " KIVREL_QUOTE_COLUMNS
                   " FROM fresh WHERE grp = ?1 AND stock = ?2 AND day = ?3 ORDER BY seq"),
      DailyRows(db,
                "SELECT t.day, d.open, d.high, d.low, d.last_price, d.volume, d.prev_close"
                " FROM trading_day AS t JOIN daily AS d ON d.day = t.day AND d.stock = ?1 ORDER BY t.day"),
      LatestQuoteDay(db,
                     "SELECT max(t.day) FROM trading_day AS t"
                     " WHERE t.day >= (SELECT day FROM quote ORDER BY day LIMIT 1)"
                     " AND EXISTS (SELECT 1 FROM quote AS q WHERE q.day = t.day AND q.stock = ?1)"),
      LatestFreshDay(db, "SELECT max(day) FROM fresh WHERE grp = ?1 AND stock = ?2"),
      WithCode(db, "SELECT market, category FROM stock WHERE code = ?1 ORDER BY market, category") {}

THistory::TImpl::TImpl(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout)
    : Db(path, access == TAccess::ReadWrite ? TDatabase::TMode::ReadWrite : TDatabase::TMode::ReadOnly, busyTimeout),
      Writer(access == TAccess::ReadWrite) {
  if (Writer) {
    // The log makes readers and the writer independent and an import that
    // was not committed vanish whole when the process dies; NORMAL syncs at
    // checkpoints only, which still keeps every committed import across a
    // killed process.
    Db.Execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -32768");
    TTransaction create(Db, TTransaction::TKind::Immediate);
    const std::int64_t version = Db.QueryInt("PRAGMA user_version");
    if (version == 0 && Db.QueryInt("SELECT count(*) FROM sqlite_schema") == 0) Db.Execute(kSchema);
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
  TStatement all(Db, "SELECT s.id, s.market, s.category, s.code, s.last_day, d.second, " KIVREL_QUOTE_COLUMNS
                     " FROM stock AS s LEFT JOIN daily AS d ON d.day = s.last_day AND d.stock = s.id");
  while (all.Step()) {
    TStockState& s =
        Stocks[StockKey(static_cast<std::uint8_t>(all.Int(1)), static_cast<std::uint8_t>(all.Int(2)), all.Blob(3))];
    s.Id = all.Int(0);
    s.LastDay = static_cast<std::int32_t>(all.Int(4));
    s.HasLast = !all.IsNull(5);
    if (s.HasLast) s.Last = {{s.LastDay, static_cast<std::int32_t>(all.Int(5))}, ColumnValues(all, 6)};
  }
  Seq = 0;
  for (std::int64_t group = 0; group < kGroups; ++group) {
    Q->LastSeq.Bind(1, group);
    if (Q->LastSeq.Step() && !Q->LastSeq.IsNull(0)) Seq = std::max(Seq, Q->LastSeq.Int(0) + 1);
    Q->LastSeq.Reset();
  }
  StocksLoaded = true;
}

std::optional<std::int64_t> THistory::TImpl::StockId(const THistoryStock& stock) {
  Q->FindStock.Bind(1, std::int64_t{stock.Market})
      .Bind(2, std::int64_t{stock.Category})
      .BindBlob(3, TrimView(stock.Code));
  std::optional<std::int64_t> id;
  if (Q->FindStock.Step()) id = Q->FindStock.Int(0);
  Q->FindStock.Reset();
  return id;
}

void THistory::TImpl::Settle(std::optional<std::int64_t> group) {
  if (group) {
    Q->MoveGroup.Bind(1, *group).Run();
    Q->ClearGroup.Bind(1, *group).Run();
  } else {
    Q->MoveAll.Run();
    Q->ClearAll.Run();
  }
}

THistory::THistory(const std::string& path, TAccess access, std::chrono::milliseconds busyTimeout)
    : impl_(std::make_unique<TImpl>(path, access, busyTimeout)) {}

THistory::~THistory() = default;

TDatabase& THistory::Database() { return impl_->Db; }

std::size_t THistory::Record(std::span<const StockRecord> records) {
  TImpl& h = *impl_;
  if (!h.Writer) FailReadOnly(h.Db);
  TImpl::TQueries& q = *h.Q;
  TTransaction tx(h.Db, TTransaction::TKind::Immediate);
  try {
    if (!h.StocksLoaded) h.LoadStocks();
    std::size_t rows = 0;
    for (const StockRecord& record : records) {
      const std::optional<TQuoteClock> clock = SplitQuoteTime(record.QuoteTime());
      if (!clock) continue;
      const TStoredQuote quote{*clock, ValuesOf(record)};
      const std::string_view code = TrimView(record.Code());
      auto [it, added] = h.Stocks.try_emplace(StockKey(record.Market(), record.Category(), code));
      TImpl::TStockState& stock = it->second;
      if (added) {
        q.AddStock.Bind(1, std::int64_t{record.Market()})
            .Bind(2, std::int64_t{record.Category()})
            .BindBlob(3, code)
            .Bind(4, std::int64_t{clock->Day})
            .Run();
        stock.Id = sqlite3_last_insert_rowid(h.Db.Handle());
        stock.LastDay = clock->Day;
        q.AddDay.Bind(1, std::int64_t{clock->Day}).Run();
      } else if (stock.HasLast && SameQuote(stock.Last, quote)) {
        continue;
      } else if (stock.LastDay != clock->Day) {
        q.SetLastDay.Bind(1, stock.Id).Bind(2, std::int64_t{clock->Day}).Run();
        q.AddDay.Bind(1, std::int64_t{clock->Day}).Run();
        stock.LastDay = clock->Day;
      }
      q.AddFresh.Bind(1, stock.Id % kGroups)
          .Bind(2, h.Seq)
          .Bind(3, stock.Id)
          .Bind(4, std::int64_t{clock->Day})
          .Bind(5, std::int64_t{clock->Second});
      BindValues(q.AddFresh, 6, quote.Values);
      q.AddFresh.Run();
      q.PutDaily.Bind(1, std::int64_t{clock->Day}).Bind(2, stock.Id).Bind(3, std::int64_t{clock->Second});
      BindValues(q.PutDaily, 4, quote.Values);
      q.PutDaily.Run();
      stock.HasLast = true;
      stock.Last = quote;
      ++rows;
    }
    if (rows > 0) h.Settle(h.Seq % kGroups);
    tx.Commit();
    if (rows > 0) ++h.Seq;
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
  h.Settle(std::nullopt);
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
}

std::vector<TQuoteRow> THistory::Day(const THistoryStock& stock, std::int32_t day) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::vector<TQuoteRow> rows;
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    // By second; a row still in `fresh` is newer than one at the same second
    // in `quote`, and among them the later import wins.
    std::map<std::int32_t, TValues> bySecond;
    TStatement& settled = h.Q->DayQuotes;
    settled.Bind(1, std::int64_t{day}).Bind(2, *id);
    while (settled.Step()) bySecond[static_cast<std::int32_t>(settled.Int(0))] = ColumnValues(settled, 1);
    TStatement& fresh = h.Q->DayFresh;
    fresh.Bind(1, *id % kGroups).Bind(2, *id).Bind(3, std::int64_t{day});
    while (fresh.Step()) bySecond[static_cast<std::int32_t>(fresh.Int(0))] = ColumnValues(fresh, 1);
    rows.reserve(bySecond.size());
    for (const auto& [second, values] : bySecond) rows.push_back(QuoteRowOf({day, second}, values));
  }
  read.Commit();
  return rows;
}

std::vector<TDailyRow> THistory::Daily(const THistoryStock& stock) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::vector<TDailyRow> rows;
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    TStatement& daily = h.Q->DailyRows;
    daily.Bind(1, *id);
    while (daily.Step()) {
      rows.push_back({static_cast<std::int32_t>(daily.Int(0)), ColumnValue(daily, 1, 100), ColumnValue(daily, 2, 100),
                      ColumnValue(daily, 3, 100), ColumnValue(daily, 4, 100), ColumnValue(daily, 5, 1),
                      ColumnValue(daily, 6, 100)});
    }
  }
  read.Commit();
  return rows;
}

std::optional<std::int32_t> THistory::LatestDay(const THistoryStock& stock) const {
  TImpl& h = *impl_;
  TTransaction read(h.Db, TTransaction::TKind::Deferred);
  std::optional<std::int32_t> latest;
  const auto take = [&latest](TStatement& query) {
    if (query.Step() && !query.IsNull(0)) {
      const auto day = static_cast<std::int32_t>(query.Int(0));
      if (!latest || day > *latest) latest = day;
    }
    query.Reset();
  };
  if (const std::optional<std::int64_t> id = h.StockId(stock)) {
    take(h.Q->LatestQuoteDay.Bind(1, *id));
    take(h.Q->LatestFreshDay.Bind(1, *id % kGroups).Bind(2, *id));
  }
  read.Commit();
  return latest;
}

std::vector<THistoryStock> THistory::StocksWithCode(std::string_view code) const {
  TImpl& h = *impl_;
  std::vector<THistoryStock> stocks;
  TStatement& query = h.Q->WithCode;
  query.BindBlob(1, TrimView(code));
  while (query.Step()) {
    stocks.push_back({static_cast<std::uint8_t>(query.Int(0)), static_cast<std::uint8_t>(query.Int(1)),
                      std::string(TrimView(code))});
  }
  return stocks;
}

}  // namespace kivrel
