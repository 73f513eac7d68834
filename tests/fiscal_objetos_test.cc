// The station's fiscal objects and movement-file record writer over the
// seeded station: what day opening and the export rely on them for.
#include <gtest/gtest.h>

#include <cctype>

#include "bp/criptografia.h"
#include "bp/erro.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/fiscal/reducao_z.h"
#include "station/fiscal/registro_movimento_ecf.h"
#include "station/seed/seed_fiscal.h"
#include "support/db_checks.h"
#include "tests/support/estacao_fiscal.h"

namespace {

using bp::DateTime;
using bp::Money;
using bp::Value;
using bp::testing::EstacaoFiscal;

const DateTime kHoje = EstacaoFiscal::Agora().DatePart();
const DateTime kOntem = kHoje.AddDays(-1);

class FiscalObjetos : public ::testing::Test {
 protected:
  bp::testing::TestEnv env_;
  EstacaoFiscal estacao_{env_};
  station::Sessao& s_ = *estacao_.sessao;

  int32_t Contar(const std::string& sql, const std::vector<Value>& p = {}) {
    return s_.Dal().Conexao().Query(sql, p).Field(0).ToInt32();
  }
  // The COO of today's coupon number n (1-based, in issue order).
  int32_t CooDeHoje(int n) {
    const bp::db::Recordset rs = s_.Dal().Conexao().Query(
        "SELECT No_CupomFiscal FROM CupomFiscal WHERE Dt_Emissao = ? ORDER BY No_CupomFiscal",
        {Value(kHoje)});
    return rs.Rows().at(static_cast<size_t>(n - 1))[0].ToInt32();
  }
};

TEST_F(FiscalObjetos, EcfCouponAndZRecordAnswerAsDayOpeningNeeds) {
  station::Ecf ecf(s_);
  ecf.Registro().Cd_PessoaUsuaria = 1;
  ecf.Registro().No_Impressora = 1;
  ecf.Carregar();
  std::string serie = ecf.Registro().No_SerieCriptografada;
  EXPECT_EQ(bp::Desencriptar(serie), station::FiscalDemo::kSerie);
  // The reference date is the day of the last Z reduction stored.
  EXPECT_EQ(ecf.Dt_Referencia(), kOntem);
  const Money gt_ontem =
      s_.Dal()
          .Conexao()
          .Query("SELECT Vl_GTotalFinal FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(kOntem)})
          .Field(0)
          .ToMoney();
  EXPECT_EQ(ecf.GTotal(kOntem).Field("Vl_GTotalFinal").ToMoney(), gt_ontem);
  EXPECT_EQ(ecf.Cancelamentos(kHoje).RecordCount(), 1);  // no Z yet: one row of zero
  EXPECT_EQ(ecf.Cancelamentos(kHoje).Field("Vl_Cancelamentos").ToMoney(), Money());

  station::CupomFiscal cupom(s_);
  cupom.Registro().Cd_PessoaUsuaria = 1;
  bp::db::Recordset abertos = cupom.CuponsNaoConcluidos(kHoje, 1);
  ASSERT_EQ(abertos.RecordCount(), 2);
  EXPECT_EQ(abertos.Field("No_CupomFiscal").ToInt32(),
            CooDeHoje(station::FiscalDemo::kCupomNaoConcluidoMantido));
  EXPECT_EQ(cupom.CuponsNaoConcluidos(kOntem, 1).RecordCount(), 0);

  auto& r = cupom.Registro();
  r.No_Impressora = 1;
  r.No_CupomFiscal = CooDeHoje(station::FiscalDemo::kCupomNaoConcluidoCancelado);
  r.Dt_Emissao = kHoje;
  cupom.Carregar();
  EXPECT_FALSE(r.Ic_CupomConcluido);
  EXPECT_GT(r.Vl_Total, Money());
  cupom.Excluir();
  EXPECT_EQ(
      Contar("SELECT COUNT(*) FROM ItemCupomFiscal WHERE No_CupomFiscal = ? AND Dt_Emissao = ?",
             {Value(r.No_CupomFiscal), Value(kHoje)}),
      0);
  EXPECT_EQ(Contar("SELECT COUNT(*) FROM CupomFiscal WHERE Dt_Emissao = ?", {Value(kHoje)}),
            station::FiscalDemo::kCuponsDeHoje - 1);
  const bp::Erro e = bp::testing::FailureOf([&] { cupom.Excluir(); });
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
  EXPECT_EQ(ecf.GTotal(kOntem).Field("Vl_GTotalFinal").ToMoney(), gt_ontem + Money::FromInt(1));
  // An older day stored again leaves the reference date where it was.
  d.Dt_Movimento = kOntem.AddDays(-3);
  z.SetDados(d);
  z.Gravar();
  ecf.Carregar();
  EXPECT_EQ(ecf.Dt_Referencia(), kOntem);
}

std::string Centavos(Money m, int largura) {
  const std::string digitos = std::to_string(m.Raw() / 100);
  return std::string(static_cast<size_t>(largura) - digitos.size(), '0') + digitos;
}

// Splits a record type's text into its records.
std::vector<std::string> Linhas(const bp::host::RegistroMovimento& r) {
  return bp::testing::CrlfLines(r.Tx_Registros);
}

TEST_F(FiscalObjetos, RecordWriterWritesTodaysMovementAtTheLayoutsWidths) {
  env_.now = kHoje.AddSeconds(23 * 3600);
  station::ImpressoraFiscal impressora(s_, estacao_.PastaEcf());
  impressora.ImprimirReducaoZ();
  const bp::host::DadosReducaoZ d = impressora.DadosultimaReducaoZ(s_);
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
  const Money venda_bruta = impressora.Emulador().Estado().ultima_reducao_z->venda_bruta;
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
            "OPNF   " + Centavos(Money::FromInt(station::FiscalDemo::kSangria), 13));
  EXPECT_EQ(Linhas(r07)[6].substr(85, 13),
            Centavos(Money::FromInt(station::FiscalDemo::kSangria), 13));
}

TEST_F(FiscalObjetos, ARecordTypeThatCannotBeWrittenFailsWhole) {
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

}  // namespace
