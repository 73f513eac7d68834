// The walk of the version steps 308 to 441, shared by the SQLite and the
// PostgreSQL tests: stand-ins for what earlier steps create, and rows made
// for each data correction with the checks of their effects.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "bp/schema/shorthands.h"
#include "bp/schema/version_step.h"
#include "schema/steps/steps.h"
#include "support/step_walk.h"

namespace bp::testing::steps308 {

// Stand-ins for the earlier steps whose work steps 308 to 441 build on:
// step 19 renames the situation code of the entry items, 125 and 149
// create the payments and the general cash ledger (history of 100
// characters), 151 the bank-account entries, 162 adds the ICMS-ST columns
// of the entry items and 295 the coupons' business day.
inline void AddEarlierSteps(schema::StepTable& t) {
  using namespace schema;
  const std::string emp = "Cd_PessoaUsuaria";
  t.Add(Step{19, Tolerance::kNone, [](StepContext& c) {
               c.Run(RenameColumn{"ItemNotaEntrada", v18::kSitTributaria, "No_SitTributaria"});
             }});
  t.Add(Step{125, Tolerance::kNone, [=](StepContext& c) {
               c.Run(CreateTable{{"Pagamento", {NotNull("Cd_PessoaUsuaria", Int()), NotNull("Cd_Pagamento", Int())},
                                  PrimaryKey{"XPKPagamento", {emp, "Cd_Pagamento"}}}});
             }});
  t.Add(Step{149, Tolerance::kNone, [=](StepContext& c) {
               c.Run(CreateTable{{"LanCaixaGeral",
                                  {NotNull("Cd_PessoaUsuaria", Int()), NotNull("No_LancamentoCaixaGeral", Int()),
                                   {"Dt_Lancamento", DateTimeType(), Nullability::kNotNull},
                                   Nullable("Vl_Saldo", MoneyType()), Nullable("Vl_Lancamento", MoneyType()),
                                   Nullable("Ds_Historico", VarChar(100))},
                                  PrimaryKey{"XPKLanCaixaGeral", {emp, "No_LancamentoCaixaGeral"}},
                                  {Index{"XIF187LanCaixaGeral", {emp}}},
                                  {ForeignKey{"R_254", {emp}, "EmpresaUsuaria"}}}});
               c.Run(CreateTable{{"PagamentoPorCaixa",
                                  {NotNull("Cd_PessoaUsuaria", Int()), NotNull("Cd_Pagamento", Int()),
                                   {"Dt_Lancamento", DateTimeType(), Nullability::kNotNull},
                                   NotNull("No_LancamentoCaixaGeral", Int())},
                                  PrimaryKey{"XPKPagamentoPorCaixa",
                                             {emp, "Cd_Pagamento", "Dt_Lancamento",
                                              "No_LancamentoCaixaGeral"}},
                                  {},
                                  {ForeignKey{"R_241", {emp, "Cd_Pagamento"}, "Pagamento"},
                                   ForeignKey{"R_255", {emp, "No_LancamentoCaixaGeral"},
                                              "LanCaixaGeral"}}}});
             }});
  t.Add(Step{151, Tolerance::kNone, [=](StepContext& c) {
               c.Run(CreateTable{{"LanCcBancaria",
                                  {NotNull("Cd_PessoaUsuaria", Int()), NotNull("No_LanCcBancaria", Int()),
                                   Nullable("Cd_TipoLanCCBancaria", TinyInt())},
                                  PrimaryKey{"XPKLanCcBancaria", {emp, "No_LanCcBancaria"}}}});
             }});
  t.Add(Step{162, Tolerance::kNone, [=](StepContext& c) {
               c.Run(AddColumn{"ItemNotaEntrada", Nullable("Vl_IcmsStAnterior", MoneyType())});
               c.Run(AddColumn{"ItemNotaEntrada", Nullable("Vl_BaseCalculoIcmsStAnterior", MoneyType())});
             }});
  t.Add(Step{295, Tolerance::kNone, [=](StepContext& c) {
               c.Run(AddColumn{"CupomFiscal", Nullable("Dt_Movimento", DateTimeType())});
             }});
}

// A version-18 database walked by the driver with steps 308 to 441 and the
// stand-ins.
inline StepWalkOptions Range(const std::string& banco = {}) {
  return WalkOver({AddEarlierSteps, schema::AddSteps308To441}, banco);
}

// The rows of a query, each as its fields joined by "|" (NULL for null).
inline std::vector<std::string> Lines(db::Connection& db, const std::string& sql) {
  return RowTexts(db, sql, "NULL", RegionalSettings::Invariant());
}
using Expected = std::vector<std::string>;

// Walks to 441 with rows made for each data correction of the range and
// checks what the corrections did to them, and what they left alone.
inline void WalkWithRows(StepWalk& walk) {
  db::Connection& db = walk.Db();
  walk.To(307);
  const std::string long_text(100, 'H');
  InsertProducts(db, "PISTA", "VENDAS", {"10, 'GASOLINA', -1"});
  walk.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (2, 'CLIENTE'), "
      "(3, 'FRENTISTA'), (4, 'DISTRIBUIDORA'), (5, 'CAIXA')",
      "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 2)",
      "INSERT INTO Funcionario (Cd_PessoaUsuaria, Cd_Funcionario, Cd_Agencia, "
      "Cd_Conta) VALUES (1, 3, 1234, 567890), (1, 5, NULL, NULL)",
      "INSERT INTO Fornecedor (Cd_PessoaUsuaria, Cd_Fornecedor) VALUES (1, 4)",
      "INSERT INTO TipoNF (Cd_TipoNF, Ds_TipoNF) VALUES (1, 'NOTA FISCAL')",
      "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) VALUES (1, 1, 100)",
      "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, "
      "Cd_Produto) VALUES (1, 100, 1, 1, 10)",
      "INSERT INTO CFOP (Cd_Cfop, Ds_Cfop) VALUES (1102, 'COMPRA P/COMERCIALIZACAO')",
      "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, "
      "Cd_TipoNF, No_Nota) VALUES (500, 1, 4, 1, 9)",
      "INSERT INTO ItemNotaEntrada (No_Entrada, Cd_ProdutoItem, No_SitTributaria, "
      "Qt_UnidadeItem, No_Item, Cd_PessoaUsuaria, Cd_Cfop, Vl_IcmsStAnterior, "
      "Vl_BaseCalculoIcmsStAnterior) VALUES (500, 10, '060', 5000, 1, 1, 1102, "
      "12.5, 300.25), (500, 10, NULL, 2, 2, 1, NULL, NULL, NULL)",
      "INSERT INTO Despesa (Cd_PessoaUsuaria, No_Despesa, Cd_SeqDespesa, "
      "Dt_Lancamento) VALUES (1, 1, 1001, '2008-03-10 00:00:00'), "
      "(1, 2, 1002, NULL)",
      "INSERT INTO ItemDespesa (Cd_PessoaUsuaria, No_Despesa, No_Item, "
      "Nm_HistoricoComplementar) VALUES (1, 1, 1, '" + long_text + "'), (1, 1, 2, NULL)",
      "INSERT INTO TipoRecebimento (Cd_PessoaUsuaria, Cd_TipoRecebimento, "
      "Nm_TipoRecebimento) VALUES (1, 1, 'DINHEIRO')",
      "INSERT INTO Pagamento (Cd_PessoaUsuaria, Cd_Pagamento) VALUES (1, 1)",
      "INSERT INTO LanCaixaGeral (Cd_PessoaUsuaria, No_LancamentoCaixaGeral, "
      "Dt_Lancamento, Ds_Historico) VALUES (1, 1, '2008-03-10 00:00:00', "
      "'PAGAMENTO À VISTA'), (1, 2, '2008-03-11 00:00:00', NULL)",
      "INSERT INTO PagamentoPorCaixa (Cd_PessoaUsuaria, Cd_Pagamento, "
      "Dt_Lancamento, No_LancamentoCaixaGeral) VALUES (1, 1, "
      "'2008-03-10 00:00:00', 1)",
      "INSERT INTO Lmc (Cd_PessoaUsuaria, Cd_Produto, Dt_Movimento, No_Pagina) "
      "VALUES (1, 10, '2008-03-10 00:00:00', 7), (1, 10, '2008-03-11 00:00:00', NULL)",
      "INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, "
      "Cd_Produto) VALUES (1, 1, '01', 10)",
      "INSERT INTO Caixa (Cd_Caixa, Cd_PessoaUsuaria, Cd_Funcionario, Dt_Abertura) "
      "VALUES (1, 1, 3, '2008-03-10 00:00:00')",
      "INSERT INTO ContaAReceber (Cd_PessoaUsuaria, Cd_ContaAReceber, Cd_Cliente, "
      "Dt_BloqueioCredito) VALUES (1, 1, 2, '1899-12-30 00:00:00'), "
      "(1, 2, 2, '1960-01-01 00:00:00'), (1, 3, 2, '1960-01-02 00:00:00'), "
      "(1, 4, 2, NULL), (1, 5, 2, '2008-05-10 00:00:00')",
      "INSERT INTO TipoLanCCBancaria (Cd_TipoLanCCBancaria, Ds_TipoLanCCBancaria) "
      "VALUES (1, 'DEPOSITO'), (2, 'CHEQUE EMITIDO'), (3, 'TARIFA')",
  });
  walk.To(403);
  const Expected kinds = {"1|CUPONS SEM VENDA|1", "2|OUTROS RECEBIMENTOS EM DINHEIRO|1",
                          "3|VENDAS SEM CUPOM|2", "4|CONTAS RECEBIDA SEM BAIXA|2",
                          "5|CREDITO CLIENTES|2"};
  const std::string kinds_sql =
      "SELECT Cd_TipoDivergenciaCaixa, Ds_DivergenciaCaixa, No_NaturezaDivergencia "
      "FROM TipoDivergenciaCaixa ORDER BY 1";
  EXPECT_EQ(Lines(db, kinds_sql), kinds);
  walk.To(441);
  std::vector<int32_t> steps = {19,  125, 149, 151, 162, 295, 308, 312, 317, 318, 321, 324, 328,
                                331, 354, 356, 361, 366, 373, 374, 377, 379, 383, 384, 387, 389,
                                395, 398, 401, 403, 404, 415, 417, 420, 423, 424, 429, 431, 433,
                                436, 437, 438, 440, 441};
  EXPECT_EQ(walk.compared, steps);

  // 312: entered when posted; an expense never posted stays without a date.
  const auto despesas = db.Query("SELECT Dt_Inclusao FROM Despesa ORDER BY No_Despesa").Rows();
  EXPECT_EQ(despesas[0][0].ToDate(), DateTime::Of(2008, 3, 10));
  EXPECT_TRUE(despesas[1][0].IsNull());

  // 318, 324, 328: the seeded codes, accents as written, the old one kept.
  EXPECT_EQ(Lines(db, "SELECT Cd_Cfop, Ds_Cfop FROM CFOP ORDER BY Cd_Cfop"),
            (Expected{"1102|COMPRA P/COMERCIALIZACAO",
                      "1551|COMPRA PARA ATIVO IMOBILIZADO (DE)",
                      "1556|COMPRA PARA USO OU CONSUMO (DE)",
                      "1949|OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(DE)",
                      "2551|COMPRA PARA ATIVO IMOBILIZADO (FE)",
                      "2556|COMPRA PARA USO OU CONSUMO (FE)",
                      "2949|OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(FE)",
                      "5912|MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)",
                      "5913|RETORNO MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)"}));

  // 321: zero on what existed, and zero by default on what comes later.
  db.Execute("INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) VALUES (1, 1, 101)");
  db.Execute("INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, "
             "Cd_Produto) VALUES (1, 101, 1, 1, 10)");
  EXPECT_EQ(Lines(db, "SELECT Ic_DestacadoIcmsST FROM NotaSaida ORDER BY No_Nota"),
            (Expected{"0", "0"}));
  EXPECT_EQ(Lines(db, "SELECT Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior FROM ItemNotaSaida "
                      "ORDER BY No_Nota"),
            (Expected{"0|0", "0|0"}));

  // 324: the entry items came through the rebuild whole.
  EXPECT_EQ(Lines(db, "SELECT No_Entrada, Cd_ProdutoItem, No_SitTributaria, Qt_UnidadeItem, "
                      "No_Item, Cd_Cfop, Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior "
                      "FROM ItemNotaEntrada ORDER BY No_Item"),
            (Expected{"500|10|060|5000|1|1102|12.5|300.25", "500|10|NULL|2|2|NULL|NULL|NULL"}));

  // 354, 377, 440: the re-typed columns kept their values and take the new
  // widths.
  EXPECT_EQ(Lines(db, "SELECT Nm_HistoricoComplementar FROM ItemDespesa ORDER BY No_Item"),
            (Expected{long_text, "NULL"}));
  db.Execute("UPDATE ItemDespesa SET Nm_HistoricoComplementar = '" + std::string(200, 'x') +
             "' WHERE No_Item = 2");
  EXPECT_EQ(Lines(db, "SELECT Ds_Historico FROM LanCaixaGeral ORDER BY No_LancamentoCaixaGeral"),
            (Expected{"PAGAMENTO À VISTA", "NULL"}));
  db.Execute("UPDATE LanCaixaGeral SET Ds_Historico = '" + std::string(200, 'y') +
             "' WHERE No_LancamentoCaixaGeral = 2");
  EXPECT_EQ(Lines(db, "SELECT Cd_Agencia, Cd_Conta FROM Funcionario ORDER BY Cd_Funcionario"),
            (Expected{"1234|567890", "NULL|NULL"}));
  db.Execute("UPDATE Funcionario SET Cd_Agencia = '0123-4', Cd_Conta = '00012345-X' "
             "WHERE Cd_Funcionario = 5");

  // 366, 384, 389, 395, 404, 441: the new settings of what existed.
  EXPECT_EQ(Flags(db, "SELECT Ic_ExigirRecebimentoMesmoValorCompra FROM TipoRecebimento"), "F");
  EXPECT_EQ(Lines(db, "SELECT Vl_AdmitidoDiferencaValorCompraERecebimento FROM TipoRecebimento"),
            (Expected{"0"}));
  EXPECT_EQ(Lines(db, "SELECT Qt_LitrosReinicioAutomacao, Qt_ReinicioAutomacao FROM Bomba"),
            (Expected{"0|0"}));
  const auto empresa = db.Query(
      "SELECT Tx_MargemTransferenciaEmbalagemMinima, Tx_MargemTransferenciaEmbalagemMaxima, "
      "Ic_LancarInadiplenciaPerdidaNoFechamentoDiario, Ic_ExigirHodometroNaVenda, "
      "Ic_AceitarClienteSemCpfOuCnpj FROM EmpresaUsuaria");
  EXPECT_DOUBLE_EQ(empresa.Field(0).ToDouble(), 0.7);
  EXPECT_DOUBLE_EQ(empresa.Field(1).ToDouble(), 5.0);
  EXPECT_TRUE(empresa.Field(2).ToBool());
  EXPECT_TRUE(empresa.Field(3).ToBool());
  EXPECT_TRUE(empresa.Field(4).IsNull());
  EXPECT_EQ(Lines(db, "SELECT Vl_OutrosDebitos, Vl_OutrosCreditos FROM Caixa"), (Expected{"0|0"}));

  // 404: only the fourth kind of divergence was renamed.
  Expected renamed = kinds;
  renamed[3] = "4|CONTAS RECEBIDAS SEM BAIXA|2";
  EXPECT_EQ(Lines(db, kinds_sql), renamed);

  // 383, 424: empty prices; the next page number, an unnumbered page stays so.
  EXPECT_EQ(Lines(db, "SELECT No_Pagina, Ds_Precos FROM Lmc ORDER BY Dt_Movimento"),
            (Expected{"8|", "NULL|"}));

  // 429: the existing ledger entries were not made by the system.
  EXPECT_EQ(Flags(db, "SELECT Ic_LancamentoFeitoPeloSistema FROM LanCaixaGeral"), "FF");
  EXPECT_EQ(Lines(db, "SELECT No_LancamentoCaixaGeral FROM PagamentoPorCaixa"), (Expected{"1"}));

  // 431: blocks up to 1 January 1960 cleared, later ones kept.
  EXPECT_EQ(Lines(db, "SELECT Cd_ContaAReceber FROM ContaAReceber "
                      "WHERE Dt_BloqueioCredito IS NOT NULL ORDER BY 1"),
            (Expected{"3", "5"}));

  // 438: only kind 1 names a payee.
  EXPECT_EQ(Flags(db, "SELECT Fl_PermitirFavorecido FROM TipoLanCCBancaria "
                     "ORDER BY Cd_TipoLanCCBancaria"),
            "TFF");
}

}  // namespace bp::testing::steps308
