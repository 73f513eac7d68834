// A connection to the station's database: SQLite (a file path, the embedded
// default) or PostgreSQL (a postgresql:// URL). Every failure is raised as an
// Erro carrying the provider's number and text:
//   0x80040E2F  integrity violation (key, unique, reference, not null)
//   0x80040E14  any other statement error (syntax, missing or existing object)
//   0x80040E31  the command time-out expired
//   3709        the connection is closed or unusable for the operation
//   3704        the operation needs an open object (closed recordset)
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/value.h"

namespace bp::db {

inline constexpr int32_t kErroIntegridade = static_cast<int32_t>(0x80040E2F);
inline constexpr int32_t kErroComando = static_cast<int32_t>(0x80040E14);
inline constexpr int32_t kErroTempoEsgotado = static_cast<int32_t>(0x80040E31);

enum class DialectKind { kSQLite, kPostgreSQL, kSqlServer };

// SQLite's own x / 0 is NULL where SQL Server and PostgreSQL fail the
// statement. Every SQLite connection therefore carries the SQL function
// bp_divisor(x): x itself (NULL stays NULL), or the statement error
// 0x80040E14 "division by zero" when x is zero. Statements divide through it
// (schema::Dialect::Quotient).
inline constexpr const char* kSqliteDivisorFunction = "bp_divisor";

// Time-outs, in seconds, that a connection starts with (ADO's defaults); the
// connection time-out already bounds the first connect.
struct ConnectionOptions {
  int32_t connection_timeout = 15;
  int32_t command_timeout = 30;
};

// Whether a target names a PostgreSQL server ("postgresql://..." or
// "postgres://...", any case) rather than a SQLite file.
bool IsServerTarget(std::string_view target);
// A target as Describe shows it, without opening it: a URL's password hidden.
std::string DescribeTarget(std::string_view target);

class Connection {
 public:
  virtual ~Connection() = default;

  // Opens a database: "postgresql://..." (or "postgres://...") through libpq,
  // anything else as a SQLite file path (created when missing).
  static std::unique_ptr<Connection> Open(const std::string& target,
                                          const ConnectionOptions& options = {});

  virtual DialectKind Kind() const = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Opens the same database again after Close or a lost connection.
  virtual void Reopen() = 0;
  // True when the connection is open and answers a trivial query.
  virtual bool IsUsable() = 0;

  // Runs statement text, a batch of several statements included; returns the
  // records affected by the last data statement (0 for the others). A batch
  // that fails is undone as a whole; inside a transaction only the failed
  // command is undone and the transaction stays usable, as on SQL Server.
  virtual int64_t Execute(std::string_view sql) = 0;
  // The same with bound parameters: "?" marks each one, in order.
  virtual int64_t Execute(std::string_view sql, const std::vector<Value>& params) = 0;
  // Runs a query and returns a disconnected copy of its rows.
  virtual Recordset Query(std::string_view sql) = 0;
  virtual Recordset Query(std::string_view sql, const std::vector<Value>& params) = 0;

  // Named, nested transactions, counted as SQL Server counts them: only the
  // outermost level is a real transaction; an inner Begin only deepens the
  // count and an inner Commit only lessens it; a Rollback at any level undoes
  // everything since the outermost Begin and ends every level, so the later
  // Commit or Rollback of an outer level raises 0x80040E14 ("no corresponding
  // BEGIN TRANSACTION"). `name` is kept for messages only.
  virtual void BeginTrans(std::string_view name) = 0;
  virtual void CommitTrans(std::string_view name) = 0;
  virtual void RollbackTrans(std::string_view name) = 0;
  virtual int32_t TransactionDepth() const = 0;

  // Savepoints inside the open transaction (0x80040E14 outside one): rolling
  // back to a savepoint undoes only the work done since it and leaves the
  // transaction usable; releasing it keeps that work. `name` is a plain SQL
  // identifier.
  virtual void Savepoint(std::string_view name) = 0;
  virtual void ReleaseSavepoint(std::string_view name) = 0;
  virtual void RollbackToSavepoint(std::string_view name) = 0;

  // Seconds allowed to connect (and to wait for a lock, on SQLite: its busy
  // time-out) and for one command to run (PostgreSQL statement_timeout; on
  // SQLite a progress handler interrupts the statement). 0 means no limit.
  virtual int32_t ConnectionTimeout() const = 0;
  virtual void SetConnectionTimeout(int32_t seconds) = 0;
  virtual int32_t CommandTimeout() const = 0;
  virtual void SetCommandTimeout(int32_t seconds) = 0;

  // A date as the dialect's literal, to be placed between single quotes.
  virtual std::string DateLiteral(DateTime date) const = 0;
  // A text as a quoted SQL literal ('O''Brien').
  virtual std::string Quote(std::string_view text) const = 0;
  // The target this connection was opened with (path or URL, password hidden).
  virtual std::string Describe() const = 0;
};

}  // namespace bp::db
