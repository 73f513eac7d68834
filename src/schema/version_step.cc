#include "bp/schema/version_step.h"

#include <type_traits>

#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/dialect.h"
#include "bp/schema/model.h"

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
