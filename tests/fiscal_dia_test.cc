// The fiscal day over the scripted fiscal host, and the emulated fiscal
// printer the station drives.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_abrir_dia.h"
#include "bp/bp_exportar_movimento_ecf.h"
#include "bp/ead.h"
#include "bp/erros.h"
#include "station/fiscal/ecf_emulador.h"
#include "support/db_checks.h"
#include "support/fiscal_fakes.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using station::EcfEmulador;
using testing::DiaFiscal;
using testing::ReadFile;
using Calls = std::vector<std::string>;

const DateTime kDia4 = DateTime::Of(2026, 12, 4);
const DateTime kDia5 = DateTime::Of(2026, 12, 5);
const char* kVolume5 = "Impressora.ImprimirVolumeCombustivelVendido 05/12/2026 05/12/2026";
const char* kZ = "Impressora.ImprimirReducaoZ";
const char* kTudo = "R01 BE0123456789AB\r\nR02\r\nR03\r\nR04\r\nR05\r\nR06\r\nR07\r\n";

struct Dia : DiaFiscal {
  Dia() { classe.SetObBOSistema(sessao); }
  void Abrir() {
    classe.AbrirDia(sessao, nullptr, &fake->ECF(), &fake->Impressora(), &fake->CupomFiscal(),
                    nullptr, mensagem, edicao);
  }
  DateTime Fechar() {
    return classe.FecharDia(sessao, nullptr, &fake->ECF(), &fake->Impressora(), nullptr, nullptr,
                            mensagem);
  }
  Calls Impressoes() const { return fake->Calls({"Impressora.Imprimir"}); }
  BPAbrirDia classe;
  std::string mensagem;
  Tp_EdicaoEnum edicao = Tp_EdicaoEnum::Tp_EdicaoInclusao;
};

TEST(FiscalAbrirDia, AsksThreeTimesWaitingAfterEachEmptyAnswerAndEndsQuietly) {
  {
    Dia a;
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
    Dia a;  // the printer never has Z data
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

  Dia a;
  a.fake->script.reducoes = {kDia4};
  a.fake->script.serie = "ABC";
  a.Abrir();
  const std::string arquivo = a.PastaMovimento() + "BEMATECHABC           04122026.txt";
  EXPECT_EQ(a.classe.ArquivoGerado(), arquivo);
  const std::string texto = testing::ReadFile(arquivo);
  EXPECT_EQ(texto.rfind("R01 ABC\r\nR02\r\nR03\r\n", 0), 0u) << texto;
  EXPECT_EQ(VerifyEAD(arquivo, testing::TestModulus()).status, EadStatus::kOk);
}

TEST(FiscalAbrirDia, DeletesOnlyCouponsTheEcfCancelledToTheCent) {
  Dia a;
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

  Dia vazio;  // no unfinished coupon: the window opens and closes
  vazio.fake->script.reducoes = {kDia4};
  vazio.Abrir();
  EXPECT_TRUE(vazio.fake->Calls({"BOCupomFiscal.Excluir"}).empty());
  EXPECT_EQ(vazio.env.windows_created, 2);  // the coupons' window and the export's
  EXPECT_EQ(vazio.env.windows_closed, 2);
}

TEST(FiscalAbrirDia, UnwritableMovementFileRaisesItsOwnNumberAndEcfZeroIsOne) {
  Dia a;
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
    Dia f;
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
  Dia f;
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
  Dia g;
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

// Notes how many progress windows existed when each box appeared.
class DiskEnv : public testing::TestEnv {
 public:
  std::vector<int> windows_at_box;
  Answer MessageBox(const MessageBoxRequest& request) override {
    windows_at_box.push_back(windows_created);
    return TestEnv::MessageBox(request);
  }
};

struct Exportacao : DiaFiscal {
  explicit Exportacao(const std::string& caminho) {
    classe.SetObBOSistema(sessao);
    classe.SetDs_Caminho(caminho);
  }
  bool Exportar(bool confirmar) {
    return classe.ExportarMovimentoECF(kDia4, kDia4, confirmar, &fake->ECF());
  }
  BPExportarMovimentoECF classe;
};

TEST(FiscalExportarMovimento, RemovableDiskQuestionComesBeforeTheProgressWindow) {
  Exportacao e("a:\\mov.txt");
  DiskEnv env;  // made current after the fixture's own
  const std::string disco = env.Path("disquete");
  std::filesystem::create_directories(disco);
  testing::WriteFile(disco + "/velho.txt", "x");
  env.drives["A:"] = disco;

  env.answers = {Answer::No};
  EXPECT_TRUE(e.Exportar(true));
  ASSERT_EQ(env.boxes.size(), 1u);
  EXPECT_EQ(env.boxes[0].text, "Deseja apagar todos arquivos existente no disco do drive a:");
  EXPECT_EQ(env.boxes[0].caption, "Apagar todos arquivos do disco?");
  EXPECT_EQ(env.boxes[0].default_button, DefaultButton::Second);
  EXPECT_EQ(env.boxes[0].icon, Icon::Question);
  EXPECT_EQ(env.windows_at_box, std::vector<int>{0});
  EXPECT_EQ(ReadFile(disco + "/velho.txt"), "x");
  EXPECT_EQ(ReadFile(disco + "/mov.txt"), kTudo);

  env.answers = {Answer::Yes};  // empties the disk, then writes the file anew
  EXPECT_TRUE(e.Exportar(true));
  EXPECT_FALSE(std::filesystem::exists(disco + "/velho.txt"));
  EXPECT_EQ(ReadFile(disco + "/mov.txt"), kTudo);
  EXPECT_EQ(env.windows_created, env.windows_closed);
}

TEST(FiscalExportarMovimento, RefusedOverwriteLeavesTheFileAndUnconfirmedReplacesIt) {
  Exportacao e("");
  const std::string caminho = e.env.Path("mov.txt");
  e.classe.SetDs_Caminho(caminho);
  testing::WriteFile(caminho, "antigo");
  e.env.answers = {Answer::No};
  EXPECT_FALSE(e.Exportar(true));
  ASSERT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(e.env.boxes[0].text, "O arquivo:  '" + caminho +
                                     "'  já existe deseja sobrescreve-lo ? 'Não' cancela a exportaçao.");
  EXPECT_EQ(e.env.boxes[0].caption, "Sobrescrever arquivo");
  EXPECT_EQ(ReadFile(caminho), "antigo");
  EXPECT_TRUE(e.fake->Calls({"Registros"}).empty());
  EXPECT_EQ(e.env.windows_closed, 1);

  EXPECT_TRUE(e.Exportar(false));
  EXPECT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(ReadFile(caminho), kTudo);
}

TEST(FiscalExportarMovimento, EmptyTypeWritesNoLineAndFailingTypeLeavesTheEarlierOnes) {
  Exportacao e("");
  e.classe.SetDs_Caminho(e.env.Path("mov.txt"));
  e.fake->script.registros[3] = {true, ""};
  EXPECT_TRUE(e.Exportar(false));
  EXPECT_EQ(ReadFile(e.classe.Ds_Caminho()), "R01 BE0123456789AB\r\nR02\r\nR04\r\nR05\r\nR06\r\nR07\r\n");

  e.fake->log.clear();
  e.fake->script.registros[5] = {false, "R05 meio"};
  EXPECT_FALSE(e.Exportar(false));
  EXPECT_EQ(ReadFile(e.classe.Ds_Caminho()), "R01 BE0123456789AB\r\nR02\r\nR04\r\n");
  ASSERT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(e.env.boxes[0].text, "Erro na geração dos registros R05.");
  EXPECT_EQ(e.env.boxes[0].caption, "Erro geração registros");
  EXPECT_EQ(e.env.boxes[0].icon, Icon::Exclamation);
  EXPECT_EQ(e.fake->Calls({"Registros"}),
            (std::vector<std::string>{"Registros.R01", "Registros.R02", "Registros.R03",
                                      "Registros.R04", "Registros.R05"}));
  EXPECT_EQ(e.env.windows_created, e.env.windows_closed);
  // The company is read afresh before R01, in a unit of work of the export.
  EXPECT_EQ(e.fake->Calls({"BeginWork", "Empresa"}),
            (std::vector<std::string>{"BeginWork BPExportarMovimentoECF.ExportarMovimentoECF",
                                      "BeginWork BPExportarMovimentoECF.ExportarMovimentoECF",
                                      "Empresa.Carregar"}));
}

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

// After its Z reduction a day stays closed: its documents are refused.
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
  EXPECT_EQ(recusa([&] { ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 23, 40), Venda("F1", 5)); }),
            kRecusado);
  EXPECT_EQ(
      recusa([&] { ecf.ImprimirRelatorioGerencial(DateTime::Of(2026, 12, 5, 23, 50), "X", {}); }),
      kRecusado);
}

TEST(EcfEmulador, FailuresRaiseThePrinterErrorsAndChangeNothing) {
  bp::testing::TestEnv env;
  EcfEmulador ecf(env.Path("f.ecf"));
  ecf.Instalar(Identificacao());
  ecf.RegistrarCupom(DateTime::Of(2026, 12, 5, 8, 0), Venda("F1", 100));

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
}  // namespace bp
