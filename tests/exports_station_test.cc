// The tax and stock files of the demo station's month on SQLite, a
// destination that cannot be written, and posto sintegra, gam, exportar
// produtos | estoque and estoque consolidar as a new user would try them.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_exportacao_sintegra.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/posto.h"
#include "support/sintegra_checks.h"

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

struct Posto {
  // Runs posto with the demo database, no terminal, and returns its status.
  int operator()(const std::string& args) {
    const testing::Saida s = testing::Posto(env, args + " --db " + db + " </dev/null");
    saida = s.texto;
    return s.rc;
  }
  testing::TestEnv env;
  std::string db = testing::CopyDemoStation("posto_sintegra");
  std::string saida;
};

TEST(PostoSintegra, WritesTheMonthsFilesAndKeepsAFileOfTheUsersWithoutYes) {
  Posto posto;
  const std::string mes = " --de 2026-11-01 --ate 2026-11-30 --now 2026-12-05T10:00";
  const std::string arquivo = posto.env.Path("sintegra.txt");
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("gravado: " + arquivo), std::string::npos) << posto.saida;
  const std::string escrito = testing::ReadFile(arquivo);
  EXPECT_GT(testing::Registros(arquivo).size(), 1000u);

  // The user's file now: kept without a Yes, replaced with --sim.
  EXPECT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao"), 1);
  EXPECT_NE(posto.saida.find("[Sobrescrever arquivo]"), std::string::npos) << posto.saida;
  EXPECT_EQ(testing::ReadFile(arquivo), escrito);
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao --sim"), 0);
  EXPECT_EQ(testing::ReadFile(arquivo).substr(123, 3), "332");

  // Two months: refused by Validar, the destination not left behind.
  const std::string outro = posto.env.Path("dois-meses.txt");
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-12-02 --arquivo " + outro), 1);
  EXPECT_NE(posto.saida.find("mês a mês"), std::string::npos) << posto.saida;
  EXPECT_FALSE(std::filesystem::exists(outro));
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-11-30 --bogus"), 2);

  ASSERT_EQ(posto("estoque consolidar --data 2026-11-30"), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("Estoque consolidado em 30/11/2026"), std::string::npos);
  ASSERT_EQ(posto("exportar produtos --arquivo " + posto.env.Path("p.txt")), 0) << posto.saida;
  EXPECT_EQ(testing::ReadFile(posto.env.Path("p.txt")).substr(0, 16), "P145997418000153");
  ASSERT_EQ(posto("exportar estoque --data 2026-11-30 --arquivo " + posto.env.Path("e.txt")), 0);
  EXPECT_EQ(testing::Registros(posto.env.Path("e.txt")).size(), 14u);
}

}  // namespace
}  // namespace bp
