// The stretches of the correction walk from version 18 to 133: tax data,
// coupon totals, stock-card documents, printer summaries and the stock
// recomputations of steps 66 and 67 (answered by the station), then the
// stock repairs of 106 and 107 (answered by the script), the pumps, the
// employees' entries and the customers' portfolio codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/format.h"
#include "support/correction_walk.h"

namespace bp::testing {
namespace {

// The first field of a query's first row as invariant text and as a number.
std::string Txt(StepWalk& w, const std::string& sql) {
  return w.One(sql).ToText(RegionalSettings::Invariant());
}
double Num(StepWalk& w, const std::string& sql) { return w.One(sql).ToDouble(); }

}  // namespace

// Company 1 (and a company 2 for the rules that must pass it by), products,
// coupons, stock-card rows, entry and output invoices, fuelings and daily
// printer summaries.
void InsertRowsFor019To071(StepWalk& w) {
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

// What steps 19 to 71 corrected, checked after each stretch of them.
void PlanCorrections019To071(StepWalk& plan) {
  const std::string item = "SELECT No_SitTributaria || '/' || No_TribIcms FROM ItemCupomFiscal ";
  const std::string product = " FROM Produto WHERE Cd_Produto = ";
  plan.At(19, [=](StepWalk& w) {
    // Taxed fuel: situation 00; untaxed: 06; a fuel with its taxation code
    // only gets the situation; other products are left alone.
    const std::string taxes = "SELECT No_SitTributaria || '/' || No_TribIcms";
    EXPECT_EQ(Txt(w, taxes + " || '/' || No_TribCofins" + product + "1"), "00/0/0");
    EXPECT_EQ(Num(w, "SELECT Tx_BaseCalculo" + product + "1"), 100);
    EXPECT_EQ(Txt(w, taxes + product + "2"), "06/6");
    EXPECT_EQ(Txt(w, "SELECT No_SitTributaria" + product + "5"), "00");
    EXPECT_TRUE(w.One("SELECT Tx_BaseCalculo" + product + "5").IsNull());
    EXPECT_TRUE(w.One("SELECT No_SitTributaria" + product + "4").IsNull());
    // Fuel items take their product's data; the service item and the
    // complete lubricant item are left alone.
    EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 100 AND No_Item = 1"), "00/0");
    EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 101 AND No_Item = 2"), "06/6");
    EXPECT_TRUE(w.One(item + "WHERE No_CupomFiscal = 100 AND No_Item = 2").IsNull());
    EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaEntrada WHERE No_Item = 3"), "060");
  });
  plan.At(21, [=](StepWalk& w) {
    EXPECT_EQ(Txt(w, "SELECT No_SitTributaria" + product + "2"), "060");
    EXPECT_EQ(Txt(w, item + "WHERE No_CupomFiscal = 101 AND No_Item = 1"), "000/0");
    EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaSaida"), "000");
    EXPECT_EQ(Txt(w, "SELECT No_SitTributaria FROM ItemNotaEntrada WHERE No_Item = 3"), "060");
    EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Produto"), 6);
    EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM ItemCupomFiscal"), 4);
    EXPECT_EQ(Num(w, "SELECT Vl_UnitTabela FROM ItemNotaSaida"), 41.0);
  });
  plan.At(44, [=](StepWalk& w) {
    const std::string coupon = " FROM CupomFiscal WHERE No_CupomFiscal = ";
    EXPECT_EQ(Num(w, "SELECT Vl_TotSer" + coupon + "100"), 50);
    EXPECT_EQ(Num(w, "SELECT Vl_TotProd" + coupon + "100"), 100);
    EXPECT_EQ(Num(w, "SELECT Vl_TotProd" + coupon + "101"), 29);  // no service item
  });
  plan.At(48, [=](StepWalk& w) {
    EXPECT_EQ(Num(w, "SELECT Vl_CustoMedioInicial" + product + "3"), 0);
    EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 2"), "CF-1-100-1");
    EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 5"), "CF-1-101-1");
    EXPECT_EQ(Txt(w, "SELECT Nm_Doc FROM Cardex WHERE Cd_LancamentoCardex = 1"), "NE-1");
  });
  plan.At(53, [=](StepWalk& w) {
    const std::string day = "SELECT Vl_GTotalInicial FROM MapaResumoECF WHERE No_Impressora = ";
    EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-01-31 00:00:00'"), 0);  // before February
    EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-01 00:00:00'"), 1000);
    EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-02 00:00:00'"), 1500.25);
    EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-04 00:00:00'"), 0);  // no previous day
    EXPECT_EQ(Num(w, day + "1 AND Dt_Movimento = '2005-02-05 00:00:00'"), 5);  // not 0: kept
    // The previous day is looked up without the company.
    EXPECT_EQ(Num(w, day + "2 AND Cd_PessoaUsuaria = 1"), 777);
    const std::string fueling = "SELECT Ic_Baixado FROM Abastecimento WHERE Cd_PessoaUsuaria = ";
    EXPECT_TRUE(w.One(fueling + "1 AND Cd_Abastecimento = 1").ToBool());
    EXPECT_FALSE(w.One(fueling + "1 AND Cd_Abastecimento = 2").ToBool());
    EXPECT_FALSE(w.One(fueling + "2 AND Cd_Abastecimento = 1").ToBool());
    EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Abastecimento WHERE Ic_Afericao = 0"), 3);
  });
  plan.At(60, [=](StepWalk& w) {
    EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "6"), 0);  // never moved
    EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "6"), 0);
    EXPECT_EQ(Num(w, "SELECT Vl_CredIcmsMedio" + product + "6"), 0);
    EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "3"), 9);  // moved: kept
  });
  plan.At(66, [=](StepWalk& w) {
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
  });
  plan.At(67, [=](StepWalk& w) {
    // Every product bought through entry invoices is recomputed.
    EXPECT_EQ(Num(w, "SELECT Qt_Estoque" + product + "2"), 40);
    EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "2"), 3.0);
    EXPECT_EQ(Num(w, "SELECT Vl_CustoMedio" + product + "3"), 24);
    EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM Produto WHERE Ic_PermitidoVenderFracaoDeUnidade = 0"),
              6);
  });
  plan.At(71, [=](StepWalk& w) {
    EXPECT_EQ(Txt(w, "SELECT Cd_CfopItem FROM ItemNotaSaida"), "5102");
    EXPECT_EQ(Num(w, "SELECT COUNT(*) FROM NotaSaida WHERE Cd_Pessoa = 4"), 1);
  });
}

// From 73 the stock recomputations are scripted. Rows: products 10 to 12, a
// second pump, three invoices (operations 90, 91 and 5) with one item each
// and a stock-card row per item, one more stock-card row, customers with
// the collection portfolio codes '12', '7' and blank (customer 4 has none)
// and one current-account entry of an employee.
void PlanCorrections073To133(StepWalk& plan) {
  plan.At(73, [=](StepWalk& w) {
    w.stock.scripted = true;
    db::Connection& db = w.Db();
    InsertProducts(db, {"10, 'GASOLINA COMUM', 1", "11, 'ETANOL', 1", "12, 'OLEO 20W50', 1"});
    w.Exec({
        "INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
        "VALUES (1, 2, '0102', 11)",
        "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
        "No_Tipo) VALUES (1, 1001, 10, '2006-03-01 00:00:00', 20), "
        "(1, 1002, 11, '2006-03-01 00:00:00', 20), (1, 1003, 10, '2006-03-01 00:00:00', 20), "
        "(1, 1004, 12, '2006-03-01 00:00:00', 20)",
        "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota, Cd_Operacao) VALUES "
        "(1, 1, 100, 90), (1, 1, 101, 91), (1, 1, 102, 5)",
        "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Item, No_Nota, Cd_Produto, "
        "Cd_LancamentoCardex) VALUES (1, 1, 1, 100, 10, 1001), (1, 1, 1, 101, 11, 1002), "
        "(1, 1, 1, 102, 10, 1003)",
        "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (5, 'CLIENTE'), (6, 'CLIENTE'), "
        "(7, 'CLIENTE')",
        "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente, Cd_CarCob) VALUES (1, 5, '12'), "
        "(1, 6, '7'), (1, 7, '')",
        "INSERT INTO LanCCFuncionario (Cd_Funcionario, Dt_Lancamento, No_LancamentoCcFuncionario, "
        "Ds_Historico, Vl_Lancamento) VALUES (2, '2006-04-10 00:00:00', 1, 'VALE COMBUSTIVEL', "
        "50.25)",
    });
  });
  plan.At(105, [=](StepWalk& w) {
    w.env.draws.clear();
    w.env.sleeps.clear();
    // The connection is found closed at the second product of 106: the
    // correction waits a second and goes on from that product.
    w.stock.closed_at_call = 1;
  });
  plan.At(133, [=](StepWalk& w) {
    db::Connection& db = w.Db();

    // 74: every pump answers by kind 1.
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Bomba WHERE No_TipoControleResponsabilidade = 1"), 2);

    // 106: only the movements of the invoices of operations 90 and 91 went, and
    // their items let go of them; the other movements stay.
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Cardex WHERE Cd_LancamentoCardex IN (1001, 1002)"), 0);
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Cardex WHERE Cd_LancamentoCardex IN (1003, 1004)"), 2);
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM ItemNotaSaida WHERE No_Nota IN (100, 101) "
                      "AND Cd_LancamentoCardex IS NULL"),
              2);
    EXPECT_EQ(w.Count("SELECT Cd_LancamentoCardex FROM ItemNotaSaida WHERE No_Nota = 102"), 1003);

    // 106 rebuilds the two products whose movements went (the second twice,
    // after the closed connection), 107 every product of company 1, naming
    // each; all from 1 January 2005.
    const DateTime d = DateTime::Of(2005, 1, 1);
    using C = StockScript::Call;
    std::vector<C> calls = {{1, 10, d}, {1, 11, d}, {1, 11, d}};
    for (int32_t product : {1, 2, 3, 4, 5, 6, 10, 11, 12}) calls.push_back({1, product, d});
    EXPECT_EQ(w.stock.calls, calls);
    EXPECT_EQ(w.stock.objects_created, 2);  // one for 106, one for 107
    EXPECT_EQ(w.env.sleeps, std::vector<int32_t>{1000});
    EXPECT_EQ(DrawnActions(w.env, "Atualizando produto "),
              (std::vector<std::string>{"GASOLINA", "ETANOL", "OLEO", "LAVAGEM", "DIESEL",
                                        "ADITIVO", "GASOLINA COMUM", "ETANOL", "OLEO 20W50"}));
    ASSERT_FALSE(w.env.draws.empty());
    EXPECT_EQ(w.env.draws.back().caption, "Atualização do banco de dados");
    EXPECT_EQ(w.env.draws.back().percent_label, "100%");

    // 121: the employee's entry is now a person's entry.
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM LanCCPessoa WHERE Cd_Pessoa = 2 AND "
                      "No_LancamentoCcPessoa = 1 AND Ds_Historico = 'VALE COMBUSTIVEL' AND "
                      "Vl_Lancamento = 50.25"),
              1);

    // 133: the codes come back as numbers, blank as no code.
    EXPECT_EQ(RowTexts(db, "SELECT Cd_CarCob FROM Cliente ORDER BY Cd_Cliente", "null"),
              (std::vector<std::string>{"null", "12", "7", "null"}));
  });
}

}  // namespace bp::testing
