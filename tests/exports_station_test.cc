// The tax and stock files of the demo station's month on SQLite, and a
// destination that cannot be written.
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_exportacao_sintegra.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/sintegra_checks.h"
#include "support/test_env.h"

namespace bp {
namespace {

TEST(ExportsStation, MonthOfTheDemoStationInTheTaxAndStockFiles) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  auto sessao = std::make_shared<station::Sessao>(
      station::Configuracao(testing::CopyDemoStation("exports_mes")));
  testing::ConferirMesDaEstacao(sessao, env);
}

TEST(ExportsStation, UnwritableDestinationGivesFalseAndChangesNothing) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  auto sessao = std::make_shared<station::Sessao>(
      station::Configuracao(testing::CopyDemoStation("exports_destino")));
  db::Connection& c = sessao->Dal().Conexao();
  BPExportacaoSintegra sintegra;
  sintegra.SetObBOSistema(sessao);
  sintegra.SetDt_Inicial(DateTime::Of(2026, 11, 1));
  sintegra.SetDt_Final(DateTime::Of(2026, 11, 30));
  sintegra.SetDs_Caminho(env.Path("sem-pasta/sintegra.txt"));
  EXPECT_FALSE(sintegra.Validar());
  EXPECT_EQ(sintegra.Nm_CampoErroCritica(), "Ds_Caminho");
  EXPECT_FALSE(sintegra.ExportaSintegra());
  ASSERT_EQ(env.boxes.size(), 2u);
  EXPECT_EQ(env.boxes[1].icon, Icon::Critical);
  EXPECT_EQ(c.Query("SELECT COUNT(*) FROM EstoqueConsolidado").Field(0).ToInt32(), 0);
  EXPECT_TRUE(c.Query("SELECT Dt_UltimaConsolidacaoEstoque FROM EmpresaUsuaria").Field(0).IsNull());
  EXPECT_EQ(env.windows_created, env.windows_closed);
}

}  // namespace
}  // namespace bp
