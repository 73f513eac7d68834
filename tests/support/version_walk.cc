#include "support/version_walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <latch>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/step_walk.h"

namespace bp::testing {

void CreateParametro(db::Connection& db, std::optional<int32_t> version) {
  db.Execute("DROP TABLE IF EXISTS Parametro");
  db.Execute("CREATE TABLE Parametro (No_VersaoBD int NOT NULL)");
  if (version) db.Execute("INSERT INTO Parametro (No_VersaoBD) VALUES (" + std::to_string(*version) + ")");
}

void RunFailingTurn(const std::string& banco) {
  using namespace schema;
  station::Sessao session{station::Configuracao(banco)};
  const auto recorder = std::make_shared<RecordingSession>(session);
  StepTable steps;
  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(recorder);
  driver.SetSteps(&steps);
  db::Connection& db = session.Dal().Conexao();
  CreateParametro(db, 298);
  db.Execute("CREATE TABLE Existente (Cd_Chave int NOT NULL, Nm_Nome varchar(20))");
  db.Execute("INSERT INTO Existente (Cd_Chave, Nm_Nome) VALUES (1, 'um')");
  const Model before = Introspect(db);

  steps.Add(Step{299, Tolerance::kNone, [](StepContext& c) {
                   c.Run(CreateTable{{"Tocada", {{"Cd", Int(), Nullability::kNotNull}}}});
                   c.Run(AddColumn{"Existente", {"Vl_Novo", MoneyType(), Nullability::kNull}});
                   c.Execute("UPDATE Existente SET Nm_Nome = 'mudou'");
                   c.Execute("INSERT INTO Tocada (Cd) VALUES (7)");
                   c.Run(AddColumn{"Existente", {"Vl_Novo", MoneyType(), Nullability::kNull}});
                 }});
  driver.SetTargetVersion(300);
  try {
    driver.Atualizar(false);
    ADD_FAILURE() << "the step should have failed";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, db::kErroComando) << e.description;
    const std::string tail =
        " -> BPAtualizarBancoDeDados.AtualizarVersao299,  -> BPAtualizarBancoDeDados.Atualizar";
    EXPECT_EQ(e.source.substr(e.source.size() - std::min(e.source.size(), tail.size())), tail);
  }
  EXPECT_EQ(station::VersaoDoBanco(db), 298);
  EXPECT_EQ(Introspect(db), before) << "schema changes of the failed turn were kept";
  EXPECT_EQ(db.Query("SELECT Nm_Nome FROM Existente").Field(0).ToText(), "um");
  const auto tail = recorder->Calls({"RollbackTrans", "EndWork", "CommitTrans"});
  ASSERT_GE(tail.size(), 2u);
  EXPECT_EQ(tail[tail.size() - 2], "RollbackTrans BPAtualizarBancoDeDados.Atualizar");
  EXPECT_EQ(tail.back(), "EndWork BPAtualizarBancoDeDados.Atualizar");
  EXPECT_EQ(db.TransactionDepth(), 0);
}

namespace {

constexpr int32_t kRaceTarget = 12;

// Step N counts itself in Passos; an even step adds the column C<N> to
// Forma, an odd one re-types the column its predecessor added (on SQLite a
// table rebuild, which must work from the schema as it stands).
schema::StepTable RacingSteps() {
  using namespace schema;
  StepTable steps;
  for (int32_t n = 2; n <= kRaceTarget; ++n) {
    const std::string column = "C" + std::to_string(n % 2 == 0 ? n : n - 1);
    steps.Add(Step{n, Tolerance::kNone, [n, column](StepContext& c) {
                     c.Execute("INSERT INTO Passos (No_Passo) VALUES (" + std::to_string(n) + ")");
                     if (n % 2 == 0) {
                       c.Run(AddColumn{"Forma", {column, Int(), Nullability::kNull}});
                     } else {
                       c.Run(RetypeColumn{"Forma", {column, VarChar(10), Nullability::kNull}, {}});
                     }
                   }});
  }
  return steps;
}

void ResetRaceTables(db::Connection& db) {
  CreateParametro(db, 1);
  for (const char* table : {"Passos", "Forma"}) {
    db.Execute(std::string("DROP TABLE IF EXISTS ") + table);
  }
  db.Execute("CREATE TABLE Passos (No_Passo int NOT NULL)");
  db.Execute("CREATE TABLE Forma (Cd int NOT NULL)");
  db.Execute("INSERT INTO Forma (Cd) VALUES (1)");
}

// Runs one upgrade over its own session; returns the error it raised ("" when none).
std::string Upgrade(const std::string& banco, const schema::StepTable& steps) {
  try {
    auto session = std::make_shared<station::Sessao>(station::Configuracao(banco));
    BPAtualizarBancoDeDados driver;
    driver.SetObBOSistema(session);
    driver.SetSteps(&steps);
    driver.SetTargetVersion(kRaceTarget);
    // A short pause after each step, as a host showing progress makes, lets
    // the other upgrader in: the two then take the steps in turns.
    driver.SetTurnObserver([](int32_t, int32_t, int32_t step) {
      if (step != 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    driver.Atualizar(false);
    return {};
  } catch (const Erro& e) {
    return e.description + " [" + e.source + "]";
  }
}

}  // namespace

void RaceTwoUpgraders(const std::string& banco, int rounds) {
  const schema::StepTable steps = RacingSteps();
  std::unique_ptr<db::Connection> db = db::Connection::Open(banco);
  ResetRaceTables(*db);
  ASSERT_EQ(Upgrade(banco, steps), "");
  const schema::Model single_walk = schema::Introspect(*db);

  std::vector<std::string> once;
  for (int32_t n = 2; n <= kRaceTarget; ++n) once.push_back(std::to_string(n) + "|1");
  for (int round = 0; round < rounds; ++round) {
    ResetRaceTables(*db);
    std::string first;
    std::string second;
    std::latch start(2);
    std::thread other([&] {
      start.arrive_and_wait();
      second = Upgrade(banco, steps);
    });
    start.arrive_and_wait();
    first = Upgrade(banco, steps);
    other.join();

    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(first, "");
    EXPECT_EQ(second, "");
    EXPECT_EQ(station::VersaoDoBanco(*db), kRaceTarget);
    EXPECT_EQ(RowTexts(*db, "SELECT No_Passo, COUNT(*) FROM Passos GROUP BY No_Passo ORDER BY 1"),
              once);
    EXPECT_EQ(schema::FirstDifference(single_walk, schema::Introspect(*db)), "");
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace bp::testing
