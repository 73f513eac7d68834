// The demo station and a release dialogue on PostgreSQL: the station's
// forecourt SQL on the server's types (bits, money, dates), on a database
// that the seed has to build again.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bp/bp_liberar_bico.h"
#include "bp/erro.h"
#include "station/forecourt/regras_pista.h"

#include "bp/bp_atualizar_banco_de_dados.h"
#include "station/session/banco_inicial.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "station/forecourt/terminais_mt.h"
#include "support/estacao_demo.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"

namespace bp {
namespace {

using D = station::EstacaoDemo;

class EstacaoDemoPg : public testing::PgTest {};

TEST_F(EstacaoDemoPg, SeedAnUpgradedEmptyDatabaseThenReleaseACreditAndAChequeSale) {
  testing::TestEnv env;
  env.now = DateTime::Of(2026, 12, 5, 10, 0, 0);
  station::Configuracao config(Url());
  config.pasta_sistema = env.Folder();  // the emulated printer's folder goes below it
  auto sessao = std::make_shared<station::Sessao>(config);
  // Created and upgraded with nothing in it: the seed drops its tables and
  // builds it again from version 18.
  station::CriarBancoVersao18(sessao->Dal().Conexao(), D::kEmpresa);
  BPAtualizarBancoDeDados driver;
  driver.SetObBOSistema(sessao);
  driver.Atualizar(false);
  station::SeedDemoStation(sessao, env.now);

  station::TerminaisMT terminais(sessao);
  auto dialogo = [&](const std::vector<std::string>& respostas) {
    terminais.Consultar(1);
    terminais.Consultar(1);
    for (const std::string& r : respostas) {
      for (char ch : r + "\r") terminais.Tecla(1, ch);
    }
    return terminais.Estado(1).linha2;
  };
  EXPECT_EQ(dialogo({"1", "1234", "1", "ABC1234", "45000", "1", "", ""}),
            "Hodometro menor que o ultimo");
  terminais.Tecla(1, '\r');
  EXPECT_EQ(dialogo({"1", "1234", "1", "ABC1234", "46000", "1", "", ""}), "Venda a prazo liberada");
  terminais.Tecla(1, '\r');
  EXPECT_EQ(dialogo({"1", "1234", "2", D::kCmc7Bom, "11222333000181", "", "2", "3000"}),
            "Cheque aprovado");
  terminais.Tecla(1, '\r');

  db::Connection& c = sessao->Dal().Conexao();
  const db::Recordset log =
      c.Query("SELECT No_Liberacao, Cd_Veiculo, No_TipoPagamento FROM LogLiberacaoBico "
              "ORDER BY No_Liberacao");
  ASSERT_EQ(log.RecordCount(), 2);
  EXPECT_EQ(log.Rows()[0][1].ToText(), "ABC1234");
  EXPECT_EQ(log.Rows()[1][2].ToInt32(), 2);
  EXPECT_EQ(c.Query("SELECT No_KmAtual FROM Veiculo WHERE Cd_Veiculo = 'ABC1234'").Field(0).ToInt32(),
            46000);
  EXPECT_EQ(c.Query("SELECT COUNT(*) FROM Funcionario WHERE Nm_Senha IS NOT NULL").Field(0).ToInt32(),
            0);
}

// Several station PCs release nozzles at the same moment: each recording
// numbers its fuelling and its log entry with the company's next number, and
// none is lost to a number another PC took first.
TEST_F(EstacaoDemoPg, ReleasesFromTwoPcsAtOnceAreAllRecorded) {
  testing::TestEnv env;
  auto sessao = testing::SeedDemoStationAt(Url(), env);
  db::Connection& c = sessao->Dal().Conexao();
  const auto contar = [&](const char* tabela) {
    return c.Query(std::string("SELECT COUNT(*) FROM ") + tabela).Field(0).ToInt32();
  };
  const int32_t abastecimentos = contar("Abastecimento");
  const int32_t liberacoes = contar("LogLiberacaoBico");
  const int32_t caixa =
      station::CarregarCaixa(c, D::kEmpresa, D::kFuncionarioComDesconto).cd_caixa;

  station::Configuracao config(Url());  // each PC its own session
  config.pasta_sistema = env.Folder();
  constexpr int kPorPc = 15;
  std::atomic<int> gravados{0};
  std::vector<std::thread> pcs;
  for (int pc = 0; pc < 2; ++pc) {
    pcs.emplace_back([&, pc] {
      auto propria = std::make_shared<station::Sessao>(config);
      BPLiberarBico regras;
      regras.SetObBOSistema(propria);
      for (int i = 0; i < kPorPc; ++i) {
        std::string resultado;
        try {
          if (regras.GravarResponsabilidade(
                  caixa, static_cast<uint8_t>(1 + pc), D::kFuncionarioComDesconto,
                  D::kSenhaComDesconto, "", "", TipoPagamentoEnum::PagamentoDinheiro,
                  host::TipoVencimentoEnum::TipoVencimentoAVista, true, Money::FromInt(20),
                  Money(), 0, resultado, host::TipoHardwareEnum::TipoHardwareMicroTerminal)) {
            ++gravados;
          }
        } catch (const Erro& e) {
          ADD_FAILURE() << e.description;
        }
      }
    });
  }
  for (std::thread& t : pcs) t.join();
  EXPECT_EQ(gravados.load(), 2 * kPorPc);
  EXPECT_EQ(contar("Abastecimento"), abastecimentos + 2 * kPorPc);
  EXPECT_EQ(contar("LogLiberacaoBico"), liberacoes + 2 * kPorPc);
}

}  // namespace
}  // namespace bp
