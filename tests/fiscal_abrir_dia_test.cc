#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_abrir_dia.h"
#include "bp/ead.h"
#include "bp/erros.h"
#include "support/db_checks.h"
#include "support/fiscal_fakes.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::DiaFiscal;
using Calls = std::vector<std::string>;

const DateTime kDia4 = DateTime::Of(2026, 12, 4);

struct Abertura : DiaFiscal {
  Abertura() { classe.SetObBOSistema(sessao); }
  void Abrir() {
    classe.AbrirDia(sessao, nullptr, &fake->ECF(), &fake->Impressora(), &fake->CupomFiscal(),
                    nullptr, mensagem, edicao);
  }
  BPAbrirDia classe;
  std::string mensagem;
  Tp_EdicaoEnum edicao = Tp_EdicaoEnum::Tp_EdicaoInclusao;
};

TEST(FiscalAbrirDia, AsksThreeTimesWaitingAfterEachEmptyAnswerAndEndsQuietly) {
  {
    Abertura a;
    a.fake->script.reducoes = {DateTime(), kDia4};
    a.Abrir();
    EXPECT_EQ(a.env.sleeps, std::vector<int32_t>{1000});
    EXPECT_EQ(a.classe.TentativasFeitas(), 2);
    // Only the answer with a date is stored, each in its own unit of work,
    // all before the coupons are looked at.
    const Calls& log = a.fake->log;
    EXPECT_EQ(Calls(log.begin(), std::find(log.begin(), log.end(), "CriarECF")),
              (Calls{"CriarAberturaDia", "BOAberturaDia.ObBOSistema", "CriarReducaoZ",
                     "Impressora.DadosultimaReducaoZ",
                     "BeginWork BPAbrirDia.GravarDadosDaUltimaReducaoZ", "BOReducaoZ released",
                     "EndWork BPAbrirDia.GravarDadosDaUltimaReducaoZ", "CriarReducaoZ",
                     "Impressora.DadosultimaReducaoZ",
                     "BeginWork BPAbrirDia.GravarDadosDaUltimaReducaoZ",
                     "BOReducaoZ.Gravar 04/12/2026", "BOReducaoZ released",
                     "EndWork BPAbrirDia.GravarDadosDaUltimaReducaoZ"}));
    EXPECT_TRUE(std::filesystem::exists(a.PastaMovimento() + "BEMATECHBE0123456789AB04122026.txt"));
  }
  {
    Abertura a;  // the printer never has Z data
    a.Abrir();
    EXPECT_EQ(a.env.sleeps, (std::vector<int32_t>{1000, 1000, 1000}));
    EXPECT_TRUE(a.classe.UltimaReducaoZ().IsEmpty());
    EXPECT_TRUE(a.fake->Calls({"CriarECF", "BOCupomFiscal", "Registros", "BOReducaoZ.Gravar"}).empty());
    EXPECT_EQ(a.env.windows_created, 0);
    EXPECT_TRUE(std::filesystem::is_empty(a.PastaMovimento()));
    EXPECT_EQ(a.fake->log.back(), "BOAberturaDia released");
  }
}

TEST(FiscalAbrirDia, SerialFitsFourteenCharactersInTheSignedFilesName) {
  EXPECT_EQ(SerieNoNomeDoArquivo("ABC"), "ABC           ");
  EXPECT_EQ(SerieNoNomeDoArquivo("BE0123456789AB"), "BE0123456789AB");
  EXPECT_EQ(SerieNoNomeDoArquivo("ABCDEFGHIJKLMN012345"), "GHIJKLMN012345");

  Abertura a;
  a.fake->script.reducoes = {kDia4};
  a.fake->script.serie = "ABC";
  a.Abrir();
  const std::string arquivo = a.PastaMovimento() + "BEMATECHABC           04122026.txt";
  EXPECT_EQ(a.classe.ArquivoGerado(), arquivo);
  const std::string texto = testing::ReadFile(arquivo);
  EXPECT_EQ(texto.rfind("R01 ABC\r\nR02\r\nR03\r\n", 0), 0u) << texto;
  EXPECT_EQ(VerifyEAD(arquivo, testing::TestModulus()).status, EadStatus::kOk);
  // The export runs without the overwrite question.
  a.fake->script.reducoes = {kDia4};
  a.Abrir();
  EXPECT_TRUE(a.env.boxes.empty());
  EXPECT_EQ(VerifyEAD(arquivo, testing::TestModulus()).status, EadStatus::kOk);
}

TEST(FiscalAbrirDia, DeletesOnlyCouponsTheEcfCancelledToTheCent) {
  Abertura a;
  a.fake->script.reducoes = {kDia4};
  a.fake->script.referencia = kDia4;
  a.fake->script.gtotal = Money::FromInt(1000);
  a.fake->script.cancelamentos = Money::FromInt(50);
  const auto cupom = [](Money gt, Money total, int32_t numero) {
    return std::vector<Value>{Value(gt), Value(Money::FromInt(30)), Value(total),
                              Value(uint8_t{1}), Value(numero), Value(kDia4)};
  };
  a.fake->script.cupons = {cupom(Money::FromInt(1000), Money::FromInt(20), 11),
                           cupom(Money::Parse("999.99"), Money::FromInt(20), 12),
                           cupom(Money::FromInt(1000), Money::Parse("20.0001"), 13)};
  a.Abrir();
  EXPECT_EQ(a.fake->Calls({"BOECF.Carregar", "BOCupomFiscal"}),
            (Calls{"BOECF.Carregar 7/1", "BOCupomFiscal.CuponsNaoConcluidos 04/12/2026 1",
                   "BOCupomFiscal.Carregar 11", "BOCupomFiscal.Excluir 11", "BOECF.Carregar 7/1"}));
  ASSERT_EQ(a.classe.CuponsExcluidos().size(), 1u);
  std::vector<std::string> labels;
  for (const ProgressView& v : a.env.draws)
    if (v.action == "Excluindo cupons fiscais nao concluidos" &&
        (labels.empty() || labels.back() != v.percent_label))
      labels.push_back(v.percent_label);
  EXPECT_EQ(labels, (std::vector<std::string>{"%", "33%", "67%", "100%"}));

  Abertura vazio;  // no unfinished coupon: the window opens and closes
  vazio.fake->script.reducoes = {kDia4};
  vazio.Abrir();
  EXPECT_TRUE(vazio.fake->Calls({"BOCupomFiscal.Excluir"}).empty());
  EXPECT_EQ(vazio.env.windows_created, 2);  // the coupons' window and the export's
  EXPECT_EQ(vazio.env.windows_closed, 2);
}

TEST(FiscalAbrirDia, UnwritableMovementFileRaisesItsOwnNumberAndEcfZeroIsOne) {
  Abertura a;
  a.fake->script.reducoes = {kDia4};
  a.fake->script.numero_ecf = 0;
  a.fake->script.registros[2] = {false, ""};
  const Erro e = testing::FailureOf([&] { a.Abrir(); });
  EXPECT_EQ(e.number, kErroArquivoReducaoZ);
  EXPECT_EQ(e.description,
            "Erro na geração do arquivo com movimento da redução Z, atenção esse arquivo e "
            "exigido pelo fisco, informe o problema imediatamente ao suporte técnico.");
  EXPECT_EQ(e.source, " -> BPAbrirDia.ExportarMovimentoECF -> BPAbrirDia.AbrirDia, ");
  EXPECT_EQ(a.fake->Calls({"BOECF.Carregar", "SetNumeroECF", "BOCupomFiscal.Cupons"}),
            (Calls{"BOECF.Carregar 7/0", "BOCupomFiscal.CuponsNaoConcluidos 30/12/1899 0",
                   "SetNumeroECF 1", "BOECF.Carregar 7/1"}));
  ASSERT_EQ(a.env.boxes.size(), 1u);
  EXPECT_EQ(a.env.boxes[0].text, "Erro na geração dos registros R02.");
  // The partial file stays, unsigned.
  EXPECT_EQ(testing::ReadFile(a.PastaMovimento() + "BEMATECHBE0123456789AB04122026.txt"),
            "R01 BE0123456789AB\r\n");
}

}  // namespace
}  // namespace bp
