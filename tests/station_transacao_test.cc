// Every station save that writes more than one row is one unit: a failure
// injected by a trigger into its last write leaves none of its rows, whether
// it runs on its own or inside a caller's transaction (whose own work then
// survives and commits).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/forecourt/objetos_pista.h"
#include "station/fiscal/reducao_z.h"
#include "station/forecourt/regras_pista.h"
#include "station/seed/seed.h"
#include "station/forecourt/senha.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/test_env.h"

namespace {

using bp::Money;
using bp::Value;
using D = station::EstacaoDemo;

struct Gravacao {
  const char* nome;
  const char* tabela_da_falha;  // the table of the save's last write
  const char* evento;           // UPDATE or DELETE
  std::vector<const char*> tabelas;
  std::function<void(station::Sessao&)> gravar;
};

// Every row of `tabela`, as text, in a stable order.
std::string Conteudo(bp::db::Connection& c, const std::string& tabela) {
  return bp::testing::TablesAsText(c, {tabela}, "1, 2, 3");
}

std::vector<Gravacao> Gravacoes() {
  return {
      {"GravarResponsabilidade", "Veiculo", "UPDATE", {"Abastecimento", "Bomba", "Veiculo"},
       [](station::Sessao& s) {
         const int32_t caixa =
             station::CarregarCaixa(s.Dal().Conexao(), D::kEmpresa, D::kFuncionarioComDesconto)
                 .cd_caixa;
         station::BOAbastecimento a;
         a.SetObBOSistema(std::shared_ptr<station::Sessao>(&s, [](station::Sessao*) {}));
         a.GravarResponsabilidade(2, caixa, D::kPlacaCredito, "",
                                  bp::TipoPagamentoEnum::PagamentoCredito,
                                  bp::host::TipoVencimentoEnum::TipoVencimentoAPrazo, true,
                                  Money::FromDouble(80), Money(), D::kHodometroCredito + 100);
       }},
      {"GravarSenhaDoFuncionario", "Funcionario", "UPDATE", {"Usuario", "Funcionario"},
       [](station::Sessao& s) {
         station::GravarSenhaDoFuncionario(s.Dal().Conexao(), D::kEmpresa,
                                           D::kFuncionarioSemDesconto, "9999");
       }},
      {"BOReducaoZ.Gravar", "ECF", "UPDATE", {"ReducaoZ", "ECF"},
       [](station::Sessao& s) {
         station::ReducaoZ z(s);
         z.CarregarUltimaReducaoZ(D::kEmpresa, 1);
         bp::host::DadosReducaoZ d = z.Dados();
         d.Dt_Movimento = d.Dt_Movimento.AddDays(1);
         z.SetDados(d);
         z.Gravar();
       }},
      {"BOCupomFiscal.Excluir", "CupomFiscal", "DELETE", {"ItemCupomFiscal", "CupomFiscal"},
       [](station::Sessao& s) {
         const bp::db::Recordset rs = s.Dal().Conexao().Query(
             "SELECT No_Impressora, No_CupomFiscal, Dt_Emissao FROM ItemCupomFiscal "
             "ORDER BY Dt_Emissao LIMIT 1");
         station::CupomFiscal cupom(s);
         cupom.Registro().Cd_PessoaUsuaria = D::kEmpresa;
         cupom.Registro().No_Impressora = static_cast<uint8_t>(rs.Field(0).ToInt32());
         cupom.Registro().No_CupomFiscal = rs.Field(1).ToInt32();
         cupom.Registro().Dt_Emissao = rs.Field(2).ToDate();
         cupom.Excluir();
       }},
      {"ConsolidarEstoque", "EmpresaUsuaria", "UPDATE", {"EstoqueConsolidado", "EmpresaUsuaria"},
       [](station::Sessao& s) {
         s.EmpresaUsuaria().ConsolidarEstoqueAte(bp::testing::DemoStationNow(), nullptr);
       }},
  };
}

class StationTransacaoTest : public ::testing::TestWithParam<bool> {};

TEST_P(StationTransacaoTest, AFailureInTheLastWriteLeavesNothingOfTheSave) {
  const bool aninhada = GetParam();
  bp::testing::TestEnv env;
  env.now = bp::testing::DemoStationNow();
  for (const Gravacao& g : Gravacoes()) {
    SCOPED_TRACE(g.nome);
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(bp::testing::CopyDemoStation(
        std::string("transacao_") + g.nome + (aninhada ? "_aninhada" : ""))));
    bp::db::Connection& c = sessao->Dal().Conexao();
    std::vector<std::string> antes;
    for (const char* t : g.tabelas) antes.push_back(Conteudo(c, t));

    // Without the failure the save changes its tables, so the check below
    // would notice rows left behind.
    c.BeginTrans("Ensaio");
    g.gravar(*sessao);
    bool mudou = false;
    for (size_t i = 0; i < g.tabelas.size(); ++i) mudou |= Conteudo(c, g.tabelas[i]) != antes[i];
    c.RollbackTrans("Ensaio");
    ASSERT_TRUE(mudou);

    c.Execute(std::string("CREATE TRIGGER Falha BEFORE ") + g.evento + " ON " + g.tabela_da_falha +
              " BEGIN SELECT RAISE(ABORT, 'falha injetada'); END");
    if (aninhada) {
      c.BeginTrans("Chamador");
      c.Execute("UPDATE Parametro SET No_VersaoBD = No_VersaoBD + 1000");
    }
    bool falhou = false;
    try {
      g.gravar(*sessao);
    } catch (const bp::Erro& e) {
      falhou = e.description.find("falha injetada") != std::string::npos;
    }
    EXPECT_TRUE(falhou);
    if (aninhada) {
      // The caller's transaction is still there and its own work commits.
      ASSERT_EQ(c.TransactionDepth(), 1);
      c.CommitTrans("Chamador");
      EXPECT_GT(c.Query("SELECT No_VersaoBD FROM Parametro").Field(0).ToInt32(), 1000);
    }
    EXPECT_EQ(c.TransactionDepth(), 0);
    for (size_t i = 0; i < g.tabelas.size(); ++i) {
      EXPECT_TRUE(Conteudo(c, g.tabelas[i]) == antes[i]) << g.tabelas[i] << " changed";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SozinhaEAninhada, StationTransacaoTest, ::testing::Bool());

}  // namespace
