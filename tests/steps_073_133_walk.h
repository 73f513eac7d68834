// Shared by the SQLite and PostgreSQL tests of the version steps 73 to 133:
// a version-18 station database walked through those steps alone (the
// numbers between them only advance), with the schema compared to the
// driver's model after each step, rows made for the data corrections, and
// the checks of their effects and of a few final shapes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bp/datetime.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "schema/steps/steps.h"
#include "support/step_walk.h"

namespace bp::testing::s073 {

// A version-18 database (SQLite path or PostgreSQL URL; empty: a file in
// the walk's folder) walked by the driver with the steps 73 to 133 only and
// a scripted per-product stock recomputation.
inline StepWalkOptions Range(const std::string& banco = {}) {
  return WalkOver({schema::AddSteps073To133}, banco, 1, true);
}

// Rows of version 18 for the data corrections: three products, two pumps,
// three invoices (operations 90, 91 and 5) with one item each and a
// stock-card row per item, one more stock-card row, four customers with
// their collection portfolio codes ('12', '7', none, blank) and one
// current-account entry of an employee.
inline void InsertCorrectionRows(db::Connection& db) {
  InsertProducts(db, "COMB", "MARGEM",
                 {"10, 'GASOLINA COMUM', 1", "20, 'ETANOL', 1", "30, 'OLEO 20W50', 1"});
  for (const char* values : {"1, '0101', 10", "2, '0102', 20"})
    db.Execute(std::string("INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, "
                           "Cd_Produto) VALUES (1, ") +
               values + ")");
  db.Execute("INSERT INTO TipoNF (Cd_TipoNF, Ds_TipoNF) VALUES (1, 'NOTA FISCAL')");
  // Stock-card rows 1001 to 1004; invoices 100 (operation 90), 101 (91) and
  // 102 (5), one item each, on the rows 1001 to 1003.
  for (const char* values : {"1001, 10", "1002, 20", "1003, 10", "1004, 30"})
    db.Execute(std::string("INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, "
                           "Dt_Emissao, No_Tipo) VALUES (1, ") +
               values + ", '2006-03-01 00:00:00', 20)");
  for (const char* values : {"100, 90", "101, 91", "102, 5"})
    db.Execute(std::string("INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota, "
                           "Cd_Operacao) VALUES (1, 1, ") +
               values + ")");
  for (const char* values : {"100, 10, 1001", "101, 20, 1002", "102, 10, 1003"})
    db.Execute(
        std::string("INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Item, No_Nota, "
                    "Cd_Produto, Cd_LancamentoCardex) VALUES (1, 1, 1, ") +
        values + ")");
  for (const char* values : {"2, '12'", "3, '7'", "4, NULL", "5, ''"}) {
    const std::string person(values, 1);
    db.Execute("INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (" + person + ", 'CLIENTE')");
    db.Execute(std::string("INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente, Cd_CarCob) "
                           "VALUES (1, ") +
               values + ")");
  }
  db.Execute(
      "INSERT INTO LanCCFuncionario (Cd_Funcionario, Dt_Lancamento, "
      "No_LancamentoCcFuncionario, Ds_Historico, Vl_Lancamento) "
      "VALUES (2, '2006-04-10 00:00:00', 1, 'VALE COMBUSTIVEL', 50.25)");
}

// The effects of the corrections of 74, 106, 107, 121 and 133 on the rows
// above, after the walk to 133.
inline void CheckCorrections(StepWalk& w) {
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

  // 106 rebuilds the two products whose movements went, 107 every product;
  // all from 1 January 2005.
  const DateTime d = DateTime::Of(2005, 1, 1);
  using C = StockScript::Call;
  EXPECT_EQ(w.stock.calls,
            (std::vector<C>{{1, 10, d}, {1, 20, d}, {1, 10, d}, {1, 20, d}, {1, 30, d}}));
  std::vector<std::string> texts;
  for (const auto& draw : w.env.draws)
    if (texts.empty() || texts.back() != draw.action) texts.push_back(draw.action);
  EXPECT_EQ(texts, (std::vector<std::string>{"Atualizando produto GASOLINA COMUM",
                                             "Atualizando produto ETANOL",
                                             "Atualizando produto OLEO 20W50"}));
  ASSERT_FALSE(w.env.draws.empty());
  EXPECT_EQ(w.env.draws.back().caption, "Atualização do banco de dados");
  EXPECT_EQ(w.env.draws.back().percent_label, "100%");

  // 121: the employee's entry is now a person's entry.
  EXPECT_EQ(w.Count("SELECT COUNT(*) FROM LanCCPessoa WHERE Cd_Pessoa = 2 AND "
                    "No_LancamentoCcPessoa = 1 AND Ds_Historico = 'VALE COMBUSTIVEL' AND "
                    "Vl_Lancamento = 50.25"),
            1);

  // 133: the codes come back as numbers, blank as no code.
  db::Recordset cli = w.Db().Query("SELECT Cd_Cliente, Cd_CarCob FROM Cliente ORDER BY Cd_Cliente");
  std::vector<std::string> codes;
  for (; !cli.Eof(); cli.MoveNext())
    codes.push_back(cli["Cd_CarCob"].IsNull() ? "null"
                                              : std::to_string(cli["Cd_CarCob"].ToInt32()));
  EXPECT_EQ(codes, (std::vector<std::string>{"12", "7", "null", "null"}));
}

// The steps of the range, in order.
inline const std::vector<int32_t> kRange = {73,  74,  76,  87,  89,  92,  94,  97,  106, 107,
                                            108, 111, 115, 117, 120, 121, 124, 125, 131, 133};

// Walks to 133 over the rows above and checks every step ran with the model
// equal to the database and the corrections.
inline void WalkWithRows(StepWalk& w) {
  InsertCorrectionRows(w.Db());
  w.To(133);
  EXPECT_EQ(w.compared, kRange);
  EXPECT_EQ(w.Version(), 133);
  EXPECT_EQ(w.stock.objects_created, 2);  // one for 106, one for 107
  CheckCorrections(w);
}

}  // namespace bp::testing::s073
