#include "core/history/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

namespace kivrel {

THistoryError::THistoryError(std::string path, int code, std::string text)
    : std::runtime_error(path + ": " + text), path_(std::move(path)), code_(code), text_(std::move(text)) {}

TDatabase::TDatabase(std::string path, TMode mode, std::chrono::milliseconds busyTimeout) : path_(std::move(path)) {
  const int flags = SQLITE_OPEN_NOMUTEX |
                    (mode == TMode::ReadWrite ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY);
  const int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string text = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    throw THistoryError(path_, rc, text);
  }
  sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
}

TDatabase::~TDatabase() { sqlite3_close(db_); }

void TDatabase::Fail(int code) const {
  const int primary = code & 0xFF;
  const std::string text = (sqlite3_errcode(db_) & 0xFF) == primary ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
  throw THistoryError(path_, primary, text);
}

void TDatabase::Execute(const std::string& sql) {
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(rc);
}

std::int64_t TDatabase::QueryInt(const std::string& sql) {
  TStatement query(*this, sql);
  const std::int64_t value = query.Step() ? query.Int(0) : 0;
  query.Reset();
  return value;
}

TStatement::TStatement(TDatabase& db, std::string_view sql) : db_(db) {
  const int rc = sqlite3_prepare_v3(db.Handle(), sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                    &stmt_, nullptr);
  if (rc != SQLITE_OK) db.Fail(rc);
}

TStatement::~TStatement() { sqlite3_finalize(stmt_); }

namespace {

void CheckBind(TDatabase& db, int rc) {
  if (rc != SQLITE_OK) db.Fail(rc);
}

}  // namespace

TStatement& TStatement::Bind(int index, std::int64_t value) {
  if (started_) Reset();
  CheckBind(db_, sqlite3_bind_int64(stmt_, index, value));
  return *this;
}

TStatement& TStatement::Bind(int index, double value) {
  if (started_) Reset();
  CheckBind(db_, sqlite3_bind_double(stmt_, index, value));
  return *this;
}

TStatement& TStatement::BindBlob(int index, std::string_view bytes) {
  if (started_) Reset();
  // A zero-length blob, not NULL, for an empty text.
  CheckBind(db_, bytes.empty()
                     ? sqlite3_bind_zeroblob(stmt_, index, 0)
                     : sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
  return *this;
}

TStatement& TStatement::BindNull(int index) {
  if (started_) Reset();
  CheckBind(db_, sqlite3_bind_null(stmt_, index));
  return *this;
}

bool TStatement::Step() {
  started_ = true;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  Reset();
  if (rc != SQLITE_DONE) db_.Fail(rc);
  return false;
}

void TStatement::Run() {
  while (Step()) {
  }
}

void TStatement::Reset() {
  sqlite3_reset(stmt_);
  started_ = false;
}

bool TStatement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
bool TStatement::IsInteger(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_INTEGER; }
std::int64_t TStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }
double TStatement::Real(int column) const { return sqlite3_column_double(stmt_, column); }

std::string_view TStatement::Blob(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  if (data == nullptr || size <= 0) return {};
  return {static_cast<const char*>(data), static_cast<std::size_t>(size)};
}

TTransaction::TTransaction(TDatabase& db, TKind kind) : db_(db) {
  db.Execute(kind == TKind::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

TTransaction::~TTransaction() {
  if (open_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void TTransaction::Commit() {
  db_.Execute("COMMIT");
  open_ = false;
}

}  // namespace kivrel
