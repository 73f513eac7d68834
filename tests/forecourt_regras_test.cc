// The release rules: which check runs, the cheque consultation with its
// retries, and the recording with its release log.
#include <gtest/gtest.h>

#include "bp/bp_liberar_bico.h"
#include "bp/registry.h"
#include "support/db_checks.h"
#include "support/forecourt_fakes.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

using Strings = std::vector<std::string>;
using TP = TipoPagamentoEnum;

struct MtRegras : ::testing::Test {
  TestEnv env;
  std::shared_ptr<FakeSessaoForecourt> sessao = std::make_shared<FakeSessaoForecourt>();
  std::unique_ptr<BPLiberarBico> regras = CreateObject<BPLiberarBico>("BP.BPLiberarBico");

  MtRegras() {
    regras->setBOSistema(sessao);
    sessao->log.clear();
  }

  bool Verificar(TP tipo, std::string& resultado, const std::string& cmc7 = "",
                 const std::string& documento = "", Money valor = Money::FromInt(50)) {
    return regras->BicoPodeSerLiberado(12, "1234", tipo, "ABC1234", cmc7, documento,
                                       DateTime::Of(2026, 12, 20), 3, true, valor, 900, resultado);
  }
  Strings Cheque() const { return sessao->Calls({"Cheque.", "Abastecimento.Din"}); }
};

TEST_F(MtRegras, SessionReachesTheFiveHelpersTwice) {
  regras->setBOSistema(sessao);
  EXPECT_EQ(sessao->Calls({"Funcionario.Set", "Bomba.Set", "Abastecimento.Set", "Caixa.Set",
                           "Cheque.Set"})
                .size(),
            10u);
}

TEST_F(MtRegras, CheckByMeansOfPaymentAfterLoadingTheCashRegister) {
  for (TP tipo : {TP::PagamentoIndefinido, static_cast<TP>(5)}) {
    sessao->log.clear();
    std::string resultado = "como veio";
    EXPECT_FALSE(Verificar(tipo, resultado));
    EXPECT_EQ(resultado, "como veio");
    EXPECT_EQ(sessao->log, (Strings{"BeginWork BPLiberarBico.BicoPodeSerLiberado",
                                    "Caixa.Carregar 1 12",
                                    "EndWork BPLiberarBico.BicoPodeSerLiberado"}));
  }
  sessao->roteiro.dinheiro_ou_cartao = false;
  sessao->roteiro.ds_resultado = "Bico bloqueado";
  for (TP tipo : {TP::PagamentoDinheiro, TP::PagamentoCartao}) {
    std::string resultado;
    EXPECT_FALSE(Verificar(tipo, resultado));
    EXPECT_EQ(resultado, "Bico bloqueado");
  }
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCredito, resultado));
  EXPECT_EQ(sessao->Calls({"Abastecimento.Din", "Abastecimento.Cred"}),
            (Strings{"Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900",
                     "Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900",
                     "Abastecimento.Credito 1 3 12 1234 77 'ABC1234' 50 900"}));
}

TEST_F(MtRegras, ChequeDocumentFormattingAndValue) {
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "  ", "12345678901"));
  EXPECT_EQ(Cheque(), (Strings{"Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900"}));

  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901", Money()));
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C2", "12345678000195"));
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C3", "123456789012"));
  EXPECT_EQ(resultado, "Cheque aprovado");
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar"}),
            (Strings{"Cheque.Consultar 1 sessao C1 '123.456.789-01' 1 1 2026-12-20 1",
                     "Cheque.Consultar 1 sessao C2 '12.345.678/0001-95' 2 50 2026-12-20 1",
                     "Cheque.Consultar 1 sessao C3 '' 0 50 2026-12-20 1"}));
  EXPECT_EQ(sessao->Calls({"Cheque.Gravar"}), Strings(3, "Cheque.Gravar true"));
}

TEST_F(MtRegras, CashCheckRefusalRefusesTheChequeSaleWithoutConsulting) {
  sessao->roteiro.dinheiro_ou_cartao = false;
  sessao->roteiro.ds_resultado = "Caixa fechado";
  std::string resultado;
  EXPECT_FALSE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Caixa fechado");
  EXPECT_TRUE(sessao->Calls({"Cheque.Consultar"}).empty());
}

TEST_F(MtRegras, StoredConsultationIsAskedAgainOnlyWhenNotApproved) {
  sessao->roteiro.consulta_armazenada = true;
  std::string resultado;
  sessao->roteiro.cheque_aprovado = false;
  sessao->roteiro.ds_consulta = "Cheque sem fundos";
  EXPECT_FALSE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Cheque sem fundos");
  sessao->roteiro.cheque_armazenado_aprovado = true;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Consulta armazenada");
  EXPECT_EQ(sessao->Calls({"Cheque.I", "Cheque.Con", "Cheque.Car", "Cheque.At", "Cheque.G",
                           "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque"}),
            (Strings{"Cheque.Ic_ConsultaArmazenada",
                     "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque", "Cheque.Carregar",
                     "Cheque.Consultar 1 sessao C1 '123.456.789-01' 1 50 2026-12-20 1",
                     "Cheque.Atualizar true", "Cheque.Ic_ConsultaArmazenada",
                     "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque",
                     "Cheque.Carregar"}));
}

TEST_F(MtRegras, FailedConsultationRetriesPrimaryThenSecondary) {
  sessao->roteiro.falhas["Cheque.Consultar"] = {5, 5};
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  Strings ordens;
  for (const std::string& c : sessao->Calls({"Cheque.Consultar"})) ordens.push_back(c.substr(17, 1));
  EXPECT_EQ(ordens, (Strings{"1", "1", "2"}));

  sessao->log.clear();
  sessao->roteiro.falhas["Cheque.Consultar"] = {5, 5, 5};
  const Erro e =
      testing::FailureOf([&] { Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"); });
  EXPECT_EQ(e.number, 5);
  EXPECT_TRUE(
      e.source.ends_with(" -> BPLiberarBico.BicoPodeSerLiberadoVendaCheque, "
                         " -> BPLiberarBico.BicoPodeSerLiberado, "))
      << e.source;
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar"}).size(), 3u);

  // Before the consultation the counter starts at 0: three retries.
  sessao->log.clear();
  sessao->roteiro.falhas["Abastecimento.DinheiroOuCartao"] = {5, 5, 5};
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(sessao->Calls({"Abastecimento.Din"}).size(), 4u);
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar 1"}).size(), 1u);
}

TEST_F(MtRegras, ReleaseLogIsWrittenWhateverTheRecordingReturned) {
  for (bool gravar : {false, true}) {
    sessao->log.clear();
    sessao->roteiro.gravar = gravar;
    env.now = DateTime::Of(2026, 12, 5, 14, 30);
    std::string resultado = "intacto";
    EXPECT_EQ(regras->GravarResponsabilidade(
                  77, 3, 12, "1234", "ABC1234", "C1", TP::PagamentoCheque,
                  host::TipoVencimentoEnum::TipoVencimentoAPrazo, false, Money::FromInt(50),
                  Money(), 900, resultado, host::TipoHardwareEnum::TipoHardwareMicroTerminal),
              gravar);
    EXPECT_EQ(resultado, "intacto");
    EXPECT_EQ(sessao->Calls({"Abastecimento.G", "LogLiberacaoBico.I", "BeginWork", "EndWork"}),
              (Strings{"Abastecimento.GravarResponsabilidade 3 77 'ABC1234' 'C1' 2 2 false 50 0 900",
                       "BeginWork BPLiberarBico.GravarResponsabilidade",
                       "LogLiberacaoBico.Incluir 1 3 77 'ABC1234' 2026-12-05 14:30 false 12 2 2 2",
                       "EndWork BPLiberarBico.GravarResponsabilidade"}));
  }
}

}  // namespace
}  // namespace bp::testing
