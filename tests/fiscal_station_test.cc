// The fiscal day on the demo station, down to the signed movement file and
// the rows left in the database, and posto dia and posto demo.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>

#include "bp/bp_abrir_dia.h"
#include "bp/criptografia.h"
#include "bp/db/connection.h"
#include "bp/ead.h"
#include "bp/erro.h"
#include "bp/keys.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/fiscal/reducao_z.h"
#include "station/fiscal/registro_movimento_ecf.h"
#include "station/seed/seed_fiscal.h"
#include "station/session/sessao.h"
#include "tests/support/db_checks.h"
#include "tests/support/estacao_demo.h"
#include "tests/support/posto.h"
#include "tests/support/test_keys.h"

namespace {

using bp::DateTime;
using bp::Money;
using bp::Value;
using bp::testing::EstacaoFiscal;
using bp::testing::Posto;
using bp::testing::ReadFile;
using bp::testing::Saida;
using station::FiscalDemo;

const DateTime kHoje = EstacaoFiscal::Agora().DatePart();
const DateTime kOntem = kHoje.AddDays(-1);

class FiscalStation : public ::testing::Test {
 protected:
  FiscalStation()
      : impressora_(s_, estacao_.PastaEcf()), ecf_(s_), cupom_(s_) {
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
  Value Um(const std::string& sql, const std::vector<Value>& p = {}) {
    return bp::testing::Escalar(s_.Dal().Conexao(), sql, p);
  }
  int32_t Contar(const std::string& sql, const std::vector<Value>& p = {}) {
    return Um(sql, p).ToInt32();
  }
  // The COO of today's coupons, in issue order.
  std::vector<int32_t> CuponsDeHoje() {
    const bp::db::Recordset rs = s_.Dal().Conexao().Query(
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
  station::Sessao& s_ = *estacao_.sessao;
  station::ImpressoraFiscal impressora_;
  station::Ecf ecf_;
  station::CupomFiscal cupom_;
  bp::BPAbrirDia dia_;
};

TEST_F(FiscalStation, EcfCouponAndZRecordAnswerAsDayOpeningNeeds) {
  std::string serie = ecf_.Registro().No_SerieCriptografada;
  EXPECT_EQ(bp::Desencriptar(serie), FiscalDemo::kSerie);
  // The reference date is the day of the last Z reduction stored.
  EXPECT_EQ(ecf_.Dt_Referencia(), kOntem);
  const Money gt_ontem =
      Um("SELECT Vl_GTotalFinal FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kOntem)}).ToMoney();
  EXPECT_EQ(ecf_.GTotal(kOntem).Field("Vl_GTotalFinal").ToMoney(), gt_ontem);
  EXPECT_EQ(ecf_.Cancelamentos(kHoje).RecordCount(), 1);  // no Z yet: one row of zero
  EXPECT_EQ(ecf_.Cancelamentos(kHoje).Field("Vl_Cancelamentos").ToMoney(), Money());

  const std::vector<int32_t> coo = CuponsDeHoje();
  bp::db::Recordset abertos = cupom_.CuponsNaoConcluidos(kHoje, 1);
  ASSERT_EQ(abertos.RecordCount(), 2);
  EXPECT_EQ(abertos.Field("No_CupomFiscal").ToInt32(),
            coo[FiscalDemo::kCupomNaoConcluidoMantido - 1]);
  EXPECT_EQ(cupom_.CuponsNaoConcluidos(kOntem, 1).RecordCount(), 0);

  auto& r = cupom_.Registro();
  r.No_Impressora = 1;
  r.No_CupomFiscal = coo[FiscalDemo::kCupomNaoConcluidoCancelado - 1];
  r.Dt_Emissao = kHoje;
  cupom_.Carregar();
  EXPECT_FALSE(r.Ic_CupomConcluido);
  EXPECT_GT(r.Vl_Total, Money());
  cupom_.Excluir();
  const bp::Erro e = bp::testing::FailureOf([&] { cupom_.Excluir(); });
  EXPECT_EQ(e.number, static_cast<int32_t>(0x80040202));

  // Saving the same company, day and printer again updates the row.
  station::ReducaoZ z(s_);
  z.CarregarUltimaReducaoZ(1, 1);
  ASSERT_EQ(z.Dados().Dt_Movimento, kOntem);
  EXPECT_EQ(z.Dados().Vl_GTotalFinal, gt_ontem);
  ASSERT_EQ(z.Dados().totalizadores.size(), 4u);
  bp::host::DadosReducaoZ d = z.Dados();
  d.Vl_GTotalFinal += Money::FromInt(1);
  z.SetDados(d);
  z.Gravar();
  z.Gravar();
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kOntem)}), 1);
  EXPECT_EQ(ecf_.GTotal(kOntem).Field("Vl_GTotalFinal").ToMoney(), gt_ontem + Money::FromInt(1));
  // An older day stored again leaves the reference date where it was.
  d.Dt_Movimento = kOntem.AddDays(-3);
  z.SetDados(d);
  z.Gravar();
  ecf_.Carregar();
  EXPECT_EQ(ecf_.Dt_Referencia(), kOntem);
}

std::string Centavos(Money m, int largura) {
  const std::string digitos = std::to_string(m.Raw() / 100);
  return std::string(static_cast<size_t>(largura) - digitos.size(), '0') + digitos;
}

// Splits a record type's text into its records.
std::vector<std::string> Linhas(const bp::host::RegistroMovimento& r) {
  return bp::testing::CrlfLines(r.Tx_Registros);
}

TEST_F(FiscalStation, RecordWriterWritesTodaysMovementAtTheLayoutsWidths) {
  env_.now = kHoje.AddSeconds(23 * 3600);
  impressora_.ImprimirReducaoZ();
  const bp::host::DadosReducaoZ d = impressora_.DadosultimaReducaoZ(s_);
  ASSERT_EQ(d.Dt_Movimento, kHoje);
  station::ReducaoZ z(s_);
  z.SetDados(d);
  z.Gravar();

  station::RegistroMovimentoEcf w(s_);
  bp::host::RegistroECF ecf{1, 1, ""};
  const std::string serie = "BE0501SC5601101001";
  const auto r01 = w.R01(kHoje, kHoje, serie, "", d.Ds_TipoECF, d.Ds_MarcaECF, d.Ds_ModeloECF,
                         d.Ds_VersaoSoftwareBasicoECF, d.Dt_InstalacaoSoftwareECF, 1,
                         d.No_CnpjEmpresaUsuariaECF, d.Cd_IEstadualEmpresaUsuariaECF);
  const auto r02 = w.R02(kHoje, kHoje, serie, "", d.Ds_ModeloECF, false);
  const auto r03 = w.R03(kHoje, kHoje, serie, "", d.Ds_ModeloECF);
  const auto r04 = w.R04(1, kHoje, kHoje, serie, "", d.Ds_ModeloECF, 1);
  const auto r05 = w.R05(ecf, 1, kHoje, kHoje, serie, "", d.Ds_ModeloECF, 1);
  const auto r06 = w.R06(ecf, 1, kHoje, kHoje, serie, "", d.Ds_ModeloECF, 1);
  const auto r07 = w.R07(ecf, 1, kHoje, kHoje, serie, "", d.Ds_ModeloECF, 1);
  const struct {
    const bp::host::RegistroMovimento& r;
    size_t largura;
    size_t registros;
  } tipos[] = {{r01, station::kLarguraR01, 1},  {r02, station::kLarguraR02, 1},
               {r03, station::kLarguraR03, 17}, {r04, station::kLarguraR04, 8},
               {r05, station::kLarguraR05, 8},  {r06, station::kLarguraR06, 2},
               {r07, station::kLarguraR07, 7}};
  for (const auto& t : tipos) {
    ASSERT_TRUE(t.r.Ic_Sucesso) << w.UltimaFalha();
    const std::vector<std::string> linhas = Linhas(t.r);
    EXPECT_EQ(linhas.size(), t.registros) << linhas.front().substr(0, 3);
    for (const std::string& l : linhas) EXPECT_EQ(l.size(), t.largura) << l;
  }
  // The gross sale of R02 is the grand total the day added, as the printer
  // counted it; the cancelled coupon shows in Can-T.
  // The state registration keeps its letters and digits only, uncut.
  std::string ie;
  for (char ch : d.Cd_IEstadualEmpresaUsuariaECF) {
    if (std::isalnum(static_cast<unsigned char>(ch))) ie += ch;
  }
  EXPECT_EQ(Linhas(r01)[0].substr(112, 14), ie + std::string(14 - ie.size(), ' '));
  const Money venda_bruta = impressora_.Emulador().Estado().ultima_reducao_z->venda_bruta;
  EXPECT_GT(venda_bruta, Money());
  EXPECT_EQ(Linhas(r02)[0].substr(89, 14), Centavos(venda_bruta, 14));
  const std::vector<std::string> r03l = Linhas(r03);
  EXPECT_EQ(r03l[0].substr(52, 7), "01T1800");
  EXPECT_EQ(r03l[16].substr(52, 7), "Can-S  ");
  EXPECT_NE(r03l[15].substr(59), std::string(13, '0'));  // Can-T holds coupon 8
  // The morning's withdrawal: its receipt among the other documents, its
  // amount on OPNF and as a payment after the coupons'.
  EXPECT_EQ(Linhas(r06)[0].substr(71, 2), "CN");
  EXPECT_EQ(Linhas(r06)[1].substr(71, 2), "RZ");
  EXPECT_EQ(r03l[10].substr(52),
            "OPNF   " + Centavos(Money::FromInt(FiscalDemo::kSangria), 13));
  EXPECT_EQ(Linhas(r07)[6].substr(85, 13),
            Centavos(Money::FromInt(FiscalDemo::kSangria), 13));
}

TEST_F(FiscalStation, ARecordTypeThatCannotBeWrittenFailsWhole) {
  station::RegistroMovimentoEcf w(s_);
  bp::host::RegistroECF ecf{1, 1, ""};
  bp::db::Connection& c = s_.Dal().Conexao();
  // A taxed item at a rate the printer was not programmed with.
  c.Execute("UPDATE ItemCupomFiscal SET No_TribIcms = 'T', Tx_Icms = 7 WHERE Dt_Emissao = ?",
            {Value(kHoje)});
  auto r05 = w.R05(ecf, 1, kHoje, kHoje, "X", "", "M", 1);
  EXPECT_FALSE(r05.Ic_Sucesso);
  EXPECT_TRUE(r05.Tx_Registros.empty());
  EXPECT_NE(w.UltimaFalha().find("7"), std::string::npos);
  // 12 % is programmed: the items go to slot 02.
  c.Execute("UPDATE ItemCupomFiscal SET Tx_Icms = 12 WHERE Dt_Emissao = ?", {Value(kHoje)});
  r05 = w.R05(ecf, 1, kHoje, kHoje, "X", "", "M", 1);
  ASSERT_TRUE(r05.Ic_Sucesso) << w.UltimaFalha();
  EXPECT_EQ(Linhas(r05)[0].substr(229, 7), "02T1200");
  // A quantity beyond the field's 9999.999 litres.
  c.Execute("UPDATE ItemCupomFiscal SET Qt_Unidade = 10000 WHERE Dt_Emissao = ?", {Value(kHoje)});
  EXPECT_FALSE(w.R05(ecf, 1, kHoje, kHoje, "X", "", "M", 1).Ic_Sucesso);
  EXPECT_NE(w.UltimaFalha().find("quantidade"), std::string::npos);
  // A day without movement writes nothing, successfully.
  const auto vazio = w.R04(1, kHoje.AddDays(5), kHoje.AddDays(5), "X", "", "M", 1);
  EXPECT_TRUE(vazio.Ic_Sucesso);
  EXPECT_TRUE(vazio.Tx_Registros.empty());
}

// Every line of the file before its EAD record, and whether the file ends
// with one.
std::vector<std::string> Registros(const std::string& caminho) {
  std::vector<std::string> linhas = bp::testing::CrlfLines(bp::testing::ReadFile(caminho));
  if (!linhas.empty() && linhas.back().rfind("EAD", 0) == 0) linhas.pop_back();
  return linhas;
}

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
  EXPECT_EQ(contagem["R04"], registros_r04);
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
  EXPECT_EQ(Um("SELECT Vl_GTotalFinal FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kHoje)})
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

// The text after `label` up to the end of its line.
std::string Depois(const std::string& texto, const std::string& label) {
  const size_t at = texto.find(label);
  if (at == std::string::npos) return "";
  const size_t inicio = at + label.size();
  return texto.substr(inicio, texto.find('\n', inicio) - inicio);
}

// Closing the day, closing it again (a printer refuses a second Z of a day,
// so the stored Z and the signed file stay as the first closing left them),
// opening the next day, and a printer switched off at the next closing.
TEST(PostoDia, ClosesAndOpensTheDemoDayAndReportsAFailingPrinter) {
  bp::testing::TestEnv env;
  bp::testing::EstacaoFiscal estacao(env);
  estacao.sessao.reset();
  const std::string db = " --db " + estacao.banco;
  const auto reducoes = [&] {
    return bp::testing::TablesAsText(*bp::db::Connection::Open(estacao.banco), {"ReducaoZ"});
  };

  Saida s = Posto(env, "dia fechar" + db + " --now '2026-12-05 23:00'");
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("Dia fechado: redução Z de 05/12/2026."), std::string::npos) << s.texto;
  const std::string fechado = Depois(s.texto, "Arquivo de movimento assinado: ");
  EXPECT_EQ(fechado.rfind(env.Folder() + "/Fiscal/ECF/Dados ReducaoZ/", 0), 0u) << s.texto;
  EXPECT_EQ(fechado.substr(fechado.size() - 12), "05122026.txt");
  const std::string conteudo = ReadFile(fechado);
  const std::string z = reducoes();
  for (const char* quando : {"'2026-12-05 23:30'", "'2026-12-06 01:00'"}) {
    SCOPED_TRACE(quando);
    s = Posto(env, "dia fechar" + db + " --now " + quando);
    EXPECT_EQ(s.rc, 1) << s.texto;
    EXPECT_NE(s.texto.find("Passo 2 falhou: 0x800405F2 A impressora retornou erro"),
              std::string::npos)
        << s.texto;
    EXPECT_EQ(reducoes(), z);
    EXPECT_EQ(ReadFile(fechado), conteudo);
  }

  s = Posto(env, "dia abrir" + db + " --now 2026-12-06T07:00");
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("Redução Z de 05/12/2026 gravada."), std::string::npos) << s.texto;
  EXPECT_NE(Depois(s.texto, "Cupons não concluídos excluídos: "), "0") << s.texto;
  EXPECT_EQ(Depois(s.texto, "Arquivo de movimento assinado: "), fechado);
  EXPECT_EQ(bp::VerifyEAD(fechado, bp::testing::TestModulus()).status, bp::EadStatus::kOk);

  ASSERT_EQ(Posto(env, "ecf falha desligada" + db).rc, 0);
  s = Posto(env, "dia fechar" + db + " --now '2026-12-06 23:00'");
  EXPECT_EQ(s.rc, 1) << s.texto;
  EXPECT_NE(s.texto.find("Passo 2 falhou: 0x800405FF Impressora desligada ou cabo desconectado"),
            std::string::npos)
      << s.texto;
  const std::string log = Depois(s.texto, "Falhas registradas em ");
  EXPECT_EQ(log.substr(log.size() - 17), "2026-12-06Ret.log");
  EXPECT_NE(ReadFile(log).find("BPAbrirDia.FecharDia - Passo:2\r\n"), std::string::npos);
}

// The main job a newcomer runs first: the demo station, a release at
// terminal 1, the day closed and the next one opened, the file's signature,
// all with keys the demo makes for itself in its folder (the variables name
// files that do not exist, so the test program's keys cannot stand in).
TEST(PostoDemo, RunsTheWholeStationDayWithItsOwnKeys) {
  bp::testing::TestEnv env;
  bp::testing::ScopedVariable no_pair(bp::kEadKeyVariable, env.Path("nenhuma.pem"));
  bp::testing::ScopedVariable no_serial(bp::kSerialKeyVariable, env.Path("nenhuma.key"));
  const std::string pasta = env.Path("demo");
  const Saida s = Posto(env, "demo " + pasta);
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("PERMITIDO(Tecle enter para liberar bico)"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find("Bico liberado e responsabilidade gravada."), std::string::npos);
  EXPECT_NE(s.texto.find("Assinatura EAD válida."), std::string::npos) << s.texto;

  const bp::KeyResult<bp::EadKey> pair = bp::ReadEadKey(pasta + "/" + bp::kEadKeyFileName);
  ASSERT_TRUE(pair.key) << pair.failure;
  EXPECT_TRUE(bp::ReadSerialKey(pasta + "/" + bp::kSerialKeyFileName).key);
  for (const auto& arquivo : std::filesystem::directory_iterator(pasta + "/Fiscal/ECF/Dados ReducaoZ")) {
    const Saida v = Posto(env, "ead verificar '" + arquivo.path().string() + "' --modulo " +
                                   pair.key->modulus);
    EXPECT_EQ(v.rc, 0) << v.texto;
  }
}

}  // namespace
