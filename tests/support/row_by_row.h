// The row-by-row forms that the faster data corrections of the version steps
// replace, kept as the reference those corrections must equal: a connection
// on which "the same statements for many rows" run as one Execute per
// statement and row (and which can find itself closed at a chosen one), a
// host whose stock recomputation writes through it, and steps 48 and 66 with
// their values written into each row's statement text, as they were before.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "bp/db/execute_each.h"
#include "bp/schema/version_step.h"
#include "support/recording_session.h"

namespace bp::testing {

// A connection that is not one of the library's own, so that
// db::ExecuteEach runs one Execute per statement and row through it.
class OneByOneConnection final : public db::Connection {
 public:
  explicit OneByOneConnection(db::Connection& real) : real_(real) {}

  // The statement with values (counted from the first) that raises 3704
  // once instead of running.
  std::optional<size_t> closed_at;
  size_t with_values = 0;

  db::DialectKind Kind() const override { return real_.Kind(); }
  bool IsOpen() const override { return real_.IsOpen(); }
  void Close() override { real_.Close(); }
  void Reopen() override { real_.Reopen(); }
  bool IsUsable() override { return real_.IsUsable(); }
  int64_t Execute(std::string_view sql) override { return real_.Execute(sql); }
  int64_t Execute(std::string_view sql, const std::vector<Value>& params) override;
  db::Recordset Query(std::string_view sql) override { return real_.Query(sql); }
  db::Recordset Query(std::string_view sql, const std::vector<Value>& params) override {
    return real_.Query(sql, params);
  }
  void BeginTrans(std::string_view name) override { real_.BeginTrans(name); }
  void CommitTrans(std::string_view name) override { real_.CommitTrans(name); }
  void RollbackTrans(std::string_view name) override { real_.RollbackTrans(name); }
  int32_t TransactionDepth() const override { return real_.TransactionDepth(); }
  void Savepoint(std::string_view name) override { real_.Savepoint(name); }
  void ReleaseSavepoint(std::string_view name) override { real_.ReleaseSavepoint(name); }
  void RollbackToSavepoint(std::string_view name) override { real_.RollbackToSavepoint(name); }
  int32_t ConnectionTimeout() const override { return real_.ConnectionTimeout(); }
  void SetConnectionTimeout(int32_t s) override { real_.SetConnectionTimeout(s); }
  int32_t CommandTimeout() const override { return real_.CommandTimeout(); }
  void SetCommandTimeout(int32_t s) override { real_.SetCommandTimeout(s); }
  std::string DateLiteral(DateTime date) const override { return real_.DateLiteral(date); }
  std::string Quote(std::string_view text) const override { return real_.Quote(text); }
  std::string Describe() const override { return real_.Describe(); }

 private:
  db::Connection& real_;
};

// A session over `real` whose connection is a OneByOneConnection, for the
// steps and for the station's stock recomputation alike.
class OneByOneHost final : public RecordingSession {
 public:
  explicit OneByOneHost(host::BOSistema& real)
      : RecordingSession(real), connection(real.ObDAL().Conexao()) {}
  OneByOneConnection connection;
  db::Connection& Conexao() override { return connection; }
  std::unique_ptr<host::BORecalculoEstoque> CriarRecalculoEstoque() override;
};

// The library's steps, with 48 and 66 in their row-by-row text form.
const schema::StepTable& RowByRowSteps();

// "" when `table` holds the same rows in both databases (every column, in
// the order of all its columns), else the first difference.
std::string TableDifference(db::Connection& a, db::Connection& b, const std::string& table);

// Runs two statements for 2 500 rows through db::ExecuteEach on `c`, in a
// transaction and outside one, with a row whose second statement breaks a
// key, and expects what one Execute per statement and row leaves.
void ExpectExecuteEachActsAsExecute(db::Connection& c);

// Generates the same small history into the version-18 databases `fast`
// and `reference`, walks the first with the library's steps and the second
// with the row-by-row forms (its connection found closed once on the way),
// and expects the tables that the row-by-row steps change to be equal after
// each of them.
void ExpectFasterStepsEqualRowByRow(const std::string& fast, const std::string& reference);

}  // namespace bp::testing
