// A station database at version 18 with a few rows made for the data
// corrections of steps 19 to 71, walked through those steps one stretch at
// a time; after every step the database must match the model the walk
// keeps, and after each stretch its corrections are checked. Run alike on
// SQLite (steps_019_071_test.cc) and PostgreSQL (pg/steps_pg_test.cc).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/format.h"
#include "schema/steps/steps.h"
#include "support/step_walk.h"

namespace bp::testing {

// A walk of a version-18 station database over steps 19 to 71.
inline StepWalkOptions Steps019To071(const std::string& banco = {}) {
  return WalkOver({schema::AddSteps019To071}, banco);
}

// The first field of a query's first row (NULL when it has none), as read,
// as invariant text and as a number.
inline Value One(StepWalk& w, const std::string& sql) {
  const db::Recordset rs = w.Db().Query(sql);
  return rs.Eof() ? Value(Null{}) : rs.Field(0);
}
inline std::string Txt(StepWalk& w, const std::string& sql) {
  return One(w, sql).ToText(RegionalSettings::Invariant());
}
inline double Num(StepWalk& w, const std::string& sql) { return One(w, sql).ToDouble(); }

// Company 1 (and a company 2 for the rules that must pass it by), products,
// coupons, stock-card rows, entry and output invoices, fuelings and daily
// printer summaries.
inline void InsertVersion18Rows(StepWalk& w) {
  w.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (2, 'OUTRO POSTO')",
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (3, 'DISTRIBUIDORA')",
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (4, 'CLIENTE')",
      "INSERT INTO EmpresaUsuaria (Cd_PessoaUsuaria) VALUES (2)",
      "INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'GERAL')",
      "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
      "VALUES (1, 1, 'MARGEM')",
  });
  // Produto: code, name, type, ICMS rate, situation, taxation, price, stock,
  // average cost, ICMS credit.
  const char* const products[] = {"1, 'GASOLINA', 1, 25, NULL, NULL, 6.0, 0, 5.0, 100",
                                  "2, 'ETANOL', 1, 0, NULL, NULL, 4.0, 0, 10.0, 0.5",
                                  "3, 'OLEO', 3, 18, '00', '0', 40.0, 9, 50.0, 1.0",
                                  "4, 'LAVAGEM', 2, 0, NULL, NULL, 25.0, 0, 0, 0",
                                  "5, 'DIESEL', 1, 12, NULL, '0', 5.0, 3, 4.0, 0",
                                  "6, 'ADITIVO', 3, 18, '00', '0', 20.0, 7, 3.0, 0.2"};
  for (const char* p : products) {
    w.Db().Execute(std::string("INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, "
                             "No_Tipo, Tx_Icms, Cd_SitTributaria, Cd_TribIcms, Vl_Preco, "
                             "Qt_Estoque, Vl_CustoMedio, Vl_CredIcmsMedio, Cd_GrupoProduto, "
                             "Fl_VendBomba, Cd_ContaMargemContribuicao) VALUES (1, ") +
                 p + ", 1, 0, 1)");
  }
  w.Exec({
      // Stock card: code, product, date, type, quantity, unit value.
      "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
      "No_Tipo, Nm_Doc, Qt_Unidade, Vl_Unitario) VALUES "
      "(1, 1, 1, '2005-03-01 08:00:00', 10, 'NE-1', 100, 4.2), "
      "(1, 2, 1, '2005-03-10 09:00:00', 20, 'CF', 20, NULL), "
      "(1, 3, 1, '2005-03-12 08:00:00', 10, 'NE-1', 50, 5.0), "
      "(1, 4, 2, '2005-03-05 08:00:00', 10, 'NE-1', 40, 3.0), "
      "(1, 5, 3, '2005-03-10 10:00:00', 20, 'CF', 1, NULL)",
      "INSERT INTO ECF (Cd_PessoaUsuaria, No_Impressora) VALUES (1, 1), (1, 2), (2, 2)",
      "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "Vl_TotalLiquido, Vl_TotProd, Vl_TotSer) VALUES "
      "(1, 1, 100, '2005-03-10 00:00:00', 150, 150, 0), "
      "(1, 1, 101, '2005-03-10 00:00:00', 70, 29, 0)",
      // Coupon 100: fuel without tax data and a service; coupon 101: a taxed
      // lubricant and a fuel with half of its tax data.
      "INSERT INTO ItemCupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "No_Item, Cd_Produto, Qt_Unidade, Vl_UnitVenda, Cd_SitTributaria, Cd_TribIcms, "
      "Cd_LancamentoCardex) VALUES "
      "(1, 1, 100, '2005-03-10 00:00:00', 1, 1, 20, 5.0, NULL, NULL, 2), "
      "(1, 1, 100, '2005-03-10 00:00:00', 2, 4, 2, 25.0, NULL, NULL, NULL), "
      "(1, 1, 101, '2005-03-10 00:00:00', 1, 3, 1, 30.0, '00', '0', 5), "
      "(1, 1, 101, '2005-03-10 00:00:00', 2, 2, 10, 4.0, '01', NULL, NULL)",
      "INSERT INTO TipoNF (Cd_TipoNF, Ds_TipoNF) VALUES (1, 'ENTRADA'), (2, 'SAIDA')",
      "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota, Cd_Pessoa, FL_Fechado, "
      "Tp_Nota) VALUES (1, 2, 900, 4, 1, 1)",
      "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, Cd_Produto, "
      "Qt_Unidade, Vl_UnitVenda, Cd_SitTributaria, Cd_TribIcms, Cd_Cfop, Vl_UnitTabela) VALUES "
      "(1, 900, 2, 1, 3, 2, 40.0, '00', '0', '5102', 41.0)",
      "INSERT INTO Fornecedor (Cd_PessoaUsuaria, Cd_Fornecedor) VALUES (1, 3)",
      "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, No_Nota) "
      "VALUES (1, 1, 3, 1, 500)",
      // Item 1 carries its whole IPI in its unit cost; the card row of item
      // 1 disagrees with it.
      "INSERT INTO ItemNotaEntrada (Cd_PessoaUsuaria, No_Entrada, No_Item, Cd_ProdutoItem, "
      "Cd_SitTributaria, Qt_UnidadeItem, Vl_UnitFinal, Vl_IpiItem, Cd_LancamentoCardex) VALUES "
      "(1, 1, 1, 1, '000', 100, 54.0, 50, 1), "
      "(1, 1, 2, 1, '000', 50, 5.0, 0, 3), "
      "(1, 1, 3, 2, '060', 40, 3.0, NULL, 4)",
      "INSERT INTO MapaResumoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Movimento, "
      "Vl_GTotalInicial, Vl_GTotalFinal) VALUES "
      "(1, 1, '2005-01-31 00:00:00', 0, 1000), (1, 1, '2005-02-01 00:00:00', 0, 1500.25), "
      "(1, 1, '2005-02-02 00:00:00', 0, 1800), (1, 1, '2005-02-04 00:00:00', 0, 2100), "
      "(1, 1, '2005-02-05 00:00:00', 5, 2200), (1, 2, '2005-02-02 00:00:00', 0, 900), "
      "(2, 2, '2005-02-01 00:00:00', 0, 777)",
      "INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
      "VALUES (1, 1, '0101', 1)",
      "INSERT INTO Abastecimento (Cd_PessoaUsuaria, Cd_Abastecimento, De_EnderecoLogicoBico, "
      "Dt_Termino, Vl_Total, Ic_Baixado) VALUES (1, 1, '0101', '2005-03-01 00:00:00', 0, 0), "
      "(1, 2, '0101', '2005-03-01 00:00:00', 10, 0), (2, 1, '0101', '2005-03-01 00:00:00', 0, 0)",
      "INSERT INTO ConPag (Cd_PessoaUsuaria, Cd_Pag) VALUES (1, 1)",
      "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente, Cd_Pag) VALUES (1, 4, 1)",
  });
}

// The stretches of the walk, each followed by the checks of what its
// steps corrected.
inline void WalkAndCheckCorrections(StepWalk& w) {
  w.To(19);
  // Taxed fuel: situation 00; untaxed: 06; a fuel with its taxation code
  // only gets the situation; other products are left alone.
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM Produto WHERE Cd_Produto = 1"), "00");
  EXPECT_EQ(Txt(w, "SELECT No_TribIcms FROM Produto WHERE Cd_Produto = 1"), "0");
  EXPECT_EQ(Num(w, "SELECT Tx_BaseCalculo FROM Produto WHERE Cd_Produto = 1"), 100);
  EXPECT_EQ(Txt(w, "SELECT No_TribCofins FROM Produto WHERE Cd_Produto = 1"), "0");
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM Produto WHERE Cd_Produto = 2"), "06");
  EXPECT_EQ(Txt(w, "SELECT No_TribIcms FROM Produto WHERE Cd_Produto = 2"), "6");
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM Produto WHERE Cd_Produto = 5"), "00");
  EXPECT_TRUE(One(w, "SELECT Tx_BaseCalculo FROM Produto WHERE Cd_Produto = 5").IsNull());
  EXPECT_TRUE(One(w, "SELECT No_SitTributaria FROM Produto WHERE Cd_Produto = 4").IsNull());
  // Fuel items take their product's data; the service item and the
  // complete lubricant item are left alone.
  const std::string item = "SELECT No_SitTributaria || '/' || No_TribIcms FROM ItemCupomFiscal ";
  EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 100 AND No_Item = 1"), "00/0");
  EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 101 AND No_Item = 2"), "06/6");
  EXPECT_TRUE(One(w, item + "WHERE No_CupomFiscal = 100 AND No_Item = 2").IsNull());
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaEntrada WHERE No_Item = 3"), "060");

  w.To(21);
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM Produto WHERE Cd_Produto = 2"), "060");
  EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 101 AND No_Item = 1"), "000/0");
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaSaida"), "000");
  EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaEntrada WHERE No_Item = 3"), "060");
  EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Produto"), 6);
  EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM ItemCupomFiscal"), 4);
  EXPECT_EQ(Num(w, "SELECT Vl_UnitTabela FROM ItemNotaSaida"), 41.0);

  w.To(44);
  const std::string coupon = " FROM CupomFiscal WHERE No_CupomFiscal = ";
  EXPECT_EQ(Num(w, "SELECT Vl_TotSer" + coupon + "100"), 50);
  EXPECT_EQ(Num(w, "SELECT Vl_TotProd" + coupon + "100"), 100);
  EXPECT_EQ(Num(w, "SELECT Vl_TotProd" + coupon + "101"), 29);  // no service item

  w.To(48);
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedioInicial FROM Produto WHERE Cd_Produto = 3"), 0);
  EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 2"), "CF-1-100-1");
  EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 5"), "CF-1-101-1");
  EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 1"), "NE-1");

  w.To(53);
  const std::string day = "SELECT Vl_GTotalInicial FROM MapaResumoECF WHERE No_Impressora = ";
  EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-01-31 00:00:00'"), 0);  // before February
  EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-01 00:00:00'"), 1000);
  EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-02 00:00:00'"), 1500.25);
  EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-04 00:00:00'"), 0);  // no previous day
  EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-05 00:00:00'"), 5);  // not 0: kept
  // The previous day is looked up without the company.
  EXPECT_EQ(Num(w, day + "2 AND Cd_PessoaUsuaria = 1"), 777);
  const std::string fueling = "SELECT Ic_Baixado FROM Abastecimento WHERE Cd_PessoaUsuaria = ";
  EXPECT_TRUE(One(w, fueling + "1 AND Cd_Abastecimento = 1").ToBool());
  EXPECT_FALSE(One(w, fueling + "1 AND Cd_Abastecimento = 2").ToBool());
  EXPECT_FALSE(One(w, fueling + "2 AND Cd_Abastecimento = 1").ToBool());
  EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Abastecimento WHERE Ic_Afericao = 0"), 3);

  w.To(60);
  const std::string product = " FROM Produto WHERE Cd_Produto = ";
  EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "6"), 0);  // never moved
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "6"), 0);
  EXPECT_EQ(Num(w, "SELECT Vl_CredIcmsMedio" + product + "6"), 0);
  EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "3"), 9);  // moved: kept

  w.To(66);
  // IPI spread over the units: (54 - 50) + 50 / 100.
  EXPECT_EQ(Num(w, "SELECT Vl_UnitFinal FROM ItemNotaEntrada WHERE No_Item = 1"), 4.5);
  EXPECT_EQ(Num(w, "SELECT Vl_UnitFinal FROM ItemNotaEntrada WHERE No_Item = 2"), 5.0);
  EXPECT_EQ(Num(w, "SELECT Vl_Unitario FROM Cardex WHERE Cd_LancamentoCardex = 1"), 4.5);
  // Product 1 recomputed: 100 in at 4.5, 20 out, 50 in at 5.
  EXPECT_EQ(Num(w, "SELECT Qt_Estoque FROM Cardex WHERE Cd_LancamentoCardex = 2"), 80);
  EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "1"), 130);
  EXPECT_NEAR(Num(w, "SELECT Vl_CustoMedio" + product + "1"), 4.6923, 1e-9);
  // Costs: 0 opening cost becomes 60% of the price; a cost at or above the
  // price too; a credit over 18 times the cost becomes 12% of it; 060
  // products carry no credit.
  EXPECT_NEAR(Num(w, "SELECT Vl_CustoMedioInicial" + product + "1"), 3.6, 1e-9);
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "3"), 24);
  EXPECT_EQ(Num(w, "SELECT Vl_CredIcmsMedio" + product + "3"), 1.0);
  EXPECT_NEAR(Num(w, "SELECT Vl_CredIcmsMedio" + product + "1"), 0.5631, 1e-9);
  EXPECT_EQ(Num(w, "SELECT Vl_CredIcmsMedio" + product + "2"), 0);
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "2"), 2.4);  // not recomputed here

  w.To(67);
  // Every product bought through entry invoices is recomputed.
  EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "2"), 40);
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "2"), 3.0);
  EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "3"), 24);
  EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Produto WHERE Ic_PermitidoVenderFracaoDeUnidade = 0"), 6);

  w.To(71);
  EXPECT_EQ(Txt(w, "SELECT Cd_CfopItem FROM ItemNotaSaida"), "5102");
  EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM NotaSaida WHERE Cd_Pessoa = 4"), 1);
  EXPECT_EQ(w.compared, (std::vector<int32_t>{19, 21, 26, 38, 40, 44, 45, 46, 48, 49, 52, 53, 56, 57,
                                           60, 66, 67, 70, 71}));
}

}  // namespace bp::testing
