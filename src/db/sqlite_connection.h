// The embedded database: a SQLite file opened with foreign keys enforced.
// Statement text may hold several statements; parameters ("?") are bound in
// order across them. A batch of several statements runs inside a savepoint,
// so a failure part-way leaves nothing of it behind.
#pragma once

#include <chrono>
#include <string>

#include "db/connection_base.h"
#include "db/provider_error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace bp::db {

class SqliteConnection final : public ConnectionBase {
 public:
  SqliteConnection(std::string path, const ConnectionOptions& options);
  ~SqliteConnection() override;
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  DialectKind Kind() const override { return DialectKind::kSQLite; }
  bool IsOpen() const override { return db_ != nullptr; }
  void Close() override;
  void Reopen() override;
  bool IsUsable() override;
  std::string Describe() const override { return path_; }
  // Each statement is prepared once and run again with each row's values.
  void ExecuteEach(const std::vector<std::string>& statements,
                   const std::vector<std::vector<Value>>& rows, size_t& next) override;

 protected:
  const char* Source() const override { return kSQLiteSource; }
  int64_t Run(std::string_view sql, const std::vector<Value>& params, Recordset* rows) override;
  void Exec(const char* sql) override;
  void BeginReal() override;
  void CommitReal() override;
  void RollbackReal() override;
  bool EngineInTransaction() const override;
  void ApplyConnectionTimeout() override;

 private:
  void Connect();
  // The error for a failed SQLite call, mapped to the provider numbers.
  Erro Failure(int code) const;
  void RunStatement(sqlite3_stmt* statement, Recordset* rows, std::string_view source);
  static int OnProgress(void* self);

  std::string path_;
  sqlite3* db_ = nullptr;
  // The running command's deadline; the progress handler interrupts past it.
  bool has_deadline_ = false;
  bool timed_out_ = false;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace bp::db
