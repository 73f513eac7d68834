// The emulated fiscal printer: what it keeps between programs, its Z
// reduction arithmetic, and the failures an operator switches on.
#include "station/fiscal/ecf_emulador.h"

#include <gtest/gtest.h>

#include <functional>

#include "bp/erro.h"
#include "tests/support/db_checks.h"
#include "tests/support/test_env.h"

namespace {

using bp::DateTime;
using bp::Money;
using station::EcfEmulador;

station::IdentificacaoEcf Identificacao() {
  station::IdentificacaoEcf id;
  id.cd_identificacao = "BE0101";
  id.no_serie = "BE050875600000001234";
  id.marca = "EMULADOR";
  id.modelo = "POSTO FISCAL 1";
  id.aliquotas = {{station::kTipoIcms, Money::FromInt(18)}, {station::kTipoIss, Money::FromInt(5)}};
  return id;
}

station::VendaEmulada Venda(const char* totalizador, int64_t reais, bool cancelado = false) {
  station::VendaEmulada v;
  v.totalizador = totalizador;
  v.valor = Money::FromInt(reais);
  v.cancelado = cancelado;
  return v;
}

TEST(EcfEmulador, KeepsItsStateAcrossInstancesAndClosesTheDayWithTheZReduction) {
  bp::testing::TestEnv env;
  const std::string pasta = env.Path("posto.db.ecf");
  {
    EcfEmulador ecf(pasta);
    ecf.Instalar(Identificacao());
    ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 8, 0), Venda("F1", 100));
    ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 9, 0), Venda("02", 40));
    const auto sangria =
        ecf.RegistrarSangria(DateTime::Of(2026, 12, 5, 9, 10), Money::FromInt(50), false);
    EXPECT_EQ(sangria.gnf, 1);
    const station::CupomRegistrado ultimo =
        ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 9, 30), Venda("01", 25, true));
    // The station keeps the grand total and cancellations at the coupon's
    // start to recognise a coupon cancelled at the printer.
    EXPECT_EQ(ultimo.gt_antes, Money::FromInt(140));
    EXPECT_EQ(ultimo.cancelamentos_antes, Money());
    EXPECT_EQ(ultimo.coo, 4);
    EXPECT_EQ(ultimo.dt_movimento, DateTime::Of(2026, 12, 5));
  }

  EcfEmulador outro(pasta);  // as another program would see it
  EXPECT_EQ(outro.Dt_Movimento(), DateTime::Of(2026, 12, 5));
  const station::ReducaoZEmulada z = outro.ImprimirReducaoZ(DateTime::Of(2026, 12, 5, 23, 0));
  EXPECT_EQ(z.dt_movimento, DateTime::Of(2026, 12, 5));
  EXPECT_EQ(z.contadores.coo, 5);
  EXPECT_EQ(z.totais.sangria, Money::FromInt(50));  // and not in the grand total
  EXPECT_EQ(z.contadores.crz, 1);
  EXPECT_EQ(z.contadores.cfc, 1);
  EXPECT_EQ(z.gt_final, Money::FromInt(140));
  EXPECT_EQ(z.venda_bruta, Money::FromInt(140));
  EXPECT_EQ(z.totais.subst_icms, Money::FromInt(100));
  EXPECT_EQ(z.totais.aliquota[1], Money::FromInt(40));
  EXPECT_EQ(z.totais.aliquota[0], Money());
  EXPECT_EQ(z.totais.cancelamentos_icms, Money::FromInt(25));
  EXPECT_EQ(z.aliquotas_usadas, 2);

  const station::EstadoEcf depois = EcfEmulador(pasta).Estado();
  EXPECT_TRUE(depois.dt_movimento.IsEmpty());
  ASSERT_TRUE(depois.ultima_reducao_z.has_value());
  EXPECT_EQ(depois.ultima_reducao_z->dt_emissao, DateTime::Of(2026, 12, 5, 23, 0));
  EXPECT_EQ(depois.ultima_reducao_z->totais.cancelamentos_icms, Money::FromInt(25));
  EXPECT_EQ(depois.dia.subst_icms, Money());

  // The next day's first sale opens a new day; its gross sale starts at zero.
  outro.RegistrarCupom(DateTime::Of(2026, 12, 6, 7, 0), Venda("F1", 10));
  const station::ReducaoZEmulada z2 = outro.ImprimirReducaoZ(DateTime::Of(2026, 12, 6, 22, 0));
  EXPECT_EQ(z2.venda_bruta, Money::FromInt(10));
  EXPECT_EQ(z2.gt_final, Money::FromInt(150));
  EXPECT_EQ(z2.contadores.crz, 2);

  const std::string bobina = bp::testing::ReadFile(outro.ArquivoDaBobina());
  EXPECT_NE(bobina.find("REDUÇÃO Z"), std::string::npos);
  EXPECT_NE(bobina.find("CUPOM FISCAL CANCELADO"), std::string::npos);
}

// After its Z reduction a day stays closed: its documents and a second Z are
// refused; a report after midnight opens no day, so there is still nothing
// to reduce until the next sale opens the new day.
TEST(EcfEmulador, AReducedDayStaysClosed) {
  bp::testing::TestEnv env;
  EcfEmulador ecf(env.Path("f.ecf"));
  ecf.Instalar(Identificacao());
  ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 8, 0), Venda("F1", 100));
  ecf.ImprimirReducaoZ(DateTime::Of(2026, 12, 5, 23, 0));
  const auto recusa = [](const std::function<void()>& operacao) {
    return bp::testing::FailureOf(operacao).number;
  };
  constexpr int32_t kRecusado = static_cast<int32_t>(0x800405F2);
  EXPECT_EQ(recusa([&] { ecf.ImprimirReducaoZ(DateTime::Of(2026, 12, 5, 23, 30)); }), kRecusado);
  EXPECT_EQ(recusa([&] { ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 23, 40), Venda("F1", 5)); }),
            kRecusado);
  EXPECT_EQ(
      recusa([&] { ecf.ImprimirRelatorioGerencial(DateTime::Of(2026, 12, 5, 23, 50), "X", {}); }),
      kRecusado);
  ecf.ImprimirRelatorioGerencial(DateTime::Of(2026, 12, 6, 1, 0), "X", {});
  EXPECT_TRUE(ecf.Dt_Movimento().IsEmpty());
  EXPECT_EQ(recusa([&] { ecf.ImprimirReducaoZ(DateTime::Of(2026, 12, 6, 1, 10)); }), kRecusado);
  EXPECT_EQ(ecf.Estado().contadores.crz, 1);
  ecf.RegistrarCupom(DateTime::Of(2026, 12, 6, 7, 0), Venda("F1", 10));
  EXPECT_EQ(ecf.Dt_Movimento(), DateTime::Of(2026, 12, 6));
}

TEST(EcfEmulador, FailuresRaiseThePrinterErrorsAndChangeNothing) {
  bp::testing::TestEnv env;
  EcfEmulador ecf(env.Path("f.ecf"));
  ecf.Instalar(Identificacao());
  ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 8, 0), Venda("F1", 100));

  ecf.DefinirFalha(station::FalhaEcf::kSemPapel);
  bp::Erro e =
      bp::testing::FailureOf([&] { ecf.ImprimirReducaoZ(DateTime::Of(2026, 12, 5, 23, 0)); });
  EXPECT_EQ(e.number, static_cast<int32_t>(0x800405F0));
  EXPECT_EQ(e.description, "Erro no Status da impressora");
  // Without paper the printer still answers questions.
  EXPECT_EQ(ecf.Dt_Movimento(), DateTime::Of(2026, 12, 5));
  EXPECT_FALSE(ecf.UltimaReducaoZ().has_value());
  EXPECT_EQ(ecf.Estado().contadores.coo, 1);

  ecf.DefinirFalha(station::FalhaEcf::kDesligada);
  e = bp::testing::FailureOf([&] { ecf.Cd_IdentificacaoECF(); });
  EXPECT_EQ(e.number, static_cast<int32_t>(0x800405FF));
  EXPECT_EQ(e.description, "Impressora desligada ou cabo desconectado");
  ecf.DefinirFalha(station::FalhaEcf::kComunicacao);
  EXPECT_THROW(ecf.UltimaReducaoZ(), bp::Erro);

  ecf.DefinirFalha(station::FalhaEcf::kNenhuma);
  // A totaliser the printer was not programmed with is refused.
  EXPECT_THROW(ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 9, 0), Venda("07", 5)), bp::Erro);
  EXPECT_EQ(ecf.Estado().contadores.coo, 1);
  EXPECT_EQ(ecf.ImprimirReducaoZ(DateTime::Of(2026, 12, 5, 23, 0)).gt_final, Money::FromInt(100));
}

TEST(EcfEmulador, AStateFileThatDoesNotReadBackIsRefusedNamingTheKey) {
  bp::testing::TestEnv env;
  EcfEmulador ecf(env.Path("e.ecf"));
  ecf.Instalar(Identificacao());
  std::string texto = bp::testing::ReadFile(ecf.ArquivoDeEstado());
  const size_t coo = texto.find("\ncoo=0\n");
  ASSERT_NE(coo, std::string::npos);
  texto.replace(coo, 7, "\ncoo=doze\n");
  bp::testing::WriteFile(ecf.ArquivoDeEstado(), texto);
  const bp::Erro e = bp::testing::FailureOf(
      [&] { ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 8, 0), Venda("F1", 1)); });
  EXPECT_EQ(e.number, bp::rt::kTypeMismatch);
  EXPECT_NE(e.description.find("coo"), std::string::npos) << e.description;
  EXPECT_EQ(bp::testing::ReadFile(ecf.ArquivoDeEstado()), texto);  // left for the operator
}

}  // namespace
