// The cash-movement import with PostgreSQL on either side: a point of sale's
// day from SQLite into a PostgreSQL station, and from there into a SQLite
// station, each complete and unchanged by a second import.
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_importar_movimento_caixa.h"
#include "station/import/ponto_de_venda.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/importacao.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"

namespace bp {
namespace {

namespace fs = std::filesystem;

class ImportPg : public testing::PgTest {};

void Importar(const std::shared_ptr<station::Sessao>& estacao, std::string instancia,
              std::string banco, int32_t caixa) {
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  EXPECT_EQ(classe.Importar(instancia, banco, caixa), 0);
}

TEST_F(ImportPg, FromSQLiteIntoPostgreSQLAndBackIntoSQLite) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  station::Configuracao config(Url());
  config.pasta_sistema = env.Folder();
  auto pg = std::make_shared<station::Sessao>(config);
  station::SeedDemoStation(pg, env.now);
  db::Connection& c = pg->Dal().Conexao();
  c.Execute(
      "DO $$ BEGIN CREATE ROLE sa LOGIN SUPERUSER; EXCEPTION WHEN duplicate_object "
      "THEN NULL; END $$");

  const std::string pdv = testing::CopyDemoStation("pdv_pg");
  auto origem = std::make_shared<station::Sessao>(station::Configuracao(pdv));
  const int32_t caixa = testing::CaixaDoDia(origem->Dal().Conexao());
  station::OpcoesPontoDeVenda o;
  o.caixa = caixa;
  o.agora = env.now;
  o.cupons = 12;
  station::EscreverDiaDoPontoDeVenda(*origem, o);
  const std::string contagem = testing::Contagem(origem->Dal().Conexao(), caixa);

  Importar(pg, fs::path(pdv).parent_path().string(), fs::path(pdv).filename().string(), caixa);
  EXPECT_EQ(testing::Contagem(c, caixa), contagem);
  EXPECT_EQ(testing::Incoerencia(c, caixa), "");
  const std::string antes = testing::Movimento(c);
  Importar(pg, fs::path(pdv).parent_path().string(), fs::path(pdv).filename().string(), caixa);
  EXPECT_TRUE(testing::Movimento(c) == antes) << "rows changed";

  // The PostgreSQL station is now the source of a SQLite one.
  const std::string url = Url();
  const size_t servidor = url.find('@') + 1, barra = url.rfind('/');
  station::Configuracao sqlite(testing::CopyDemoStation("estacao_de_pg"));
  sqlite.senha_banco = "qualquer";
  auto estacao = std::make_shared<station::Sessao>(sqlite);
  for (int vez = 0; vez < 2; ++vez)
    Importar(estacao, url.substr(servidor, barra - servidor), url.substr(barra + 1), caixa);
  db::Connection& s = estacao->Dal().Conexao();
  EXPECT_EQ(testing::Contagem(s, caixa), contagem);
  EXPECT_EQ(testing::Incoerencia(s, caixa), "");
}

}  // namespace
}  // namespace bp
