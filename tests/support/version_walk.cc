#include "support/version_walk.h"

#include <gtest/gtest.h>

#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"

namespace bp::testing {

void CreateParametro(db::Connection& db, std::optional<int32_t> version) {
  try {
    db.Execute("DROP TABLE Parametro");
  } catch (const Erro&) {
  }
  db.Execute("CREATE TABLE Parametro (No_VersaoBD int NOT NULL)");
  if (version) db.Execute("INSERT INTO Parametro (No_VersaoBD) VALUES (" + std::to_string(*version) + ")");
}

int32_t StoredVersion(db::Connection& db) {
  return db.Query("SELECT No_VersaoBD FROM Parametro").Field("No_VersaoBD").ToInt32();
}

void RunFailingTurn(BPAtualizarBancoDeDados& driver, schema::StepTable& steps,
                    db::Connection& db, RecordingSession& recorder) {
  using namespace schema;
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
  recorder.log.clear();
  try {
    driver.Atualizar(false);
    ADD_FAILURE() << "the step should have failed";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, db::kErroComando) << e.description;
    const std::string tail =
        " -> BPAtualizarBancoDeDados.AtualizarVersao299,  -> BPAtualizarBancoDeDados.Atualizar";
    EXPECT_EQ(e.source.substr(e.source.size() - std::min(e.source.size(), tail.size())), tail);
  }
  EXPECT_EQ(StoredVersion(db), 298);
  EXPECT_EQ(Introspect(db), before) << "schema changes of the failed turn were kept";
  EXPECT_EQ(db.Query("SELECT Nm_Nome FROM Existente").Field(0).ToText(), "um");
  const auto tail = recorder.Calls({"RollbackTrans", "EndWork", "CommitTrans"});
  ASSERT_GE(tail.size(), 2u);
  EXPECT_EQ(tail[tail.size() - 2], "RollbackTrans BPAtualizarBancoDeDados.Atualizar");
  EXPECT_EQ(tail.back(), "EndWork BPAtualizarBancoDeDados.Atualizar");
  EXPECT_EQ(db.TransactionDepth(), 0);
}

}  // namespace bp::testing
