#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erros.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/recording_session.h"
#include "support/test_env.h"
#include "support/version_walk.h"

namespace bp {
namespace {

using schema::Step;
using schema::StepTable;
using schema::Tolerance;

// The frame of one turn as the host sees it: begin work, begin the
// transaction, the step's own unit of work (when a step ran), begin work
// before the version update and before the re-read, commit, end work.
std::vector<std::string> TurnFrame(std::optional<int32_t> step) {
  const std::string driver = " BPAtualizarBancoDeDados.Atualizar";
  std::vector<std::string> frame{"BeginWork" + driver, "BeginTrans" + driver};
  if (step) {
    const std::string own = driver + "Versao" + std::to_string(*step);
    frame.insert(frame.end(), {"BeginWork" + own, "EndWork" + own});
  }
  frame.insert(frame.end(), {"BeginWork" + driver, "BeginWork" + driver, "CommitTrans" + driver,
                             "EndWork" + driver});
  return frame;
}

class VersionDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = std::make_unique<station::Sessao>(station::Configuracao(env_.Path("posto.db")));
    recorder_ = std::make_shared<testing::RecordingSession>(*session_);
    driver_.SetObBOSistema(recorder_);
    driver_.SetSteps(&steps_);
  }

  db::Connection& Db() { return session_->Dal().Conexao(); }
  int32_t Version() { return station::VersaoDoBanco(Db()); }

  testing::TestEnv env_;
  std::unique_ptr<station::Sessao> session_;
  std::shared_ptr<testing::RecordingSession> recorder_;
  BPAtualizarBancoDeDados driver_;
  StepTable steps_;
};

TEST_F(VersionDriver, WalksToTheTargetRunningEachStepOnceInOrder) {
  testing::CreateParametro(Db(), 18);
  std::vector<int32_t> ran;
  for (int32_t n : {19, 21, 26}) {
    steps_.Add(Step{n, Tolerance::kNone, [&ran, n](schema::StepContext& c) {
                      ran.push_back(n);
                      EXPECT_EQ(c.Connection().ConnectionTimeout(), 600);
                      EXPECT_EQ(c.Connection().CommandTimeout(), 600);
                      c.Run(schema::CreateTable{{"T" + std::to_string(n), {{"Cd", schema::Int()}}}});
                    }});
  }
  Db().SetConnectionTimeout(0);
  driver_.SetTargetVersion(30);
  driver_.Atualizar(true);

  EXPECT_EQ(ran, (std::vector<int32_t>{19, 21, 26}));
  EXPECT_EQ(Version(), 30);
  EXPECT_EQ(Db().ConnectionTimeout(), 15);  // read 0, restored as 15
  EXPECT_EQ(Db().CommandTimeout(), 15);
  EXPECT_TRUE(env_.boxes.empty());
  // One transaction per number: 12 turns.
  EXPECT_EQ(recorder_->Calls({"CommitTrans"}).size(), 12u);
  // The frame of one turn, as the host sees it.
  const auto calls = recorder_->Calls({"BeginWork", "EndWork", "BeginTrans", "CommitTrans"});
  const std::vector<std::string> first_turn(calls.begin() + 2, calls.begin() + 10);
  EXPECT_EQ(first_turn, TurnFrame(19));
}

TEST_F(VersionDriver, StartsBelowTheStepsAndStopsAtALowerTarget) {
  std::vector<int32_t> ran;
  for (int32_t n : {2, 19, 20, 23}) {
    steps_.Add(Step{n, Tolerance::kNone, [&ran, n](schema::StepContext&) { ran.push_back(n); }});
  }
  testing::CreateParametro(Db(), -3);
  driver_.SetTargetVersion(20);
  driver_.Atualizar(false);
  // Versions 0 and below run nothing; from 1 on the step of V + 1 runs.
  EXPECT_EQ(ran, (std::vector<int32_t>{2, 19, 20}));
  EXPECT_EQ(Version(), 20);
}

TEST_F(VersionDriver, AheadOrAtTheTargetChangesNothing) {
  testing::CreateParametro(Db(), 510);
  driver_.SetTargetVersion(501);
  driver_.Atualizar(false);
  EXPECT_TRUE(env_.boxes.empty());
  driver_.Atualizar(true);
  ASSERT_EQ(env_.boxes.size(), 1u);
  EXPECT_EQ(env_.boxes[0].caption, "Atualizar versão");
  EXPECT_EQ(env_.boxes[0].icon, Icon::Exclamation);
  EXPECT_EQ(env_.boxes[0].text,
            "Existe uma nova versão do Nv4 disponível, a utilização dessa versão poderá provocar "
            "erros imprevisíveis, solicite atualização o mais breve possível.");
  EXPECT_EQ(Version(), 510);

  driver_.SetTargetVersion(510);
  recorder_->log.clear();
  driver_.Atualizar(true);
  EXPECT_EQ(env_.boxes.size(), 1u);
  EXPECT_EQ(recorder_->log, (std::vector<std::string>{
                                "BeginWork BPAtualizarBancoDeDados.Atualizar",
                                "EndWork BPAtualizarBancoDeDados.Atualizar",
                                "EndWork BPAtualizarBancoDeDados.Atualizar"}));
  EXPECT_EQ(driver_.TargetVersion(), 510);
  driver_.SetTargetVersion(std::nullopt);
  EXPECT_EQ(driver_.TargetVersion(), 501);
}

TEST_F(VersionDriver, EmptyParametroIsAnError) {
  testing::CreateParametro(Db(), std::nullopt);
  const Erro e = testing::FailureOf([&] { driver_.Atualizar(true); });
  EXPECT_EQ(e.number, -2147219872);
  EXPECT_EQ(e.description,
            "Não existe registro de controle de versão na tabela de Parametro, solicite "
            "intervenção técnica.");
  EXPECT_EQ(e.source,
            " -> BPAtualizarBancoDeDados.Atualizar,  -> BPAtualizarBancoDeDados.Atualizar");
}

TEST_F(VersionDriver, FailingStepRollsTheWholeTurnBack) {
  testing::RunFailingTurn(env_.Path("turno.db"));
}

// Another upgrader takes the database from 19 to 25 between two turns, and
// adds the column step 20 adds: the next turn runs nothing, in the usual
// frame, and the walk goes on from 25 knowing that column.
TEST_F(VersionDriver, TurnThatFindsTheVersionMovedOnDoesNothing) {
  testing::CreateParametro(Db(), 18);
  Db().Execute("CREATE TABLE Forma (Cd int)");
  std::vector<int32_t> ran;
  const auto add = [&](int32_t n, schema::Operation op) {
    steps_.Add(Step{n, Tolerance::kNone, [&ran, n, op](schema::StepContext& c) {
                      ran.push_back(n);
                      c.Run(op);
                    }});
  };
  add(19, schema::AddColumn{"Forma", {"C19", schema::Int(), schema::Nullability::kNull}});
  add(20, schema::AddColumn{"Forma", {"C20", schema::Int(), schema::Nullability::kNull}});
  add(26, schema::RetypeColumn{"Forma", {"C20", schema::VarChar(9), schema::Nullability::kNull}, {}});
  driver_.SetTurnObserver([&](int32_t version, int32_t, int32_t) {
    if (version != 19) return;
    const auto other = db::Connection::Open(env_.Path("posto.db"));
    other->Execute("ALTER TABLE Forma ADD COLUMN C20 int");
    other->Execute("UPDATE Parametro SET No_VersaoBD = 25");
  });
  driver_.SetTargetVersion(27);
  driver_.Atualizar(false);

  EXPECT_EQ(ran, (std::vector<int32_t>{19, 26}));
  EXPECT_EQ(Version(), 27);
  const auto calls = recorder_->Calls({"BeginWork", "EndWork", "BeginTrans", "CommitTrans"});
  const std::vector<std::string> moved_turn(calls.begin() + 10, calls.begin() + 16);
  EXPECT_EQ(moved_turn, TurnFrame(std::nullopt));
  const schema::Model now = schema::Introspect(Db());
  const schema::Column* c20 = schema::FindColumn(now.Get("Forma"), "C20");
  ASSERT_NE(c20, nullptr);
  EXPECT_EQ(schema::CatalogueName(c20->type), "varchar(9)");
}

// Station computers that start together upgrade the same database at once.
TEST_F(VersionDriver, TwoUpgradersAtOnceRunEachStepOnce) {
  testing::RaceTwoUpgraders(env_.Path("corrida.db"), 5);
}

TEST_F(VersionDriver, TolerantStepsSkipOnlyWhatTheyMay) {
  testing::CreateParametro(Db(), 116);
  Db().Execute("CREATE TABLE Existe (Cd int)");
  const schema::Operation duplicate = schema::CreateTable{{"Existe", {{"Cd", schema::Int()}}}};
  const schema::Operation fresh = schema::CreateTable{{"Nova", {{"Cd", schema::Int()}}}};
  steps_.Add(Step{117, Tolerance::kSkipAll, [&](schema::StepContext& c) {
                    c.Run(duplicate);
                    c.Execute("INSERT INTO Nada VALUES (1)");
                    c.Run(fresh);
                  }});
  steps_.Add(Step{118, Tolerance::kSkipUntilMarked, [&](schema::StepContext& c) {
                    c.Run(duplicate);
                    c.EndTolerance();
                    c.Run(duplicate);
                  }});
  driver_.SetTargetVersion(120);
  const Erro e = testing::FailureOf([&] { driver_.Atualizar(false); });
  EXPECT_EQ(e.number, db::kErroComando);
  EXPECT_NE(e.source.find(" -> BPAtualizarBancoDeDados.AtualizarVersao118,  -> "
                          "BPAtualizarBancoDeDados.Atualizar"),
            std::string::npos);
  EXPECT_EQ(Version(), 117);
  EXPECT_EQ(Db().Query("SELECT COUNT(*) AS n FROM Nova").Field(0).ToInt32(), 0);

  // 272: only 380 and integrity violations are skipped.
  testing::CreateParametro(Db(), 271);
  Db().Execute("CREATE TABLE U (Cd int PRIMARY KEY)");
  Db().Execute("INSERT INTO U VALUES (1)");
  steps_.Add(Step{272, Tolerance::kSkip380AndIntegrity, [](schema::StepContext& c) {
                    c.Execute("INSERT INTO U VALUES (1)");
                    c.Execute("INSERT INTO U VALUES (2)");
                    c.Execute("INSERT INTO Nada VALUES (1)");
                  }});
  driver_.SetTargetVersion(272);
  EXPECT_THROW(driver_.Atualizar(false), Erro);
  EXPECT_EQ(Version(), 271);
  EXPECT_EQ(Db().Query("SELECT COUNT(*) AS n FROM U").Field(0).ToInt32(), 1);
  // The two messages of 272 came around the step only when it succeeded.
  ASSERT_EQ(env_.boxes.size(), 1u);
  EXPECT_EQ(env_.boxes[0].text,
            "Será iniciado atualização da estrutura do banco de dados versão 272, esse processo "
            "poderá demorar alguns minutos");
}

// Changes of one table's keys, indexes and references made together leave
// what they leave one by one: one rebuild on SQLite when every row holds,
// and each refused operation skipped alone when a row refuses a reference.
TEST_F(VersionDriver, OperationsRunTogetherLeaveWhatEachLeavesAlone) {
  testing::CreateParametro(Db(), 119);
  Db().Execute("CREATE TABLE P (Cd int NOT NULL, CONSTRAINT PK_P PRIMARY KEY (Cd))");
  Db().Execute("CREATE TABLE Q (Cd int NOT NULL, CONSTRAINT PK_Q PRIMARY KEY (Cd))");
  Db().Execute("CREATE TABLE C (Cd int NOT NULL, Cd_P int, Cd_Q int)");
  Db().Execute("INSERT INTO P VALUES (1)");
  Db().Execute("INSERT INTO C VALUES (1, 1, 7)");
  const std::vector<schema::Operation> ops{
      schema::DropIndex{"C", "I_Ausente"},
      schema::AddPrimaryKey{"C", {"PK_C", {"Cd"}}},
      schema::CreateIndex{"C", {"I_C", {"Cd_P"}}},
      schema::AddForeignKey{"C", {"R_P", {"Cd_P"}, "P", {"Cd"}}},
      schema::AddForeignKey{"C", {"R_Q", {"Cd_Q"}, "Q", {"Cd"}}}};
  steps_.Add(Step{120, Tolerance::kSkipAll, [&](schema::StepContext& c) { c.RunTogether("C", ops); }});
  const auto shape = [&] {
    const schema::Table c = schema::Introspect(Db()).Get("C");
    std::string text = c.primary_key ? c.primary_key->name : "-";
    for (const auto& index : c.indexes) text += " " + index.name;
    std::set<std::string> references;  // SQLite lists them last first
    for (const auto& fk : c.foreign_keys) references.insert(fk.name);
    for (const auto& name : references) text += " " + name;
    return text + " " + testing::TablesAsText(Db(), {"C"}, "1");
  };
  driver_.SetTargetVersion(120);
  driver_.Atualizar(false);
  EXPECT_EQ(shape(), "PK_C I_C R_P 1|1|7|\n");

  // Every row holds: everything at once.
  testing::CreateParametro(Db(), 119);
  Db().Execute("DROP TABLE C");
  Db().Execute("CREATE TABLE C (Cd int NOT NULL, Cd_P int, Cd_Q int)");
  Db().Execute("INSERT INTO Q VALUES (7)");
  Db().Execute("INSERT INTO C VALUES (1, 1, 7)");
  driver_.Atualizar(false);
  EXPECT_EQ(shape(), "PK_C I_C R_P R_Q 1|1|7|\n");
}

TEST_F(VersionDriver, ClosedConnectionIsRetriedAfterOneSecond) {
  testing::CreateParametro(Db(), 47);
  int attempts = 0;
  steps_.Add(Step{48, Tolerance::kNone, [&](schema::StepContext& c) {
                    c.RetryAfterClosedConnection([&] {
                      if (++attempts == 1) RaiseRuntime(rt::kObjectClosed);
                      c.Execute("UPDATE Parametro SET No_VersaoBD = No_VersaoBD");
                    });
                  }});
  driver_.SetTargetVersion(48);
  driver_.Atualizar(false);
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(env_.sleeps, (std::vector<int32_t>{1000}));
  const auto step_work = recorder_->Calls({"BeginWork BPAtualizarBancoDeDados.AtualizarVersao48"});
  EXPECT_EQ(step_work.size(), 2u);  // the step's own and the one before the retry
  EXPECT_EQ(Version(), 48);
}

TEST_F(VersionDriver, MessagesAroundSingleSteps) {
  testing::CreateParametro(Db(), 307);
  steps_.Add(Step{308, Tolerance::kNone, [](schema::StepContext&) {}});
  driver_.SetTargetVersion(308);
  driver_.Atualizar(false);
  ASSERT_EQ(env_.boxes.size(), 2u);
  EXPECT_EQ(env_.boxes[0].caption, "Atualização do banco de dados");
  EXPECT_EQ(env_.boxes[0].icon, Icon::Information);
  EXPECT_EQ(env_.boxes[1].text,
            "Atualização da estrutura do banco de dados versão 307 realizada com sucesso!");
  const schema::StepMessages m453 = schema::MessagesFor(453);
  ASSERT_TRUE(m453.before.has_value());
  EXPECT_FALSE(m453.after.has_value());
  EXPECT_EQ(m453.before->caption, "Versão 2.1.453");
  EXPECT_EQ(m453.before->icon, Icon::Exclamation);
  EXPECT_EQ(schema::MessagesFor(245).after->text,
            "Atualização da estrutura do banco de dados realizada com sucesso!");
}

}  // namespace
}  // namespace bp
