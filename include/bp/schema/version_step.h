// Version steps: the procedure AtualizarVersaoN that takes the database from
// version N - 1 to N, the frame every step runs in, and the table of steps
// grouped by hundreds.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/andamento.h"
#include "bp/db/connection.h"
#include "bp/env.h"
#include "bp/host/bo_sistema.h"
#include "bp/host/data_access.h"
#include "bp/schema/operations.h"

namespace bp::schema {

class Model;

// How a step treats a failing statement.
enum class Tolerance {
  kNone,               // the first failure fails the step
  kSkipAll,            // every failing statement is skipped
  kSkip380AndIntegrity,  // only 380 and 0x80040E2F are skipped
  kSkipUntilMarked,    // skipped until the step calls EndTolerance()
};

class StepContext;
using StepBody = std::function<void(StepContext&)>;

struct Step {
  int32_t number = 0;
  Tolerance tolerance = Tolerance::kNone;
  StepBody body;
};

// What a step's body works with. Every statement goes through Run or
// Execute, so the step's tolerance applies to each of them alike.
class StepContext {
 public:
  StepContext(host::BOSistema& session, Env& env, Model& model, const Step& step);

  host::BOSistema& Session() { return session_; }
  host::DataAccess& Dal() { return session_.ObDAL(); }
  db::Connection& Connection() { return session_.ObDAL().Conexao(); }
  Env& Environment() { return env_; }
  const Model& CurrentModel() const { return model_; }
  // "BPAtualizarBancoDeDados.AtualizarVersaoN", the origin of its units of work.
  const std::string& Origin() const { return origin_; }

  // Applies a schema operation to the database and to the model.
  void Run(const Operation& op);
  // Applies operations on `table` alone, leaving what Run would leave when
  // called on each in turn. On SQLite, where each change of a key or a
  // reference rebuilds the table, they are first tried as one rebuild into
  // the shape they give together; when the database refuses that (a row
  // that a reference refuses), they run one by one.
  void RunTogether(const std::string& table, const std::vector<Operation>& ops);
  // Executes statement text; returns the records affected (0 when skipped).
  int64_t Execute(std::string_view sql);
  // Opens a disconnected recordset.
  db::Recordset Query(std::string_view sql);
  // A division in statement text for this connection's database: a zero
  // divisor fails the statement on every database, as on SQL Server.
  std::string Quotient(const std::string& dividend, const std::string& divisor);

  // The progress window of a row-by-row correction: titled "Atualização do
  // banco de dados", with `text` as its step line, shown at once; update it
  // with MostrarLinha(row, count). It closes when dropped.
  std::unique_ptr<Andamento> OpenProgress(const std::string& text);

  // From here on failures fail the step (steps that tolerate failures only
  // while they re-create keys and indexes).
  void EndTolerance() { tolerant_ = false; }

  // Runs `attempt` until it gets through without error 3704 (the connection
  // object was closed): after each 3704 it pauses one second, begins work
  // again and retries. Any other failure goes up. `attempt` must resume
  // where the previous try stopped.
  void RetryAfterClosedConnection(const std::function<void()>& attempt);

 private:
  template <class F>
  auto Guarded(F&& statement) -> decltype(statement());
  bool Skips(int32_t number) const;
  bool AsOneRebuild(const std::string& table, const std::vector<Operation>& ops);

  host::BOSistema& session_;
  Env& env_;
  Model& model_;
  const Step& step_;
  std::string origin_;
  bool tolerant_;
};

// The steps, one table per hundred of the stored version: a step N runs
// when the stored version V = N - 1 lies in 1..500, looked up in the table of
// V's hundred.
class StepTable {
 public:
  void Add(Step step);
  // The step to run when the database is at `stored_version`, if any.
  const Step* Find(int32_t stored_version) const;
  size_t Size() const;

 private:
  std::map<int32_t, Step> hundreds_[5];
};

// The library's own steps.
const StepTable& LibrarySteps();

// Messages shown before and after a single step (none for most).
struct StepMessages {
  std::optional<MessageBoxRequest> before;
  std::optional<MessageBoxRequest> after;
};
StepMessages MessagesFor(int32_t step);

}  // namespace bp::schema
