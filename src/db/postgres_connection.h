// The server database: PostgreSQL through libpq, reached by a
// "postgresql://user@host:port/database" URL. Statement text without
// parameters may hold several statements (sent as one simple query, which the
// server runs as one unit); text with parameters must be a single statement.
// Inside a transaction every command runs under a savepoint, so a failed
// command is undone alone and the transaction carries on, as it would on
// SQL Server.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/connection_base.h"
#include "db/provider_error.h"

struct pg_conn;
struct pg_result;

namespace bp::db {

class PostgresConnection final : public ConnectionBase {
 public:
  PostgresConnection(std::string url, const ConnectionOptions& options);
  ~PostgresConnection() override;
  PostgresConnection(const PostgresConnection&) = delete;
  PostgresConnection& operator=(const PostgresConnection&) = delete;

  DialectKind Kind() const override { return DialectKind::kPostgreSQL; }
  bool IsOpen() const override { return conn_ != nullptr; }
  void Close() override;
  void Reopen() override;
  bool IsUsable() override;
  std::string Describe() const override;
  // Each statement is prepared once; the rows go in pipelined runs, each run
  // under a savepoint (or its own transaction), so a run with a failing row
  // is undone and run again one command at a time up to that row.
  void ExecuteEach(const std::vector<std::string>& statements,
                   const std::vector<std::vector<Value>>& rows, size_t& next) override;

 protected:
  const char* Source() const override { return kPostgresSource; }
  int64_t Run(std::string_view sql, const std::vector<Value>& params, Recordset* rows) override;
  void Exec(const char* sql) override;
  void BeginReal() override;
  void CommitReal() override;
  void RollbackReal() override;
  bool EngineInTransaction() const override;
  void ApplyCommandTimeout() override { EnsureStatementTimeout(); }

 private:
  void Connect();
  bool Lost() const;
  // The error a failed result stands for (3709 once the connection is gone).
  Erro Failure(const pg_result* result) const;
  void EnsureStatementTimeout();
  // Sends the command and reads every result it produces.
  int64_t SendAndCollect(std::string_view sql, const std::vector<Value>& params, Recordset* rows);
  // Sends rows `from` .. `to` - 1 of the prepared statements in one pipeline
  // and reads every answer; false when a command failed (that run is then
  // undone). The statements are prepared in the same run unless `prepared`,
  // the names the server already holds, ends with them.
  bool Pipeline(const std::vector<std::string>& names, const std::vector<std::string>& numbered,
                const std::vector<unsigned>& types, const std::vector<size_t>& marks,
                const std::vector<std::vector<Value>>& rows, size_t from, size_t to,
                std::vector<std::string>& prepared);

  std::string url_;
  pg_conn* conn_ = nullptr;
  // statement_timeout as last set on the server; -1 when unknown (a rolled
  // back transaction also undoes a SET made inside it).
  int64_t applied_timeout_ms_ = -1;
};

// A result that clears itself.
struct ClearResult {
  void operator()(pg_result* result) const;
};
using Result = std::unique_ptr<pg_result, ClearResult>;

// A parameter as text for the server, with the type it should be read as (0
// lets the server infer it from where the mark stands). True and False go as
// "1" and "0", which read both as boolean and as integer columns.
struct Parameter {
  bool null = false;
  std::string text;
  unsigned type = 0;
};
Parameter ToParameter(const Value& value);

// "?" marks outside quoted texts, quoted names, dollar quotes and comments
// become $1, $2 ... in order; `count` receives how many there were.
std::string NumberPlaceholders(std::string_view sql, size_t& count);

// The URL with its password (user info or "password=" parameter) replaced by "***".
std::string HidePassword(std::string_view url);

}  // namespace bp::db
