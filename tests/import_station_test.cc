// The cash-movement import between two demo stations on SQLite: a point of
// sale's day brought in through posto importar, twice without a change, a
// row that fails keeping what came before, a refused source losing nothing,
// and the source's password in no output or error.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_importar_movimento_caixa.h"
#include "bp/erro.h"
#include "station/import/ponto_de_venda.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/importacao.h"
#include "support/test_env.h"

namespace bp {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSenha = "S3nha-do-PDV";

struct Par {
  Par() {
    env.now = testing::DemoStationNow();
    station::Configuracao config(pdv);
    auto sessao = std::make_shared<station::Sessao>(config);
    caixa = testing::CaixaDoDia(sessao->Dal().Conexao());
    station::OpcoesPontoDeVenda o;
    o.caixa = caixa;
    o.agora = env.now;
    o.cupons = 12;
    station::EscreverDiaDoPontoDeVenda(*sessao, o);
  }
  std::shared_ptr<station::Sessao> Estacao() {
    station::Configuracao config(estacao);
    config.senha_banco = kSenha;
    return std::make_shared<station::Sessao>(config);
  }
  // posto importar; returns the exit status and everything it wrote.
  std::pair<int, std::string> Posto(const std::string& banco) {
    const std::string out = env.Path("saida.txt");
    const std::string linha = "POSTO_SENHA_ORIGEM=" + std::string(kSenha) + " " + POSTO_BINARY +
                              " importar --db " + estacao + " --instancia " +
                              fs::path(pdv).parent_path().string() + " --banco " + banco +
                              " --caixa " + std::to_string(caixa) + " >" + out + " 2>&1";
    const int rc = std::system(linha.c_str());
    return {WEXITSTATUS(rc), testing::ReadFile(out)};
  }
  testing::TestEnv env;
  std::string pdv = testing::CopyDemoStation("pdv");
  std::string estacao = testing::CopyDemoStation("estacao");
  int32_t caixa = 0;
};

TEST(ImportStation, BringsTheDayInOnceAndASecondImportChangesNothing) {
  Par p;
  const std::string banco = fs::path(p.pdv).filename().string();
  auto [rc, saida] = p.Posto(banco);
  ASSERT_EQ(rc, 0) << saida;
  EXPECT_NE(saida.find("Caixa " + std::to_string(p.caixa) + " importado."), std::string::npos);
  EXPECT_EQ(saida.find(kSenha), std::string::npos) << saida;
  auto estacao = p.Estacao();
  db::Connection& c = estacao->Dal().Conexao();
  auto origem = db::Connection::Open(p.pdv);
  EXPECT_EQ(testing::Contagem(c, p.caixa), testing::Contagem(*origem, p.caixa));
  EXPECT_EQ(testing::Contagem(c, p.caixa),
            "Abastecimento=12 CupomFiscal=12 ItemCupomFiscal=36 Recebimento=2 "
            "RecebimentoCupom=6 Cliente=3");
  EXPECT_EQ(testing::Incoerencia(c, p.caixa), "");

  const std::string antes = testing::Movimento(c);
  std::tie(rc, saida) = p.Posto(banco);
  ASSERT_EQ(rc, 0) << saida;
  EXPECT_TRUE(testing::Movimento(c) == antes) << "rows changed";

  // A source that cannot be opened: the connection error names the source,
  // never the password, and nothing changes.
  std::tie(rc, saida) = p.Posto("nao-existe.db");
  EXPECT_EQ(rc, 2);  // a library error
  EXPECT_NE(saida.find("nao-existe.db"), std::string::npos) << saida;
  EXPECT_EQ(saida.find(kSenha), std::string::npos) << saida;
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  std::string servidor = "127.0.0.1:1", nome = "pdv";
  int32_t caixa = p.caixa;
  try {
    classe.Importar(servidor, nome, caixa);
    ADD_FAILURE() << "no error";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, rt::kConnectionUnusable);
    EXPECT_NE(e.description.find("127.0.0.1:1"), std::string::npos) << e.description;
    EXPECT_EQ((e.description + e.source).find(kSenha), std::string::npos) << e.description;
  }
  EXPECT_TRUE(testing::Movimento(c) == antes) << "rows changed";
}

TEST(ImportStation, AColumnTheRecordLacksStopsAtTheCouponsKeepingTheKindsBefore) {
  Par p;
  db::Connection::Open(p.pdv)->Execute("ALTER TABLE CupomFiscal ADD COLUMN Nm_Extra varchar(10)");
  auto estacao = p.Estacao();
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  std::string pasta = fs::path(p.pdv).parent_path().string();
  std::string banco = fs::path(p.pdv).filename().string();
  try {
    classe.Importar(pasta, banco, p.caixa);
    ADD_FAILURE() << "no error";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, rt::kMemberNotSupported);
    EXPECT_NE(e.description.find("Nm_Extra"), std::string::npos) << e.description;
    EXPECT_NE(e.source.find(" -> BPImportarMovimentoCaixa.ImportarCupomFiscal -> "
                            "BPImportarMovimentoCaixa.Importar, "),
              std::string::npos)
        << e.source;
  }
  EXPECT_EQ(testing::Contagem(estacao->Dal().Conexao(), p.caixa),
            "Abastecimento=12 CupomFiscal=0 ItemCupomFiscal=0 Recebimento=0 "
            "RecebimentoCupom=0 Cliente=3");
}

}  // namespace
}  // namespace bp
