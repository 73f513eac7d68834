#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_faturamento.h"
#include "bp/erros.h"
#include "support/billing_fakes.h"
#include "support/db_checks.h"

namespace bp {
namespace {

using testing::FakeBillingHost;
using testing::FakeCupom;
using Calls = std::vector<std::string>;

const DateTime kHoje = DateTime::Of(2026, 12, 5);  // the TestEnv's clock is 05/12/2026 10:00

struct Faturamento {
  Faturamento() { classe.SetObBOSistema(fake); }
  int32_t Faturar(DateTime vencimento, uint8_t imp_nf = 11, Money debito = Money::FromInt(100)) {
    return classe.Faturar(100, kHoje, vencimento, imp_nf, 5, debito);
  }
  testing::TestEnv env;
  std::shared_ptr<FakeBillingHost> fake = std::make_shared<FakeBillingHost>();
  BPFaturamento classe;
};

using testing::FailureOf;

TEST(BillingFaturar, StoresTheReceivableThenCorrectsItsValueToTheCouponsSum) {
  Faturamento f;
  f.fake->script.cliente.Tx_Desconto = 10;
  f.fake->script.cliente.Cd_Pessoa = 100;
  f.fake->script.cliente.Ic_CobrancaTipo[1] = true;
  f.fake->script.cliente.Ic_CobrancaTipo[2] = true;
  f.fake->script.cliente.Ic_DataLimiteNoVencimento = true;
  f.fake->script.empresa.dias_cobranca_tipo[1] = 3;
  f.fake->script.empresa.dias_segunda_data = -40;
  f.fake->script.empresa.valor_padrao_conta_a_receber = Money::FromDouble(2.5);
  f.fake->script.soma = Money::FromInt(100);
  const DateTime vencimento = kHoje.AddDays(30);
  EXPECT_EQ(f.Faturar(vencimento), 501);
  EXPECT_EQ(f.fake->log,
            (Calls{"BeginWork BPFaturamento.Faturar", "Cliente.Carregar 7/100",
                   "BeginTrans Faturar", "Conta.Incluir 90",
                   "DAL.MudarCupomPendenteParaFaturado 7 100 501 05/12/2026 04/01/2027 5",
                   "DAL.TotalDosCuponsDaConta 7 501", "Conta.Alterar 100", "CommitTrans Faturar",
                   "EndWork BPFaturamento.Faturar"}));
  const host::RegistroContaAReceber& r = f.fake->contas.back();
  EXPECT_EQ(r.Dt_Emissao, kHoje);  // the due date lies ahead
  EXPECT_EQ(r.Dt_Vencimento, vencimento);
  EXPECT_EQ(r.Dt_VencimentoOriginal, vencimento);
  EXPECT_EQ(r.Vl_Desconto, Money::FromInt(10));
  EXPECT_EQ(r.Vl_Acrescimo, Money());
  EXPECT_EQ(r.Vl_SaldoDebito, Money::FromInt(90));  // keeps what the percentages gave
  EXPECT_EQ(r.Vl_DespesaCobranca, Money::FromDouble(2.5));
  EXPECT_EQ(r.Cd_Pessoa, 100);
  EXPECT_EQ(r.Tp_Cobranca, "2");
  EXPECT_EQ(r.Dt_Cobranca, vencimento.AddDays(3));
  EXPECT_EQ(r.Dt_Limite, kHoje);  // 40 days before the due date lies in the past
  EXPECT_EQ(r.Dt_Protesto, vencimento);
  EXPECT_EQ(r.Dt_Cadastro, f.env.now);
  EXPECT_EQ(r.Tp_Documento, 10);
  EXPECT_TRUE(r.Ic_Faturada);

  // A due date of yesterday is also the issue date; a surcharge of 2.5 %
  // on 33.33 (0.83325) is converted back to money with the half to even; no
  // correction when the sum agrees.
  Faturamento g;
  g.fake->script.cliente.Tx_Acrescimo = 2.5;
  g.fake->script.soma = Money::FromDouble(34.1632);
  g.Faturar(kHoje.AddDays(-1), 11, Money::FromDouble(33.33));
  EXPECT_EQ(g.fake->contas.size(), 1u);
  EXPECT_EQ(g.fake->contas[0].Dt_Emissao, kHoje.AddDays(-1));
  EXPECT_EQ(g.fake->contas[0].Vl_Acrescimo, Money::FromDouble(0.8332));
  EXPECT_EQ(g.fake->contas[0].Tp_Cobranca, "");
}

TEST(BillingFaturar, EveryFailureRollsBackAndEndsTheWork) {
  {
    Faturamento f;  // nothing pending: the sum is 0
    const Erro e = FailureOf([&] { f.Faturar(kHoje); });
    EXPECT_EQ(e.number, kErroNegocio);
    EXPECT_EQ(e.description,
              "Erro na coferencia entre o valor da conta a receber e a soma a partir dos cupons, "
              "não encontrado nenhum cupom para a conta:501");
    EXPECT_EQ(e.source, " -> BPFaturamento.GerarContaAReceber,  -> BPFaturamento.Faturar, ");
    EXPECT_EQ(Calls(f.fake->log.end() - 2, f.fake->log.end()),
              (Calls{"RollbackTrans Faturar", "EndWork BPFaturamento.Faturar"}));
  }
  {
    Faturamento f;  // the status change answers no: 0 without an error
    f.fake->script.mudar_resposta = false;
    EXPECT_EQ(f.Faturar(kHoje), 0);
    EXPECT_EQ(f.fake->log.back(), "EndWork BPFaturamento.Faturar");
    EXPECT_EQ(f.fake->log[f.fake->log.size() - 2], "RollbackTrans Faturar");
  }
  {
    Faturamento f;  // a host failure keeps its number and description
    f.fake->falhas["Conta.Incluir"] = Erro(-2147217873, "violação", "Provider");
    const Erro e = FailureOf([&] { f.Faturar(kHoje); });
    EXPECT_EQ(e.number, -2147217873);
    EXPECT_EQ(e.source,
              "Provider -> BPFaturamento.GerarContaAReceber,  -> BPFaturamento.Faturar, ");
    EXPECT_EQ(Calls(f.fake->log.end() - 2, f.fake->log.end()),
              (Calls{"RollbackTrans Faturar", "EndWork BPFaturamento.Faturar"}));
  }
  {
    Faturamento f;  // a failure before the transaction ends the work only
    f.fake->falhas["Cliente.Carregar"] = Erro(-2147220990, "Registro nao encontrado");
    EXPECT_EQ(FailureOf([&] { f.Faturar(kHoje); }).number, -2147220990);
    EXPECT_EQ(f.fake->log, (Calls{"BeginWork BPFaturamento.Faturar", "Cliente.Carregar 7/100",
                                  "EndWork BPFaturamento.Faturar"}));
  }
}

TEST(BillingNota, InvoiceOfTheReceivableWithOneLinePerPrice) {
  Faturamento f;
  f.fake->script.empresa.emitir_nf_no_faturamento = true;
  f.fake->script.soma = Money::FromInt(100);
  f.fake->script.uf_destinatario = "MG";
  f.fake->script.cliente.Ds_ObservacaoNfFatura = "PEDIDO 12";
  f.fake->script.linhas = {{Value(1), Value(Money::FromDouble(2.5)), Value("000"), Value(18.0),
                            Value(false), Value(100.0), Value("T")},
                           {Value(1), Value(Money::FromDouble(2.8)), Value("000"), Value(18.0),
                            Value(false), Value(100.0), Value("T")}};
  f.fake->script.valores_linha = {Money::FromInt(30), Money::FromInt(70)};
  EXPECT_EQ(f.Faturar(kHoje, 12), 501);
  EXPECT_EQ(Calls(f.fake->log.begin() + 6, f.fake->log.end()),
            (Calls{"DAL.LinhasDaNota 7 501 0", "DAL.LinhasDaNota 7 501 0", "Cliente.Carregar 7/100",
                   "Nota.Preparar", "DAL.ValorDaLinha 7 501 1 2.5", "DAL.ValorDaLinha 7 501 1 2.8",
                   "Nota.Calcular", "Nota.Gravar", "CommitTrans Faturar",
                   "EndWork BPFaturamento.Faturar"}));
  const host::RegistroNotaSaida& nota = f.fake->notas.at(0);
  EXPECT_EQ(nota.Cd_Operacao, 91);
  EXPECT_EQ(nota.Ds_Observacao, "TRIBUTADO PELOS CUPONS FISCAIS");
  EXPECT_EQ(nota.Ds_ObservacaoCliente, "PEDIDO 12");
  EXPECT_EQ(nota.Hr_Emissao, "10:00:00");
  EXPECT_EQ(nota.Vl_Total, Money::FromInt(100));  // the receivable's corrected value
  EXPECT_EQ(nota.Cd_ContaAReceber, 501);
  const std::vector<host::ItemNotaSaida>& itens = f.fake->itens.at(0);
  ASSERT_EQ(itens.size(), 2u);
  EXPECT_EQ(itens[0].No_Item, 1);
  EXPECT_EQ(itens[1].No_Item, 2);
  EXPECT_DOUBLE_EQ(itens[0].Qt_Unidade, 12);
  EXPECT_DOUBLE_EQ(itens[1].Qt_Unidade, 25);
  EXPECT_EQ(itens[0].No_Nota, 9001);
  EXPECT_EQ(itens[0].Cd_CfopItem, "6929");  // another state than the company's
  EXPECT_EQ(itens[0].Cd_CompCFOP, "01");

  // The same state takes the first pair.
  Faturamento g;
  g.fake->script = f.fake->script;
  g.fake->script.uf_destinatario = "SP";
  g.fake->script.valores_linha = {Money::FromInt(30), Money::FromInt(70)};
  g.Faturar(kHoje, 12);
  EXPECT_EQ(g.fake->itens.at(0).at(1).Cd_CfopItem, "5929");
}

TEST(BillingNota, WhenAnInvoiceIsDue) {
  Faturamento f;
  EXPECT_FALSE(f.classe.DeveraGerarNotaFiscal(11, 3));
  EXPECT_FALSE(f.classe.DeveraGerarNotaFiscal(12, 3));  // no lines
  f.fake->script.linhas = {{Value(1), Value(Money::FromInt(3)), Value("000"), Value(0.0),
                            Value(false), Value(0.0), Value("F")}};
  EXPECT_TRUE(f.classe.DeveraGerarNotaFiscal(12, 3));
  EXPECT_FALSE(f.classe.DeveraGerarNotaFiscal(11, 3));
  f.fake->log.clear();
  f.fake->script.linhas.clear();
  f.fake->script.empresa.nf_todas_as_linhas = true;
  EXPECT_TRUE(f.classe.DeveraGerarNotaFiscal(12, 3));
  EXPECT_TRUE(f.fake->log.empty());  // every line is invoiced: nothing to look at

  // Switch off: no invoice is looked at, the run commits.
  Faturamento g;
  g.fake->script.soma = Money::FromInt(100);
  g.Faturar(kHoje, 12);
  EXPECT_EQ(g.fake->log[g.fake->log.size() - 2], "CommitTrans Faturar");
  EXPECT_TRUE(g.fake->notas.empty());
}

struct Seletivo : Faturamento {
  int32_t Faturar(std::vector<FakeCupom>& cupons) {
    std::vector<host::BOCupomFiscal*> col;
    for (FakeCupom& c : cupons) col.push_back(&c);
    return classe.FaturamentoSeletivo(100, col, 5);
  }
  std::vector<std::string> Rotulos() const {
    std::vector<std::string> r;
    for (const ProgressView& v : env.draws) {
      if (v.action == "Faturando" && v.percent_label != "%" &&
          (r.empty() || r.back() != v.percent_label))
        r.push_back(v.percent_label);
    }
    return r;
  }
};

TEST(BillingSeletivo, BillsThePickedCouponsWithProgress) {
  {
    Seletivo s;  // one coupon due in the past: no progress drawn, due today
    std::vector<FakeCupom> cupons;
    cupons.emplace_back(*s.fake, 11, 100, Money::FromDouble(40.5), kHoje.AddDays(-3),
                        kHoje.AddDays(-9));
    EXPECT_EQ(s.Faturar(cupons), 501);
    EXPECT_EQ(
        s.fake->log,
        (Calls{"BeginWork BPFaturamento.FaturamentoSeletivo", "BeginTrans FaturamentoSeletivo",
               "Cliente.Carregar 7/100", "Cupom.Carregar 11", "Conta.Incluir 40.5",
               "Cupom.Faturar 11 501 05/12/2026 5 05/12/2026 26/11/2026",
               "CommitTrans FaturamentoSeletivo", "EndWork BPFaturamento.FaturamentoSeletivo"}));
    EXPECT_EQ(s.fake->contas[0].Dt_Vencimento, kHoje);
    EXPECT_EQ(s.fake->contas[0].Dt_VencimentoOriginal, kHoje);
    EXPECT_TRUE(s.Rotulos().empty());
  }
  {
    Seletivo s;  // nine coupons: percentages rounded with halves to even
    std::vector<FakeCupom> cupons;
    for (int i = 1; i <= 9; ++i) {
      cupons.emplace_back(*s.fake, i, 100, Money::FromInt(10), kHoje.AddDays(i));
    }
    s.fake->script.cliente.Tp_ImpNf = 12;
    s.fake->script.empresa.emitir_nf_no_faturamento = true;
    EXPECT_EQ(s.Faturar(cupons), 501);
    EXPECT_EQ(s.Rotulos(), (std::vector<std::string>{"12,00%", "25,00%", "38,00%", "50,00%",
                                                     "62,00%", "75,00%", "88,00%", "100,00%"}));
    EXPECT_EQ(s.env.draws.back().caption, "Andamento faturamento");
    EXPECT_EQ(s.fake->contas[0].Dt_Vencimento, kHoje.AddDays(9));
    EXPECT_EQ(s.fake->contas[0].Vl_Debito, Money::FromInt(90));
    // Customer 12 gets the invoice even with no line rows.
    EXPECT_EQ(s.fake->notas.size(), 1u);
    EXPECT_TRUE(s.fake->itens[0].empty());
  }
  {
    Seletivo s;  // a coupon of another customer: nothing stays billed
    std::vector<FakeCupom> cupons;
    cupons.emplace_back(*s.fake, 1, 100, Money::FromInt(10), kHoje);
    cupons.emplace_back(*s.fake, 2, 200, Money::FromInt(10), kHoje);
    const Erro e = FailureOf([&] { s.Faturar(cupons); });
    EXPECT_EQ(e.number, kErroNegocio);
    EXPECT_EQ(e.description,
              "Existe cupom fiscal selecionado que não pertence ao cliente do faturamento");
    EXPECT_EQ(
        e.source,
        " -> BPFaturamento.GerarContaAReceberSeletivo,  -> BPFaturamento.FaturamentoSeletivo, ");
    EXPECT_EQ(
        Calls(s.fake->log.end() - 3, s.fake->log.end()),
        (Calls{"Cupom.Faturar 1 501 05/12/2026 5 05/12/2026 30/12/1899", "RollbackTrans FaturamentoSeletivo",
               "EndWork BPFaturamento.FaturamentoSeletivo"}));
  }
}

}  // namespace
}  // namespace bp
