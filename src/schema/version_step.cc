#include "bp/schema/version_step.h"

#include <type_traits>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/dialect.h"
#include "bp/schema/model.h"
#include "bp/schema/sqlite_rebuild.h"

namespace bp::schema {

namespace {
constexpr const char* kClasse = "BPAtualizarBancoDeDados";
}

StepContext::StepContext(host::BOSistema& session, Env& env, Model& model, const Step& step)
    : session_(session),
      env_(env),
      model_(model),
      step_(step),
      origin_(std::string(kClasse) + ".AtualizarVersao" + std::to_string(step.number)),
      tolerant_(step.tolerance != Tolerance::kNone) {}

bool StepContext::Skips(int32_t number) const {
  if (!tolerant_) return false;
  switch (step_.tolerance) {
    case Tolerance::kNone: return false;
    case Tolerance::kSkipAll:
    case Tolerance::kSkipUntilMarked: return true;
    case Tolerance::kSkip380AndIntegrity:
      return number == rt::kInvalidPropertyValue || number == db::kErroIntegridade;
  }
  return false;
}

// A failed statement is undone alone by the connection (each command runs
// under its own savepoint inside a transaction), so skipping one only means
// clearing its error.
template <class F>
auto StepContext::Guarded(F&& statement) -> decltype(statement()) {
  using R = decltype(statement());
  try {
    return statement();
  } catch (...) {
    const Erro e = ToErro(std::current_exception());
    if (!Skips(e.number)) throw;
    if constexpr (!std::is_void_v<R>) return R{};
  }
}

void StepContext::Run(const Operation& op) {
  Guarded([&] { Apply(Connection(), model_, op); });
}

void StepContext::RunTogether(const std::string& table, const std::vector<Operation>& ops) {
  if (Connection().Kind() == db::DialectKind::kSQLite && AsOneRebuild(table, ops)) return;
  for (const Operation& op : ops) Run(op);
}

// An operation the model refuses is skipped where the step tolerates it, as
// Run skips it, before anything reaches the database; the rebuild then
// checks every reference of the table against its rows (a new reference is
// checked when it is added one by one). One batch: when any statement
// fails, its savepoint undoes all of them.
bool StepContext::AsOneRebuild(const std::string& table, const std::vector<Operation>& ops) {
  Model after = model_;
  for (const Operation& op : ops) {
    try {
      after.Apply(op);
    } catch (...) {
      if (!Skips(ToErro(std::current_exception()).number)) return false;
    }
  }
  std::vector<std::string> statements =
      RebuildTable(SQLiteDialect(), model_.Get(table), after.Get(table));
  statements.push_back(
      "CREATE TABLE temp.bp_together_check (violations INT CHECK (violations = 0))");
  statements.push_back(
      fmt::format("INSERT INTO temp.bp_together_check SELECT count(*) FROM "
                  "pragma_foreign_key_check('{}')",
                  table));
  statements.push_back("DROP TABLE temp.bp_together_check");
  try {
    Connection().Execute(fmt::format("{}", fmt::join(statements, ";\n")));
  } catch (...) {
    return false;
  }
  model_ = std::move(after);
  return true;
}

int64_t StepContext::Execute(std::string_view sql) {
  return Guarded([&] { return Connection().Execute(sql); });
}

db::Recordset StepContext::Query(std::string_view sql) {
  return Guarded([&] { return Connection().Query(sql); });
}

std::string StepContext::Quotient(const std::string& dividend, const std::string& divisor) {
  return DialectFor(Connection().Kind()).Quotient(dividend, divisor);
}

std::unique_ptr<Andamento> StepContext::OpenProgress(const std::string& text) {
  auto window = std::make_unique<Andamento>(env_);
  window->SetCaption("Atualização do banco de dados");
  window->SetAcao(text);
  window->Show();
  return window;
}

void StepContext::RetryAfterClosedConnection(const std::function<void()>& attempt) {
  for (;;) {
    try {
      attempt();
      return;
    } catch (...) {
      const Erro e = ToErro(std::current_exception());
      if (e.number != rt::kObjectClosed) throw;
      env_.Sleep(1000);
      bool marker = false;
      session_.BeginWork(origin_, marker);
    }
  }
}

void StepTable::Add(Step step) {
  const int32_t stored = step.number - 1;
  if (stored < 1 || stored > 500) RaiseRuntime(rt::kSubscriptOutOfRange, std::to_string(step.number));
  const int32_t number = step.number;
  hundreds_[(stored - 1) / 100][number] = std::move(step);
}

const Step* StepTable::Find(int32_t stored_version) const {
  if (stored_version < 1 || stored_version > 500) return nullptr;
  const auto& table = hundreds_[(stored_version - 1) / 100];
  const auto it = table.find(stored_version + 1);
  return it == table.end() ? nullptr : &it->second;
}

size_t StepTable::Size() const {
  size_t n = 0;
  for (const auto& t : hundreds_) n += t.size();
  return n;
}

}  // namespace bp::schema
