// The walk shared by the tests of the version steps: a version-18 station
// database (SQLite or PostgreSQL) carried by the driver over the library's
// steps, with the driver's model compared to the database's introspection
// after every step, a host whose stock recomputations can be scripted, and
// readers that turn tables and rows into comparable text.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/format.h"
#include "bp/schema/model.h"
#include "bp/schema/version_step.h"
#include "station/session/sessao.h"
#include "support/recording_session.h"
#include "support/test_env.h"

namespace bp::testing {

// What the scripted stock recomputations answer, and what they were asked.
struct StockScript {
  // Answered by the script (true) or by the station's real recomputations.
  bool scripted = false;
  struct Call {
    int32_t empresa;
    int32_t produto;
    DateTime inicio;
    friend bool operator==(const Call&, const Call&) = default;
  };
  std::vector<Call> calls;  // per product, in order
  int objects_created = 0;  // per-product recomputation objects
  // The per-product call (0-based) that finds the connection closed, once.
  std::optional<size_t> closed_at_call;

  // The general recomputation: its answer and message, and (company, start)
  // of every call.
  bool general_result = true;
  std::string general_message;
  std::vector<std::pair<int32_t, DateTime>> general_calls;
};

struct StepWalkOptions {
  std::string banco;    // SQLite path or PostgreSQL URL; empty: a file in the walk's folder
  int32_t company = 1;  // the session's company, created at version 18
};

class StepWalk {
 public:
  explicit StepWalk(StepWalkOptions options = {});
  ~StepWalk();

  db::Connection& Db();
  int32_t Version();
  // Runs the driver up to `target`.
  void To(int32_t target);
  // Runs `action` once, when a later To reaches `version` (after that turn
  // committed): one call of the driver can then write and check rows on its
  // way, keeping the model it replays from the first step to the last.
  void At(int32_t version, std::function<void(StepWalk&)> action);
  // The driver's model where the walk stands; null before the first step.
  const schema::Model* Model() const { return driver_.CurrentModel(); }
  // The database's table as introspection reads it.
  schema::Table Read(const std::string& table);
  std::vector<std::vector<Value>> Rows(const std::string& sql);
  int32_t Count(const std::string& sql);
  // The first field of the query's first row (NULL when there is none).
  Value One(const std::string& sql);
  void Exec(std::initializer_list<std::string> statements);

  TestEnv env;  // first: the session and the driver use the current Env
  StockScript stock;
  std::vector<int32_t> compared;  // the steps after which model and database agreed

 private:
  class Host;
  std::unique_ptr<station::Sessao> session_;
  std::shared_ptr<Host> host_;
  std::map<int32_t, std::function<void(StepWalk&)>> actions_;
  BPAtualizarBancoDeDados driver_;
};

// Products of `company` in product group 1 and ledger account 1 (both
// there already), each given as "code, 'name', sold at the pump".
void InsertProducts(db::Connection& db, const std::vector<std::string>& products,
                    int32_t company = 1);

// The rows of a query, each as its fields' texts joined by "|", `null` for
// NULL.
std::vector<std::string> RowTexts(db::Connection& db, const std::string& sql,
                                  const std::string& null = "-",
                                  const RegionalSettings& settings = RegionalSettings::Current());

// What follows `prefix` in the actions of the progress draws that start with
// it, a text drawn again in a row counted once.
std::vector<std::string> DrawnActions(const TestEnv& env, const std::string& prefix);

// The first column of a query as one letter per row: T (True), F (False) or
// N (null); bit columns read back as booleans on SQLite and as numbers on
// PostgreSQL.
std::string Flags(db::Connection& db, const std::string& sql);

}  // namespace bp::testing
