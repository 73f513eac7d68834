// The walk of the version steps 200 to 297, shared by the SQLite and the
// PostgreSQL tests: a stand-in for the step that creates the
// package-transfer tables, rows made for the data corrections and the checks
// of their effects.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bp/schema/model.h"
#include "bp/schema/shorthands.h"
#include "bp/schema/version_step.h"
#include "schema/steps/steps.h"
#include "support/step_walk.h"

namespace bp::testing::steps200 {

// Stand-in for step 26, which creates the package-transfer tables: the rules
// with their key only, the transfers with their references to the stock
// card (steps 212 and 225 work on them).
inline void AddStep26StandIn(schema::StepTable& t) {
  using namespace schema;
  t.Add(
      Step{26, Tolerance::kNone, [](StepContext& c) {
             const std::string emp = "Cd_PessoaUsuaria";
             c.Run(CreateTable{
                 {"ProdutoTransferencia",
                  {NotNull(emp, Int()), NotNull("Cd_ProdutoBaixa", Int()),
                   NotNull("Cd_ProdutoEntrada", Int()), NotNull("Qt_FatorMultiplicacao", MoneyType())},
                  PrimaryKey{"XPKProdutoTransferencia",
                             {emp, "Cd_ProdutoBaixa", "Cd_ProdutoEntrada"}}}});
             c.Run(CreateTable{
                 {"ItemTransfEmbalagem",
                  {NotNull("No_Transferencia", Int()), NotNull("Cd_ProdutoBaixa", Int()),
                   NotNull("Cd_ProdutoEntrada", Int()), NotNull(emp, Int()),
                   NotNull("Cd_LancamentoCardexBaixa", Int()), NotNull("Cd_LancamentoCardexEntrada", Int()),
                   NotNull("Qt_UnidadeEntrada", Float()), NotNull("Qt_UnidadeBaixa", Float())},
                  PrimaryKey{"XPKItemTransfEmbalagem", {emp, "No_Transferencia"}},
                  {},
                  {ForeignKey{"R_214", {emp, "Cd_LancamentoCardexEntrada"}, "Cardex"},
                   ForeignKey{"R_213", {emp, "Cd_LancamentoCardexBaixa"}, "Cardex"}}}});
           }});
}

// A version-18 database of company 1 walked by the driver with steps 200 to
// 297 and the stand-in of step 26.
inline StepWalkOptions Range(const std::string& banco = {}) {
  return WalkOver({AddStep26StandIn, schema::AddSteps200To297}, banco);
}

// The rows the corrections of steps 212 to 295 work on, for company 1 and,
// where the user company matters, a second company 9. Needs version 211 or
// later (the transfer tables); Pessoa.Dt_Inclusao and CupomFiscal.Dt_Movimento
// do not exist yet.
inline void InsertCorrectionRows(StepWalk& w) {
  InsertProducts(w.Db(), "LOJA", "VENDAS", {"20, 'OLEO CX 24', 0", "21, 'OLEO 1L', 0"});
  w.Exec({
      "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa, Cd_CgcCpf) VALUES (2, 'CLIENTE', NULL), "
      "(3, 'CHEQUISTA', '111.222.333-44'), (4, 'FRENTISTA', NULL), (5, 'NOVO', NULL), "
      "(9, 'OUTRO POSTO', NULL)",
      "INSERT INTO EmpresaUsuaria (Cd_PessoaUsuaria) VALUES (9)",
      "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 2)",
      "INSERT INTO Funcionario (Cd_PessoaUsuaria, Cd_Funcionario) VALUES (1, 4)",
      // Stock-card rows: withdrawal and entry of four transfers, and a sale.
      "INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
      "No_Tipo, Qt_Unidade, Vl_Unitario) VALUES "
      "(1, 101, 20, '2006-01-02 00:00:00', 2, 10, 48), (1, 102, 21, '2006-01-02 00:00:00', 1, "
      "5000, 0), "
      "(1, 103, 20, '2006-01-02 00:00:00', 2, 10, 48), (1, 104, 21, '2006-01-02 00:00:00', 1, "
      "5001, 0), "
      "(1, 105, 20, '2006-01-02 00:00:00', 2, 1, 48), (1, 106, 21, '2006-01-02 00:00:00', 1, 24, "
      "0), "
      "(1, 107, 20, '2006-01-02 00:00:00', 2, 0, 48), (1, 108, 21, '2006-01-02 00:00:00', 1, 12, "
      "0), "
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
      "Dt_Emissao) VALUES (1, 1, 2, 2, '2006-05-10 00:00:00')",
      "INSERT INTO Caixa (Cd_Caixa, Cd_PessoaUsuaria, Cd_Funcionario, Dt_Abertura) "
      "VALUES (1, 1, 4, '2005-07-07 08:00:00')",
      "INSERT INTO ECF (Cd_PessoaUsuaria, No_Impressora) VALUES (1, 1), (9, 1)",
      // Coupons of printer 1: their days, reduction counters and customer.
      "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
      "Qt_ContReducoes, Cd_Cliente) VALUES "
      "(1, 1, 1, '2004-12-31 00:00:00', 3, NULL), (1, 1, 2, '2005-01-10 00:00:00', 7, NULL), "
      "(1, 1, 3, '2005-01-10 00:00:00', 8, NULL), (1, 1, 4, '2005-03-05 00:00:00', 12, NULL), "
      "(1, 1, 5, '2005-04-01 00:00:00', 20, NULL), (1, 1, 6, '2005-04-02 00:00:00', 21, NULL), "
      "(1, 1, 7, '2005-04-03 00:00:00', 22, NULL), (1, 1, 8, '2006-03-01 00:00:00', 40, 2), "
      "(9, 1, 1, '2005-01-10 00:00:00', 50, NULL)",
      "INSERT INTO MapaResumoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Movimento, Qt_ContReducoes) "
      "VALUES (1, 1, '2004-12-31 00:00:00', 99), (1, 1, '2005-01-10 00:00:00', 99), "
      "(1, 1, '2005-02-15 00:00:00', 99), (1, 1, '2005-03-05 00:00:00', 99), "
      "(1, 1, '2005-04-01 00:00:00', 99), (9, 1, '2005-01-10 00:00:00', 99)",
  });
}

// A date as "yyyy-mm-dd" ("-" for null).
inline std::string Day(const Value& v) {
  if (v.IsNull()) return "-";
  const DateTime d = v.ToDate();
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year(), d.Month(), d.Day());
  return text;
}

// Steps 212, 218 and 225 on the rows of InsertCorrectionRows.
inline void CheckTransferCorrections(StepWalk& w) {
  db::Connection& db = w.Db();
  // 212: the only rule of a withdrawn product (counted per company) is
  // automatic; rules of entered products with two automatic rules (40), a
  // rule into itself (50) or a factor up to 1 (60) are gone.
  EXPECT_EQ(
      RowTexts(db,
           "SELECT Cd_PessoaUsuaria, Cd_ProdutoBaixa, Cd_ProdutoEntrada "
           "FROM ProdutoTransferencia ORDER BY 1, 2, 3"),
      (std::vector<std::string>{"1|20|21", "1|30|31", "1|30|32", "1|51|52", "1|62|64", "2|20|22"}));
  EXPECT_EQ(RowTexts(db,
                 "SELECT Cd_PessoaUsuaria, Cd_ProdutoBaixa FROM ProdutoTransferencia "
                 "WHERE Ic_TransferenciaAutomatica <> 0 ORDER BY 1"),
            (std::vector<std::string>{"1|20", "2|20"}));
  // 218: the entry of 24 units from one box of 48.00 costs 2.00 a unit.
  EXPECT_DOUBLE_EQ(db.Query("SELECT Vl_Unitario FROM Cardex WHERE Cd_LancamentoCardex = 106")
                       .Field(0)
                       .ToDouble(),
                   2.0);
  // 225: only the transfer of 5001 from 10 went, with its two stock-card
  // rows; a ratio of exactly 500 stays.
  EXPECT_EQ(RowTexts(db, "SELECT No_Transferencia FROM ItemTransfEmbalagem ORDER BY 1"),
            (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_EQ(RowTexts(db, "SELECT Cd_LancamentoCardex FROM Cardex ORDER BY 1"),
            (std::vector<std::string>{"101", "102", "105", "106", "107", "108", "109"}));
}

// Steps 272 and 295 on the rows of InsertCorrectionRows, the clock's today
// being 2 March 2005, the start of the third range.
inline void CheckDailyRanges(StepWalk& w) {
  db::Connection& db = w.Db();
  // 272: ranges of 30 days from 1 January 2005, the user company only,
  // summaries of days with coupons only.
  EXPECT_EQ(RowTexts(db,
                 "SELECT Cd_PessoaUsuaria, Qt_ContReducoes FROM MapaResumoECF "
                 "ORDER BY Cd_PessoaUsuaria, Dt_Movimento"),
            (std::vector<std::string>{"1|99", "1|8", "1|99", "1|12", "1|99", "9|99"}));
  std::vector<std::string> texts;
  for (const auto& draw : w.env.draws) {
    if (draw.action.rfind("Atualizando mapa resumo dia ", 0) == 0 &&
        (texts.empty() || texts.back() != draw.action)) {
      texts.push_back(draw.action);
    }
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Atualizando mapa resumo dia 01/01/2005",
                                             "Atualizando mapa resumo dia 31/01/2005",
                                             "Atualizando mapa resumo dia 02/03/2005"}));
  // 295: the last range starts on 2 March and reaches 31 days on, to
  // 2 April inclusive; whatever lies outside the ranges stays empty.
  const auto cupons = db.Query(
      "SELECT Dt_Emissao, Dt_Movimento FROM CupomFiscal ORDER BY Cd_PessoaUsuaria, No_CupomFiscal");
  std::vector<std::string> movimento;
  for (const auto& row : cupons.Rows()) movimento.push_back(Day(row[0]) + ">" + Day(row[1]));
  EXPECT_EQ(movimento,
            (std::vector<std::string>{"2004-12-31>-", "2005-01-10>2005-01-10",
                                      "2005-01-10>2005-01-10", "2005-03-05>2005-03-05",
                                      "2005-04-01>2005-04-01", "2005-04-02>2005-04-02",
                                      "2005-04-03>-", "2006-03-01>-", "2005-01-10>2005-01-10"}));
}

// Walks to 297 with the rows above made at 211 and today being 2 March
// 2005, and checks the transfers and the daily ranges.
inline void WalkWithRows(StepWalk& w) {
  w.To(211);
  InsertCorrectionRows(w);
  w.env.now = DateTime::Of(2005, 3, 2, 10, 0, 0);
  w.To(297);
  EXPECT_EQ(w.Version(), 297);
  EXPECT_EQ(w.compared.size(), 24u);  // the stand-in of step 26 and the 23 steps
  CheckTransferCorrections(w);
  CheckDailyRanges(w);
}

}  // namespace bp::testing::steps200
