// The release rules on the demo station as the forecourt meets them: a
// cheque pays one fuelling, a typing mistake is not the issuer's refusal,
// and amounts and discounts outside their range are refused.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bp/bp_liberar_bico.h"
#include "station/forecourt/regras_pista.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/test_env.h"

namespace {

using bp::Money;
using D = station::EstacaoDemo;
using Pagamento = bp::TipoPagamentoEnum;

// Another cheque of the account of kCmc7Bom (number 000124 instead of 000123).
constexpr const char* kOutroChequeDaConta = "237045670180001245300001234569";
constexpr const char* kCpfErrado = "12345678900";
constexpr const char* kCpfCerto = "12345678909";

class LiberacaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.now = bp::testing::DemoStationNow();
    const std::string nome = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    sessao_ = std::make_shared<station::Sessao>(
        station::Configuracao(bp::testing::CopyDemoStation("liberacao_" + nome)));
    regras_.SetObBOSistema(sessao_);
  }

  // The verdict of a release of nozzle 2 by employee 1.
  bool Pode(Pagamento pagamento, const std::string& cmc7, const std::string& cpf, Money valor,
            std::string& resultado) {
    resultado.clear();
    return regras_.BicoPodeSerLiberado(D::kFuncionarioComDesconto, D::kSenhaComDesconto, pagamento,
                                       "", cmc7, cpf, bp::DateTime(), 2, true, valor, 0,
                                       resultado);
  }
  bool Gravar(Pagamento pagamento, const std::string& cmc7, Money valor, Money desconto) {
    const int32_t caixa =
        station::CarregarCaixa(sessao_->Dal().Conexao(), D::kEmpresa, D::kFuncionarioComDesconto)
            .cd_caixa;
    std::string resultado;
    return regras_.GravarResponsabilidade(
        caixa, 2, D::kFuncionarioComDesconto, D::kSenhaComDesconto, "", cmc7, pagamento,
        bp::host::TipoVencimentoEnum::TipoVencimentoAVista, true, valor, desconto, 0, resultado,
        bp::host::TipoHardwareEnum::TipoHardwareMicroTerminal);
  }
  int32_t Abastecimentos() {
    return sessao_->Dal().Conexao().Query("SELECT COUNT(*) FROM Abastecimento").Field(0).ToInt32();
  }

  bp::testing::TestEnv env_;
  std::shared_ptr<station::Sessao> sessao_;
  bp::BPLiberarBico regras_;
};

TEST_F(LiberacaoTest, ACheckedChequeThatPaidAFuellingIsRefusedAfterwards) {
  std::string r;
  ASSERT_TRUE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(80), r)) << r;
  ASSERT_TRUE(Gravar(Pagamento::PagamentoCheque, D::kCmc7Bom, Money::FromInt(80), Money()));

  // The stored approval does not outlive the cheque's use, and a terminal
  // that consulted it before the use cannot record it either.
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(80), r));
  EXPECT_EQ(r, "Cheque ja utilizado");
  const int32_t antes = Abastecimentos();
  EXPECT_FALSE(Gravar(Pagamento::PagamentoCheque, D::kCmc7Bom, Money::FromInt(30), Money()));
  EXPECT_EQ(Abastecimentos(), antes);
}

TEST_F(LiberacaoTest, ATypingMistakeIsNotTheIssuersRefusal) {
  std::string r;
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfErrado, Money::FromInt(50), r));
  EXPECT_EQ(r, "CPF/CNPJ do emitente invalido");

  // The account's other cheques are not blocked by it...
  EXPECT_TRUE(
      Pode(Pagamento::PagamentoCheque, kOutroChequeDaConta, kCpfCerto, Money::FromInt(20), r));
  EXPECT_EQ(r, "Cheque aprovado");
  // ...and the same cheque with the corrected document is consulted afresh
  // and stored with it.
  EXPECT_TRUE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(50), r));
  EXPECT_EQ(r, "Cheque aprovado");
  EXPECT_EQ(sessao_->Dal()
                .Conexao()
                .Query("SELECT Cd_CpfCnpj FROM ConsultaCheque WHERE Nm_IdDocumento = '000123'")
                .Field(0)
                .ToText(),
            "123.456.789-09");
  // Nor is a cheque presented again after it paid: the account's other
  // cheques still pass, while a returned cheque blocks its account.
  ASSERT_TRUE(Gravar(Pagamento::PagamentoCheque, D::kCmc7Bom, Money::FromInt(50), Money()));
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(50), r));
  EXPECT_TRUE(
      Pode(Pagamento::PagamentoCheque, kOutroChequeDaConta, kCpfCerto, Money::FromInt(20), r));
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Recusado, kCpfCerto, Money::FromInt(20), r));
  EXPECT_EQ(r, "Emitente com cheque recusado");
}

TEST_F(LiberacaoTest, AmountsAndDiscountsOutsideTheirRangeAreRefused) {
  std::string r;
  EXPECT_FALSE(Pode(Pagamento::PagamentoDinheiro, "", "", Money::FromDouble(-5), r));
  EXPECT_EQ(r, "Valor negativo");
  EXPECT_TRUE(Pode(Pagamento::PagamentoDinheiro, "", "", Money(), r)) << r;

  const int32_t antes = Abastecimentos();
  const Money dez = Money::FromInt(10);
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", Money::FromDouble(-5), Money()));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromInt(50)));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, dez));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromDouble(-1)));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", Money(), Money::FromInt(2)));
  EXPECT_EQ(Abastecimentos(), antes);
  EXPECT_TRUE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromDouble(9.99)));
  EXPECT_TRUE(Gravar(Pagamento::PagamentoDinheiro, "", Money(), Money()));
  EXPECT_EQ(Abastecimentos(), antes + 2);
}

}  // namespace
