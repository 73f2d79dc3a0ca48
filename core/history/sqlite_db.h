#pragma once
// Owners of SQLite handles: a connection, a prepared statement and a
// transaction that rolls back unless committed. Every failure throws
// THistoryError naming the database file, with SQLite's result code and text.

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kivrel {

// what() reads "<path>: <SQLite's text>", e.g. "DATA/history.db: database is locked".
class THistoryError : public std::runtime_error {
 public:
  THistoryError(std::string path, int code, std::string text);

  const std::string& Path() const { return path_; }
  // SQLite's primary result code (SQLITE_BUSY, SQLITE_FULL, SQLITE_NOTADB, ...).
  int Code() const { return code_; }
  const std::string& Text() const { return text_; }

 private:
  std::string path_;
  int code_;
  std::string text_;
};

class TDatabase {
 public:
  enum class TMode { ReadWrite, ReadOnly };

  // ReadWrite creates a missing file; a file this process may only read is
  // opened for reading, and the first write fails with SQLITE_READONLY. A
  // busy database is waited for up to `busyTimeout` before an operation
  // fails with SQLITE_BUSY.
  TDatabase(std::string path, TMode mode, std::chrono::milliseconds busyTimeout);
  ~TDatabase();
  TDatabase(const TDatabase&) = delete;
  TDatabase& operator=(const TDatabase&) = delete;

  const std::string& Path() const { return path_; }
  sqlite3* Handle() const { return db_; }

  // Runs SQL text of one or more statements, ignoring any rows.
  void Execute(const std::string& sql);
  // The first column of the first row of a query, as an integer (0 without a row).
  std::int64_t QueryInt(const std::string& sql);

  // Throws THistoryError for a result code, with the connection's message.
  [[noreturn]] void Fail(int code) const;

 private:
  std::string path_;
  sqlite3* db_ = nullptr;
};

class TStatement {
 public:
  TStatement(TDatabase& db, std::string_view sql);
  ~TStatement();
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;

  // Parameters count from 1. Binding after rows were read starts the
  // statement over.
  TStatement& Bind(int index, std::int64_t value);
  TStatement& Bind(int index, double value);
  TStatement& BindBlob(int index, std::string_view bytes);
  TStatement& BindNull(int index);

  // The next row: true while there is one; at the end the statement is reset
  // for the next use.
  bool Step();
  // Steps to the end, for statements that return no rows.
  void Run();
  // Ends a query before its last row.
  void Reset();

  // Columns count from 0.
  bool IsNull(int column) const;
  bool IsInteger(int column) const;
  std::int64_t Int(int column) const;
  double Real(int column) const;
  std::string_view Blob(int column) const;

 private:
  TDatabase& db_;
  sqlite3_stmt* stmt_ = nullptr;
  bool started_ = false;
};

// BEGIN on construction; ROLLBACK on destruction unless Commit ran.
class TTransaction {
 public:
  // Immediate takes the write lock at once, so a busy database fails here
  // rather than halfway through the writes.
  enum class TKind { Deferred, Immediate };
  TTransaction(TDatabase& db, TKind kind);
  ~TTransaction();
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;

  void Commit();

 private:
  TDatabase& db_;
  bool open_ = true;
};

}  // namespace kivrel
