// What both database connections share: the nested transaction count, the
// time-out settings, literals, and the four Execute/Query entry points, all
// funnelled into one Run that each provider implements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bp/db/connection.h"
#include "bp/erro.h"

namespace bp::db {

class ConnectionBase : public Connection {
 public:
  int64_t Execute(std::string_view sql) final { return Run(sql, {}, nullptr); }
  int64_t Execute(std::string_view sql, const std::vector<Value>& params) final {
    return Run(sql, params, nullptr);
  }
  // The same statements for many rows (bp/db/execute_each.h).
  virtual void ExecuteEach(const std::vector<std::string>& statements,
                           const std::vector<std::vector<Value>>& rows, size_t& next) = 0;
  Recordset Query(std::string_view sql) final { return Query(sql, {}); }
  Recordset Query(std::string_view sql, const std::vector<Value>& params) final;

  // Only the outermost Begin starts a real transaction and only the matching
  // Commit ends it; any Rollback ends every level.
  void BeginTrans(std::string_view name) final;
  void CommitTrans(std::string_view name) final;
  void RollbackTrans(std::string_view name) final;
  int32_t TransactionDepth() const final { return depth_; }

  void Savepoint(std::string_view name) final;
  void ReleaseSavepoint(std::string_view name) final;
  void RollbackToSavepoint(std::string_view name) final;

  int32_t ConnectionTimeout() const final { return connection_timeout_; }
  void SetConnectionTimeout(int32_t seconds) final;
  int32_t CommandTimeout() const final { return command_timeout_; }
  void SetCommandTimeout(int32_t seconds) final;

  std::string DateLiteral(DateTime date) const final;
  std::string Quote(std::string_view text) const final;

 protected:
  explicit ConnectionBase(const ConnectionOptions& options);

  // The provider's name, the source of its errors.
  virtual const char* Source() const = 0;
  // Runs a statement batch with its parameters; fills `rows` (when given)
  // with the rows of the batch's last statement that returns rows. Returns
  // the records affected by the batch's last data statement.
  virtual int64_t Run(std::string_view sql, const std::vector<Value>& params,
                      Recordset* rows) = 0;
  // Runs one internal command (transaction control, savepoints); raises the
  // provider's error when it fails.
  virtual void Exec(const char* sql) = 0;
  virtual void BeginReal() = 0;
  virtual void CommitReal() = 0;
  virtual void RollbackReal() = 0;
  // Whether the database itself still has a transaction open; after a
  // failure the count follows what the database did.
  virtual bool EngineInTransaction() const = 0;
  virtual void ApplyConnectionTimeout() {}
  virtual void ApplyCommandTimeout() {}

  // The parameters of statement `index` in `row`, where statement i takes
  // the next `marks[i]` values; raises 0x80040E14 when the row holds more or
  // fewer values than the statements mark.
  std::vector<Value> ShareOf(const std::vector<size_t>& marks, const std::vector<Value>& row,
                             size_t index) const;
  // Runs rows `next` .. `end` - 1 one command at a time, as Execute does,
  // moving `next` past each row once all its statements ran.
  void RunEachRow(const std::vector<std::string>& statements, const std::vector<size_t>& marks,
                  const std::vector<std::vector<Value>>& rows, size_t end, size_t& next);

  // Raises 3709 unless the connection is open.
  void RequireOpen() const;
  // Forgets every level (after Close, a lost connection or a reopen).
  void ResetTransactions() { depth_ = 0; }
  // After a failed statement: when the database rolled the transaction back
  // on its own, the count drops to zero and the error says so.
  void FollowEngineAfterFailure(Erro& failure);

 private:
  // Runs "<verb> <name>" inside the open transaction.
  void SavepointCommand(const char* verb, std::string_view name);

  int32_t depth_ = 0;
  int32_t connection_timeout_;
  int32_t command_timeout_;
};

}  // namespace bp::db
