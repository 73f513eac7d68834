// The stretches of the correction walk from 142 to 297: commitments, means
// of receipt, payables, invoice items through their new keys, customers,
// products and cards; then package transfers, receipts, the persons' first
// records and the printers' daily ranges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/format.h"
#include "support/correction_walk.h"

namespace bp::testing {
namespace {

using Texts = std::vector<std::string>;

// A date as "yyyy-mm-dd" ("-" for null).
std::string Day(const Value& v) { return v.IsNull() ? "-" : Format(v.ToDate(), "yyyy-mm-dd"); }

}  // namespace

// Rows written at 147 (and a card type at 191): a sale invoice of products
// 10 and 11, an entry invoice, users, means of receipt, a card and a
// commitment of customer 4.
void PlanCorrections142To197(StepWalk& plan) {
  plan.At(147, [=](StepWalk& walk) {
    walk.Exec({
        "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) VALUES (1, 1, 103)",
        "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, Cd_Produto, "
        "Qt_Unidade) VALUES (1, 103, 1, 1, 10, 20), (1, 103, 1, 2, 11, 3)",
        "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, "
        "No_Nota) VALUES (500, 1, 3, 1, 9)",
        "INSERT INTO ItemNotaEntrada (No_Entrada, Cd_ProdutoItem, No_Item, Cd_PessoaUsuaria, "
        "Qt_UnidadeItem) VALUES (500, 10, 1, 1, 5000)",
        "INSERT INTO Usuario (Cd_PessoaUsuaria, Cd_Usuario, Nm_Usuario) VALUES "
        "(1, 1, 'GERENTE'), (1, 2, 'FRENTISTA')",
        "INSERT INTO TipoRecebimento (Cd_PessoaUsuaria, Cd_TipoRecebimento, Nm_TipoRecebimento, "
        "No_TipoPagamento) VALUES (1, 1, 'DINHEIRO', 3), (1, 2, 'CHEQUE', 1), "
        "(1, 3, 'CARTAO', 4), (1, 4, 'OUTROS', NULL)",
        "INSERT INTO Cartao (Cd_PessoaUsuaria, No_Cartao, Cd_Cliente) VALUES (1, '7788', 4)",
        "INSERT INTO Empenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente) VALUES ('E-1', 1, 4)",
        "INSERT INTO ItemEmpenho (No_Item, Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente, "
        "Cd_Produto) VALUES (1, 'E-1', 1, 4, 10)",
    });
  });
  plan.At(191, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();
    db.Execute("INSERT INTO TipoCartao (Cd_TipoCartao, Nm_TipoCartao) VALUES (1, 'FROTA')");
  });
  plan.At(197, [=](StepWalk& walk) {
    db::Connection& db = walk.Db();
    auto count = [&](const std::string& table) {
      return walk.Count("SELECT COUNT(*) FROM " + table);
    };

    // 148: the commitments of 147 went with their tables; change only for cash
    // (payment type 3); a means without a payment type is left empty.
    EXPECT_EQ(count("Empenho"), 0);
    EXPECT_EQ(count("ItemEmpenho"), 0);
    EXPECT_EQ(
        Flags(db,
              "SELECT Fl_PermitirTrocoNaVenda FROM TipoRecebimento ORDER BY Cd_TipoRecebimento"),
        "TFFN");

    // 149: the kinds of payable.
    EXPECT_EQ(
        RowTexts(db,
                 "SELECT Cd_TipoContaAPagar, Ds_ContaAPagar FROM TipoContaAPagar "
                 "ORDER BY 1"),
        (Texts{"1|DM-DUPLICATA MERCANTIL", "2|NP-NOTA PROMISSORIA", "3|CH-CHEQUE", "4|OUTROS"}));

    // 157: the invoice items kept their rows through the new keys.
    EXPECT_EQ(walk.Count("SELECT SUM(Qt_Unidade) FROM ItemNotaSaida WHERE No_Nota = 103"), 23);
    EXPECT_EQ(walk.Count("SELECT Qt_UnidadeItem FROM ItemNotaEntrada WHERE No_Entrada = 500"),
              5000);

    // 169, 174: no customer must give the odometer; all are in group 1, GERAL.
    EXPECT_EQ(Flags(db, "SELECT Ic_ExigirHodometroNaVenda FROM Cliente"), "FFFF");
    EXPECT_EQ(RowTexts(db, "SELECT DISTINCT Cd_GrupoCliente FROM Cliente"), (Texts{"1"}));
    EXPECT_EQ(RowTexts(db, "SELECT Cd_GrupoCliente, Nm_GrupoCliente FROM GrupoCliente"),
              (Texts{"1|GERAL"}));

    // 177: products active, no user registers gauge tests, the old cards gone.
    EXPECT_EQ(Flags(db, "SELECT Ic_Ativo FROM Produto"), "TTTTTTTTT");
    EXPECT_EQ(RowTexts(db, "SELECT FlMPermitidoAfericoes FROM Usuario"), (Texts{"0", "0"}));
    EXPECT_EQ(count("Cartao"), 0);

    // 192: the existing card type got the default.
    EXPECT_EQ(walk.Count("SELECT Qt_PendenciasPermitidas FROM TipoCartao"), 0);
  });
}

// The rows the corrections of steps 212 to 295 work on, for company 1 and,
// where the user company matters, companies 2 and 9; persons 12 to 15 have
// (or lack) the records that date them.
void InsertRowsFor200To297(StepWalk& w) {
  db::Connection& db = w.Db();
  InsertProducts(db, {"20, 'OLEO CX 24', 0", "21, 'OLEO 1L', 0"});
  // The products the transfer rules name.
  for (int product : {30, 31, 32, 40, 41, 42, 50, 51, 52, 60, 61, 62, 64})
    InsertProducts(db, {std::to_string(product) + ", 'OLEO', 0"});
  db.Execute(
      "INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
      "VALUES (2, 1, 'MARGEM')");
  InsertProducts(db, {"20, 'OLEO CX 24', 0", "22, 'OLEO 500ML', 0"}, 2);
  w.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa, Cd_CgcCpf) VALUES (12, 'CLIENTE', NULL), "
      "(13, 'CHEQUISTA', '111.222.333-44'), (14, 'FRENTISTA', NULL), (15, 'NOVO', NULL), "
      "(9, 'OUTRO POSTO', NULL)",
      "INSERT INTO EmpresaUsuaria (Cd_PessoaUsuaria) VALUES (9)",
      "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 12)",
      "INSERT INTO Funcionario (Cd_PessoaUsuaria, Cd_Funcionario) VALUES (1, 14)",
      // Stock-card rows: withdrawal and entry of four transfers, and a sale.
      "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
      "No_Tipo, Qt_Unidade, Vl_Unitario) VALUES "
      "(1, 101, 20, '2006-01-02 00:00:00', 2, 10, 48), "
      "(1, 102, 21, '2006-01-02 00:00:00', 1, 5000, 0), "
      "(1, 103, 20, '2006-01-02 00:00:00', 2, 10, 48), "
      "(1, 104, 21, '2006-01-02 00:00:00', 1, 5001, 0), "
      "(1, 105, 20, '2006-01-02 00:00:00', 2, 1, 48), "
      "(1, 106, 21, '2006-01-02 00:00:00', 1, 24, 0), "
      "(1, 107, 20, '2006-01-02 00:00:00', 2, 0, 48), "
      "(1, 108, 21, '2006-01-02 00:00:00', 1, 12, 0), "
      "(1, 109, 21, '2006-01-03 00:00:00', 3, 2, 3)",
      "INSERT INTO ItemTransfEmbalagem (No_Transferencia, Cd_ProdutoBaixa, Cd_ProdutoEntrada, "
      "Cd_PessoaUsuaria, Cd_LancamentoCardexBaixa, Cd_LancamentoCardexEntrada, "
      "Qt_UnidadeEntrada, Qt_UnidadeBaixa) VALUES (1, 20, 21, 1, 101, 102, 5000, 10), "
      "(2, 20, 21, 1, 103, 104, 5001, 10), (3, 20, 21, 1, 105, 106, 24, 1), "
      "(4, 20, 21, 1, 107, 108, 12, 1)",
      "INSERT INTO ProdutoTransferencia (Cd_PessoaUsuaria, Cd_ProdutoBaixa, Cd_ProdutoEntrada, "
      "Qt_FatorMultiplicacao) VALUES (1, 20, 21, 24), (1, 30, 31, 12), (1, 30, 32, 6), "
      "(1, 41, 40, 10), (1, 42, 40, 10), (1, 50, 50, 2), (1, 51, 50, 10), (1, 51, 52, 3), "
      "(1, 61, 60, 1), (1, 62, 60, 5), (1, 62, 64, 4), (2, 20, 22, 3)",
      "INSERT INTO Recebimento (Cd_PessoaUsuaria, No_Recebimento, Cd_CgcCpf0, Dt_Lancamento) "
      "VALUES (1, 1, '111.222.333-44', '2007-01-02 00:00:00'), (1, 10000, NULL, NULL), "
      "(1, 500000, NULL, NULL), (1, 500001, NULL, NULL), (1, 750000, NULL, NULL)",
      "INSERT INTO ContaAReceber (Cd_PessoaUsuaria, Cd_ContaAReceber, Cd_Cliente, Cd_Pessoa, "
      "Dt_Emissao) VALUES (1, 9, 12, 12, '2006-05-10 00:00:00')",
      "INSERT INTO Caixa (Cd_Caixa, Cd_PessoaUsuaria, Cd_Funcionario, Dt_Abertura) "
      "VALUES (1, 1, 14, '2005-07-07 08:00:00')",
      "INSERT INTO ECF (Cd_PessoaUsuaria, No_Impressora) VALUES (1, 3), (9, 1)",
      // Coupons of printer 3: their days, reduction counters and customer.
      "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "Qt_ContReducoes, Cd_Cliente) VALUES "
      "(1, 3, 1, '2004-12-31 00:00:00', 3, NULL), (1, 3, 2, '2005-01-10 00:00:00', 7, NULL), "
      "(1, 3, 3, '2005-01-10 00:00:00', 8, NULL), (1, 3, 4, '2005-03-05 00:00:00', 12, NULL), "
      "(1, 3, 5, '2005-04-01 00:00:00', 20, NULL), (1, 3, 6, '2005-04-02 00:00:00', 21, NULL), "
      "(1, 3, 7, '2005-04-03 00:00:00', 22, NULL), (1, 3, 8, '2006-03-01 00:00:00', 40, 12), "
      "(9, 1, 1, '2005-01-10 00:00:00', 50, NULL)",
      "INSERT INTO MapaResumoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Movimento, Qt_ContReducoes) "
      "VALUES (1, 3, '2004-12-31 00:00:00', 99), (1, 3, '2005-01-10 00:00:00', 99), "
      "(1, 3, '2005-02-15 00:00:00', 99), (1, 3, '2005-03-05 00:00:00', 99), "
      "(1, 3, '2005-04-01 00:00:00', 99), (9, 1, '2005-01-10 00:00:00', 99)",
  });
}

// Rows written at 211 and today being 2 March 2005 (the start of the third
// daily range) until 297.
void PlanCorrections200To297(StepWalk& plan) {
  const DateTime today = plan.env.now;
  plan.At(211, [=](StepWalk& w) {
    InsertRowsFor200To297(w);
    w.env.now = DateTime::Of(2005, 3, 2, 10, 0, 0);
  });
  plan.At(297, [=](StepWalk& w) {
    w.env.now = today;
    db::Connection& db = w.Db();

    // 212: the only rule of a withdrawn product (counted per company) is
    // automatic; rules of entered products with two automatic rules (40), a
    // rule into itself (50) or a factor up to 1 (60) are gone.
    EXPECT_EQ(RowTexts(db,
                       "SELECT Cd_PessoaUsuaria, Cd_ProdutoBaixa, Cd_ProdutoEntrada "
                       "FROM ProdutoTransferencia ORDER BY 1, 2, 3"),
              (Texts{"1|20|21", "1|30|31", "1|30|32", "1|51|52", "1|62|64", "2|20|22"}));
    EXPECT_EQ(RowTexts(db,
                       "SELECT Cd_PessoaUsuaria, Cd_ProdutoBaixa FROM ProdutoTransferencia "
                       "WHERE Ic_TransferenciaAutomatica <> 0 ORDER BY 1"),
              (Texts{"1|20", "2|20"}));
    // 218: the entry of 24 units from one box of 48.00 costs 2.00 a unit.
    EXPECT_DOUBLE_EQ(
        w.One("SELECT Vl_Unitario FROM Cardex WHERE Cd_LancamentoCardex = 106").ToDouble(), 2.0);
    // 225: only the transfer of 5001 from 10 went, with its two stock-card
    // rows; a ratio of exactly 500 stays.
    EXPECT_EQ(RowTexts(db, "SELECT No_Transferencia FROM ItemTransfEmbalagem ORDER BY 1"),
              (Texts{"1", "3", "4"}));
    EXPECT_EQ(RowTexts(db,
                       "SELECT Cd_LancamentoCardex FROM Cardex "
                       "WHERE Cd_LancamentoCardex BETWEEN 101 AND 109 ORDER BY 1"),
              (Texts{"101", "102", "105", "106", "107", "108", "109"}));

    // 229: receipts up to 500 000 get False, the others stay empty.
    EXPECT_EQ(Flags(db, "SELECT Ic_AjusteTipoRecebimento FROM Recebimento ORDER BY No_Recebimento"),
              "FFFNN");

    // 245: the earliest record of each person; the server's date for the rest.
    const auto pessoas = db.Query(
        "SELECT Dt_Inclusao FROM Pessoa WHERE Cd_Pessoa IN "
        "(1, 9, 12, 13, 14, 15) ORDER BY Cd_Pessoa");
    ASSERT_EQ(pessoas.Rows().size(), 6u);
    EXPECT_EQ(Day(pessoas.Rows()[2][0]), "2006-03-01");  // coupon before receivable
    EXPECT_EQ(Day(pessoas.Rows()[3][0]), "2007-01-02");  // receipt under its CPF
    EXPECT_EQ(Day(pessoas.Rows()[4][0]), "2005-07-07");  // cash register it opened
    for (const size_t i : {0u, 1u, 5u}) {
      ASSERT_FALSE(pessoas.Rows()[i][0].IsNull()) << i;
      EXPECT_GE(pessoas.Rows()[i][0].ToDate().Year(), 2025) << i;
    }
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Pessoa WHERE Dt_Inclusao IS NULL"), 0);

    // 240, 255, 256, 266: the new settings in every row.
    EXPECT_EQ(RowTexts(db, "SELECT DISTINCT Qt_DiferencaInventarioEstoque FROM Produto"),
              (Texts{"0"}));
    EXPECT_EQ(RowTexts(db,
                       "SELECT DISTINCT No_TipoTelaInicialDeVendas, Cd_ModeloECF "
                       "FROM EmpresaUsuaria"),
              (Texts{"1|2"}));
    EXPECT_EQ(w.Count("SELECT COUNT(*) FROM Caixa WHERE Vl_DescontoCF = 0"), 1);

    // 272: ranges of 30 days from 1 January 2005, the user company only,
    // summaries of days with coupons only.
    const std::string printer3 = " WHERE No_Impressora = 3 OR Cd_PessoaUsuaria = 9 ";
    EXPECT_EQ(RowTexts(db, "SELECT Cd_PessoaUsuaria, Qt_ContReducoes FROM MapaResumoECF" +
                               printer3 + "ORDER BY Cd_PessoaUsuaria, Dt_Movimento"),
              (Texts{"1|99", "1|8", "1|99", "1|12", "1|99", "9|99"}));
    EXPECT_EQ(DrawnActions(w.env, "Atualizando mapa resumo dia "),
              (Texts{"01/01/2005", "31/01/2005", "02/03/2005"}));
    // 295: the last range starts on 2 March and reaches 31 days on, to
    // 2 April inclusive; whatever lies outside the ranges stays empty.
    const auto cupons = db.Query("SELECT Dt_Emissao, Dt_Movimento FROM CupomFiscal" + printer3 +
                                 "ORDER BY Cd_PessoaUsuaria, No_CupomFiscal");
    Texts movimento;
    for (const auto& row : cupons.Rows()) movimento.push_back(Day(row[0]) + ">" + Day(row[1]));
    EXPECT_EQ(movimento,
              (Texts{"2004-12-31>-", "2005-01-10>2005-01-10", "2005-01-10>2005-01-10",
                     "2005-03-05>2005-03-05", "2005-04-01>2005-04-01", "2005-04-02>2005-04-02",
                     "2005-04-03>-", "2006-03-01>-", "2005-01-10>2005-01-10"}));
  });
}

}  // namespace bp::testing
