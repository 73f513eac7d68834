// The tax and stock files of the demo station's month on PostgreSQL.
#include <gtest/gtest.h>

#include <memory>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "station/seed/seed.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/pg_cluster.h"
#include "support/sintegra_checks.h"
#include "support/test_env.h"

namespace bp {
namespace {

class ExportsPg : public testing::PgTest {};

TEST_F(ExportsPg, MonthOfTheDemoStationInTheTaxAndStockFiles) {
  testing::TestEnv env;
  env.now = DateTime::Of(2026, 12, 5, 10, 0, 0);
  station::Configuracao config(Url());
  config.pasta_sistema = env.Folder();
  auto sessao = std::make_shared<station::Sessao>(config);
  station::CriarBancoVersao18(sessao->Dal().Conexao(), station::EstacaoDemo::kEmpresa);
  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  driver.Atualizar(false);
  station::SeedDemoStation(sessao, env.now);
  testing::ConferirMesDaEstacao(sessao, env);
}

}  // namespace
}  // namespace bp
