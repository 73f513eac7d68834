#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_abrir_dia.h"
#include "bp/ead.h"
#include "support/fiscal_fakes.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::DiaFiscal;
using Calls = std::vector<std::string>;

const DateTime kDia5 = DateTime::Of(2026, 12, 5);
const char* kVolume5 = "Impressora.ImprimirVolumeCombustivelVendido 05/12/2026 05/12/2026";
const char* kZ = "Impressora.ImprimirReducaoZ";

struct Fechamento : DiaFiscal {
  Fechamento() { classe.SetObBOSistema(sessao); }
  DateTime Fechar() {
    std::string mensagem;
    return classe.FecharDia(sessao, nullptr, &fake->ECF(), &fake->Impressora(), nullptr, nullptr,
                            mensagem);
  }
  Calls Impressoes() const { return fake->Calls({"Impressora.Imprimir"}); }
  BPAbrirDia classe;
};

TEST(FiscalFecharDia, VolumeReportGoesFirstOnTheDayAndUntilTwoOClockAfterIt) {
  struct Caso {
    DateTime agora;
    DateTime movimento;
    Calls impressoes;
  };
  const DateTime dia6 = kDia5.AddDays(1);
  const std::string volume_z = "Impressora.ImprimirVolumeCombustivelVendido 05/12/2026 05/12/2026";
  const Caso casos[] = {
      {DateTime::Of(2026, 12, 5, 23, 0), kDia5, {kVolume5, kZ}},
      {DateTime::Of(2026, 12, 6, 1, 59), kDia5, {kVolume5, kZ}},
      {DateTime::Of(2026, 12, 6, 2, 0, 59), kDia5, {kVolume5, kZ}},
      {DateTime::Of(2026, 12, 6, 2, 1), kDia5, {kZ, volume_z}},
      // A fiscal day in the future: the volume report of the Z date comes last.
      {DateTime::Of(2026, 12, 5, 1, 0), dia6, {kZ, volume_z}},
  };
  for (const Caso& c : casos) {
    Fechamento f;
    f.env.now = c.agora;
    f.fake->script.dt_movimento = c.movimento;
    f.fake->script.reducoes = {kDia5};
    EXPECT_EQ(f.Fechar(), kDia5);
    EXPECT_EQ(f.Impressoes(), c.impressoes) << testing::Dia(c.agora) << " " << c.agora.Hour();
    EXPECT_TRUE(f.classe.FalhasDoFechamento().empty());
    EXPECT_EQ(VerifyEAD(f.classe.ArquivoGerado(), testing::TestModulus()).status,
              EadStatus::kOk);
  }
}

TEST(FiscalFecharDia, FailingStepIsLoggedWithItsNumberAndTheNextStepRuns) {
  Fechamento f;
  std::filesystem::create_directories(f.env.Path("LogErros"));
  f.env.now = DateTime::Of(2026, 12, 6, 2, 1);
  f.fake->script.dt_movimento = kDia5;
  f.fake->script.reducoes = {kDia5};
  f.fake->falhas["BOReducaoZ.Gravar"] =
      Erro(static_cast<int32_t>(0x80040202), "Registro nao encontrado", "ReducaoZ.Gravar");
  EXPECT_TRUE(f.Fechar().IsEmpty());
  EXPECT_EQ(f.Impressoes(), (Calls{kZ, "Impressora.ImprimirVolumeCombustivelVendido "
                                       "30/12/1899 30/12/1899"}));
  ASSERT_EQ(f.classe.FalhasDoFechamento().size(), 1u);
  EXPECT_TRUE(f.env.boxes.empty());
  EXPECT_TRUE(f.fake->Calls({"Registros"}).empty());
  const std::string log = testing::ReadFile(f.env.Path("LogErros/2026-12-06Ret.log"));
  EXPECT_NE(log.find("Erro....:-2147220990-Registro nao encontrado\r\n"
                     "Fonte...:ReducaoZ.Gravar -> BPAbrirDia.GravarDadosDaUltimaReducaoZ -> "
                     "BPAbrirDia.FecharDia - Passo:3\r\n\r\n\r\n"),
            std::string::npos)
      << log;

  // A printer that cannot tell its fiscal day nor print the Z reduction: both
  // logged, and the day is still stored and exported.
  Fechamento g;
  g.env.now = DateTime::Of(2026, 12, 5, 23, 0);
  g.fake->script.reducoes = {kDia5};
  g.fake->falhas["Impressora.Dt_Movimento"] =
      Erro(static_cast<int32_t>(0x800405EE), "Erro na comunicacao");
  g.fake->falhas["Impressora.ImprimirReducaoZ"] =
      Erro(static_cast<int32_t>(0x800405FF), "Impressora desligada ou cabo desconectado");
  EXPECT_EQ(g.Fechar(), kDia5);
  const auto& falhas = g.classe.FalhasDoFechamento();
  ASSERT_EQ(falhas.size(), 2u);
  EXPECT_EQ(falhas[0].erro.source, " -> BPAbrirDia.FecharDia - Passo:1");
  EXPECT_EQ(falhas[1].Passo, 2);
  EXPECT_EQ(g.Impressoes(), (Calls{kZ, kVolume5}));
  EXPECT_EQ(g.fake->Calls({"BOReducaoZ.Gravar"}), Calls{"BOReducaoZ.Gravar 05/12/2026"});
  EXPECT_TRUE(std::filesystem::exists(g.classe.ArquivoGerado()));
}

}  // namespace
}  // namespace bp
