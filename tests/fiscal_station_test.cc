// The fiscal day end to end on the demo station: BPAbrirDia over the
// station's objects and its emulated printer, down to the signed movement
// file and the rows left in the database.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "bp/bp_abrir_dia.h"
#include "bp/ead.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/fiscal/registro_movimento_ecf.h"
#include "station/seed/seed_fiscal.h"
#include "tests/support/estacao_fiscal.h"
#include "tests/support/test_keys.h"

namespace {

using bp::DateTime;
using bp::Value;
using bp::testing::EstacaoFiscal;
using station::FiscalDemo;

const DateTime kHoje = EstacaoFiscal::Agora().DatePart();
const DateTime kOntem = kHoje.AddDays(-1);

class FiscalStation : public ::testing::Test {
 protected:
  FiscalStation()
      : impressora_(*estacao_.sessao, estacao_.PastaEcf()),
        ecf_(*estacao_.sessao),
        cupom_(*estacao_.sessao) {
    ecf_.Registro().Cd_PessoaUsuaria = 1;
    ecf_.Registro().No_Impressora = FiscalDemo::kEcf;
    ecf_.Carregar();
    cupom_.Registro().Cd_PessoaUsuaria = 1;
    dia_.SetObBOSistema(estacao_.sessao_ref);
  }

  // The logged failures of the last closing, for messages.
  std::string Falhas() const {
    std::string texto;
    for (const auto& f : dia_.FalhasDoFechamento()) {
      texto += "Passo " + std::to_string(f.Passo) + ": " + bp::HexNumber(f.erro.number) + " " +
               f.erro.description + " (" + f.erro.source + ")\n";
    }
    return texto;
  }
  DateTime Fechar(DateTime quando) {
    env_.now = quando;
    std::string mensagem;
    return dia_.FecharDia(estacao_.sessao_ref, nullptr, &ecf_, &impressora_, &cupom_, nullptr,
                          mensagem);
  }
  void Abrir(DateTime quando) {
    env_.now = quando;
    std::string mensagem;
    bp::Tp_EdicaoEnum edicao = bp::Tp_EdicaoEnum::Tp_EdicaoOmitido;
    dia_.AbrirDia(estacao_.sessao_ref, nullptr, &ecf_, &impressora_, &cupom_, nullptr, mensagem,
                  edicao);
  }

  // Where the path rule puts the movement file of a day, spelt out.
  std::string Arquivo(DateTime dia) const {
    return env_.Folder() + "/Fiscal/ECF/Dados ReducaoZ/001" + "10100011245678" +
           bp::Format(dia, "ddmmyyyy") + ".txt";
  }
  int32_t Contar(const std::string& sql, const std::vector<Value>& p = {}) {
    return estacao_.sessao->Dal().Conexao().Query(sql, p).Field(0).ToInt32();
  }
  std::vector<int32_t> CuponsDeHoje() {
    const bp::db::Recordset rs = estacao_.sessao->Dal().Conexao().Query(
        "SELECT No_CupomFiscal FROM CupomFiscal WHERE Dt_Emissao = ? ORDER BY No_CupomFiscal",
        {Value(kHoje)});
    std::vector<int32_t> coo;
    for (const auto& row : rs.Rows()) coo.push_back(row[0].ToInt32());
    return coo;
  }

  bp::testing::TestEnv env_;
  struct Estacao : EstacaoFiscal {
    explicit Estacao(bp::testing::TestEnv& env) : EstacaoFiscal(env), sessao_ref(sessao) {}
    bp::host::BOSistemaRef sessao_ref;
  } estacao_{env_};
  station::ImpressoraFiscal impressora_;
  station::Ecf ecf_;
  station::CupomFiscal cupom_;
  bp::BPAbrirDia dia_;
};

// Every line of the file before its EAD record, and whether the file ends
// with one.
std::vector<std::string> Registros(const std::string& caminho) {
  std::vector<std::string> linhas = bp::testing::CrlfLines(bp::testing::ReadFile(caminho));
  if (!linhas.empty() && linhas.back().rfind("EAD", 0) == 0) linhas.pop_back();
  return linhas;
}

// `registros_r04` < 0 leaves the number of coupons unchecked.
void ConferirArquivo(const std::string& caminho, int registros_r04) {
  ASSERT_TRUE(std::filesystem::exists(caminho)) << caminho;
  EXPECT_EQ(bp::VerifyEAD(caminho, bp::testing::TestModulus()).status, bp::EadStatus::kOk);
  const std::map<std::string, size_t> larguras = {
      {"R01", station::kLarguraR01}, {"R02", station::kLarguraR02}, {"R03", station::kLarguraR03},
      {"R04", station::kLarguraR04}, {"R05", station::kLarguraR05}, {"R06", station::kLarguraR06},
      {"R07", station::kLarguraR07}};
  std::string anterior = "R01";
  std::map<std::string, int> contagem;
  for (const std::string& l : Registros(caminho)) {
    const std::string tipo = l.substr(0, 3);
    ASSERT_TRUE(larguras.count(tipo)) << l;
    EXPECT_EQ(l.size(), larguras.at(tipo)) << l;
    EXPECT_GE(tipo, anterior) << "record types out of order";
    anterior = tipo;
    ++contagem[tipo];
  }
  EXPECT_EQ(contagem["R01"], 1);
  EXPECT_EQ(contagem["R02"], 1);
  if (registros_r04 >= 0) {
    EXPECT_EQ(contagem["R04"], registros_r04);
  }
}

TEST_F(FiscalStation, ClosingThenOpeningStoresExportsAndDropsTheCancelledUnfinishedCoupon) {
  const std::vector<int32_t> cupons = CuponsDeHoje();
  ASSERT_EQ(cupons.size(), static_cast<size_t>(FiscalDemo::kCuponsDeHoje));

  // Closing the day at 01:30 the next morning: the volume report, then the
  // Z reduction, both documents of the day they close.
  EXPECT_EQ(Fechar(kHoje.AddDays(1).AddSeconds(90 * 60)), kHoje);
  EXPECT_TRUE(dia_.FalhasDoFechamento().empty()) << Falhas();
  const std::string bobina = bp::testing::ReadFile(impressora_.Emulador().ArquivoDaBobina());
  const size_t volume = bobina.rfind("VOLUME DE COMBUSTÍVEL VENDIDO");
  ASSERT_NE(volume, std::string::npos);
  EXPECT_LT(volume, bobina.rfind("REDUÇÃO Z"));
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kHoje)}), 1);
  EXPECT_EQ(estacao_.sessao->Dal()
                .Conexao()
                .Query("SELECT Vl_GTotalFinal FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kHoje)})
                .Field(0)
                .ToMoney(),
            impressora_.Emulador().Estado().gt);
  EXPECT_EQ(dia_.ArquivoGerado(), Arquivo(kHoje));
  ConferirArquivo(Arquivo(kHoje), FiscalDemo::kCuponsDeHoje);
  // The printer logged its two documents; the movement file lists them after
  // the morning's withdrawal.
  int r06 = 0;
  for (const std::string& l : Registros(Arquivo(kHoje))) r06 += l.rfind("R06", 0) == 0;
  EXPECT_EQ(r06, 3);

  // Opening the next morning: the same Z again (stored once), the coupon
  // cancelled at the printer deleted, the other unfinished one kept.
  Abrir(kHoje.AddDays(1).AddSeconds(7 * 3600));
  EXPECT_TRUE(env_.sleeps.empty());
  EXPECT_EQ(dia_.UltimaReducaoZ(), kHoje);
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kHoje)}), 1);
  const int32_t cancelado = cupons[FiscalDemo::kCupomNaoConcluidoCancelado - 1];
  std::vector<int32_t> esperados = cupons;
  esperados.erase(esperados.begin() + FiscalDemo::kCupomNaoConcluidoCancelado - 1);
  EXPECT_EQ(CuponsDeHoje(), esperados);
  EXPECT_EQ(
      Contar("SELECT COUNT(*) FROM ItemCupomFiscal WHERE No_CupomFiscal = ? AND Dt_Emissao = ?",
             {Value(cancelado), Value(kHoje)}),
      0);
  ConferirArquivo(Arquivo(kHoje), FiscalDemo::kCuponsDeHoje - 1);
}

TEST_F(FiscalStation, APrinterOutOfPaperWhileClosingIsLoggedAndTheLastZIsStillStoredAndExported) {
  std::filesystem::create_directories(env_.Folder() + "/LogErros");  // as installed
  impressora_.Emulador().DefinirFalha(station::FalhaEcf::kSemPapel);
  const DateTime quando = kHoje.AddSeconds(23 * 3600);
  // The printer could not print the day's Z: what it reports is yesterday's.
  EXPECT_EQ(Fechar(quando), kOntem);
  ASSERT_EQ(dia_.FalhasDoFechamento().size(), 1u) << Falhas();
  EXPECT_EQ(dia_.FalhasDoFechamento()[0].Passo, 2);

  const std::string log = bp::testing::ReadFile(env_.Folder() + "/LogErros/" +
                                                bp::Format(quando, "yyyy-mm-dd") + "Ret.log");
  EXPECT_NE(log.find("Erro no Status da impressora"), std::string::npos) << log;
  EXPECT_NE(log.find(" - Passo:2"), std::string::npos) << log;
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kHoje)}), 0);
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kOntem)}), 1);
  ConferirArquivo(Arquivo(kOntem),
                  Contar("SELECT COUNT(*) FROM CupomFiscal WHERE Dt_Emissao = ?", {Value(kOntem)}));
  // Today's coupons are untouched and the day is still open on the printer.
  EXPECT_EQ(CuponsDeHoje().size(), static_cast<size_t>(FiscalDemo::kCuponsDeHoje));
  EXPECT_EQ(impressora_.Emulador().Estado().dt_movimento, kHoje);
}

}  // namespace
