#include <gtest/gtest.h>

#include <memory>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/erro.h"
#include "bp/schema/version_step.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/pg_cluster.h"
#include "support/recording_session.h"
#include "support/test_env.h"
#include "support/version_walk.h"

namespace bp {
namespace {

class VersionDriverPg : public testing::PgTest {
 protected:
  void SetUp() override {
    PgTest::SetUp();
    if (IsSkipped()) return;
    session_ = std::make_unique<station::Sessao>(station::Configuracao(Url()));
    recorder_ = std::make_shared<testing::RecordingSession>(*session_);
    driver_.SetObBOSistema(recorder_);
    driver_.SetSteps(&steps_);
  }
  db::Connection& Db() { return session_->Dal().Conexao(); }

  testing::TestEnv env_;
  std::unique_ptr<station::Sessao> session_;
  std::shared_ptr<testing::RecordingSession> recorder_;
  BPAtualizarBancoDeDados driver_;
  schema::StepTable steps_;
};

TEST_F(VersionDriverPg, FailingStepRollsTheWholeTurnBackSchemaIncluded) {
  testing::CreateParametro(Db(), 298);
  testing::RunFailingTurn(driver_, steps_, Db(), *recorder_);
}

TEST_F(VersionDriverPg, TwoUpgradersAtOnceRunEachStepOnce) {
  testing::RaceTwoUpgraders(Url(), 5);
}

TEST_F(VersionDriverPg, NewDatabaseStartsAtEighteen) {
  station::CriarBancoVersao18(Db(), 1);
  EXPECT_EQ(station::VersaoDoBanco(Db()), 18);
  EXPECT_THROW(station::CriarBancoVersao18(Db(), 1), Erro);
  EXPECT_EQ(station::VersaoDoBanco(Db()), 18);
}

}  // namespace
}  // namespace bp
