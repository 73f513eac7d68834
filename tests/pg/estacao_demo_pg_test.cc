// The demo station on PostgreSQL: the station's SQL on the server's types
// (bits as smallint, money as numeric, dates), and releases from two PCs at
// once.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bp/bp_abrir_dia.h"
#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/bp_importar_movimento_caixa.h"
#include "bp/bp_liberar_bico.h"
#include "bp/ead.h"
#include "bp/erro.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf.h"
#include "station/fiscal/ecf_emulador.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/forecourt/regras_pista.h"
#include "station/forecourt/terminais_mt.h"
#include "station/import/ponto_de_venda.h"
#include "station/seed/seed.h"
#include "station/seed/seed_fiscal.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/importacao.h"
#include "support/pg_cluster.h"
#include "support/posto.h"
#include "support/sintegra_checks.h"
#include "support/test_keys.h"

namespace bp {
namespace {

namespace fs = std::filesystem;
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
  // The two releases (credit, cheque), the vehicle's odometer, no password
  // left in clear.
  EXPECT_EQ(testing::Texto(c, "SELECT No_Liberacao, COALESCE(Cd_Veiculo, '-'), No_TipoPagamento "
                              "FROM LogLiberacaoBico ORDER BY No_Liberacao"),
            "1|ABC1234|1|\n2|-|2|\n");
  EXPECT_EQ(testing::Escalar(c, "SELECT No_KmAtual FROM Veiculo WHERE Cd_Veiculo = 'ABC1234'")
                .ToInt32(),
            46000);
  EXPECT_EQ(
      testing::Escalar(c, "SELECT COUNT(*) FROM Funcionario WHERE Nm_Senha IS NOT NULL").ToInt32(),
      0);
}

// Several station PCs release nozzles at the same moment: each recording
// numbers its fuelling and its log entry with the company's next number, and
// none is lost to a number another PC took first.
TEST_F(EstacaoDemoPg, ReleasesFromSeveralPcsAtOnceAreAllRecorded) {
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
  constexpr int kPcs = 4;
  constexpr int kPorPc = 25;
  std::atomic<int> gravados{0};
  std::vector<std::thread> pcs;
  for (int pc = 0; pc < kPcs; ++pc) {
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
  EXPECT_EQ(gravados.load(), kPcs * kPorPc);
  EXPECT_EQ(contar("Abastecimento"), abastecimentos + kPcs * kPorPc);
  EXPECT_EQ(contar("LogLiberacaoBico"), liberacoes + kPcs * kPorPc);
}

std::string Tabelas(db::Connection& c) {
  return testing::TablesAsText(c, {"ContaAReceber", "CupomFiscal", "NotaSaida", "ItemNotaSaida"});
}

TEST_F(EstacaoDemoPg, BillsTheDemoCustomersAndAFailedRunLeavesNothing) {
  testing::TestEnv env;
  auto sessao = testing::SeedDemoStationAt(Url(), env);
  db::Connection& c = sessao->Dal().Conexao();

  auto posto = [&](const std::string& args) {
    return testing::Posto(env, args + " --db '" + Url() + "' --now 2026-12-05T10:00");
  };
  const std::string fatura =
      "faturar --ate 2026-12-05 --vencimento 2027-01-05 --valor 200 --cliente ";

  // The invoice's last write fails: nothing of the run stays.
  c.Execute(
      "CREATE FUNCTION falha() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
      "'falha injetada'; END $$ LANGUAGE plpgsql");
  c.Execute(
      "CREATE TRIGGER falha BEFORE INSERT ON ItemNotaSaida FOR EACH ROW EXECUTE FUNCTION "
      "falha()");
  const std::string antes = Tabelas(c);
  auto r = posto(fatura + "116");
  EXPECT_EQ(r.rc, 2) << r.texto;
  EXPECT_NE(r.texto.find("falha injetada"), std::string::npos) << r.texto;
  EXPECT_EQ(Tabelas(c), antes);
  c.Execute("DROP TRIGGER falha ON ItemNotaSaida");

  r = posto(fatura + "116");
  ASSERT_EQ(r.rc, 0) << r.texto;
  EXPECT_NE(r.texto.find("Nota fiscal "), std::string::npos) << r.texto;
  r = posto(fatura + std::to_string(D::kClienteCredito));
  ASSERT_EQ(r.rc, 0) << r.texto;
  const int conta = std::stoi(r.texto.substr(r.texto.find("Conta a receber ") + 16));
  const db::Recordset rs = c.Query(
      "SELECT r.Vl_Debito, (SELECT SUM(Vl_TotalLiquido) FROM CupomFiscal k WHERE "
      "k.Cd_ContaAReceber = r.Cd_ContaAReceber), (SELECT COUNT(DISTINCT Dt_Emissao) FROM "
      "CupomFiscal k WHERE k.Cd_ContaAReceber = r.Cd_ContaAReceber) FROM ContaAReceber r "
      "WHERE r.Cd_ContaAReceber = ?",
      {Value(conta)});
  EXPECT_EQ(rs.Field(0).ToMoney(), rs.Field(1).ToMoney());
  EXPECT_GE(rs.Field(2).ToInt32(), 5);
  r = posto(fatura + std::to_string(D::kClienteCredito));
  EXPECT_EQ(r.rc, 2);
  EXPECT_NE(r.texto.find("0x80040660"), std::string::npos) << r.texto;
}

TEST_F(EstacaoDemoPg, ClosingAndOpeningTheDemoStationsDay) {
  testing::TestEnv env;
  const DateTime hoje = DateTime::Of(2026, 12, 5);
  station::Configuracao config(Url());
  config.pasta_sistema = env.Folder();
  auto sessao = std::make_shared<station::Sessao>(config);
  station::SeedDemoStation(sessao, hoje.AddSeconds(18 * 3600));
  host::BOSistemaRef ref = sessao;

  station::ImpressoraFiscal impressora(*sessao, station::PastaDoEmulador(config));
  station::Ecf ecf(*sessao);
  ecf.Registro().Cd_PessoaUsuaria = 1;
  ecf.Registro().No_Impressora = 1;
  ecf.Carregar();
  station::CupomFiscal cupom(*sessao);
  cupom.Registro().Cd_PessoaUsuaria = 1;
  BPAbrirDia dia;
  dia.SetObBOSistema(ref);
  std::string mensagem;

  env.now = hoje.AddSeconds(23 * 3600);
  EXPECT_EQ(dia.FecharDia(ref, nullptr, &ecf, &impressora, &cupom, nullptr, mensagem), hoje);
  EXPECT_TRUE(dia.FalhasDoFechamento().empty());
  env.now = hoje.AddDays(1).AddSeconds(7 * 3600);
  Tp_EdicaoEnum edicao = Tp_EdicaoEnum::Tp_EdicaoOmitido;
  dia.AbrirDia(ref, nullptr, &ecf, &impressora, &cupom, nullptr, mensagem, edicao);

  db::Connection& c = sessao->Dal().Conexao();
  EXPECT_EQ(testing::Texto(c,
                           "SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ? UNION ALL "
                           "SELECT COUNT(*) FROM CupomFiscal WHERE Dt_Emissao = ?",
                           {Value(hoje), Value(hoje)}),
            "1|\n" + std::to_string(station::FiscalDemo::kCuponsDeHoje - 1) + "|\n");
  EXPECT_EQ(dia.CuponsExcluidos().size(), 1u);
  EXPECT_EQ(VerifyEAD(dia.ArquivoGerado(), testing::TestModulus()).status, EadStatus::kOk);
}

TEST_F(EstacaoDemoPg, MonthOfTheDemoStationInTheTaxAndStockFiles) {
  testing::TestEnv env;
  testing::ConferirMesDaEstacao(testing::SeedDemoStationAt(Url(), env), env);
}

void Importar(const std::shared_ptr<station::Sessao>& estacao, std::string instancia,
              std::string banco, int32_t caixa) {
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  EXPECT_EQ(classe.Importar(instancia, banco, caixa), 0);
}

TEST_F(EstacaoDemoPg, ImportsFromSQLiteIntoPostgreSQLAndBackIntoSQLite) {
  testing::TestEnv env;
  auto pg = testing::SeedDemoStationAt(Url(), env);
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
