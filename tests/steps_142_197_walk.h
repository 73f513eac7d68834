// The walk of the version steps 142 to 197, shared by the SQLite and the
// PostgreSQL tests: stand-ins for what earlier steps create, and rows made
// for the data corrections with the checks of their effects.
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

namespace bp::testing::steps142 {

// Stand-ins for the earlier steps whose work steps 142 to 197 build on:
// step 71 removes the fueling and piping-system columns of ItemNotaSaida
// (with their index and reference), step 125 creates the payables model.
inline void AddEarlierSteps(schema::StepTable& t) {
  using namespace schema;
  t.Add(Step{71, Tolerance::kNone, [](StepContext& c) {
               c.Run(DropForeignKey{"ItemNotaSaida", v18::kItemNotaSaidaAbastecimentoReference});
               c.Run(DropForeignKey{"ItemNotaSaida", v18::kItemNotaSaidaSisTubulacaoReference});
               c.Run(DropIndex{"ItemNotaSaida", v18::kItemNotaSaidaAbastecimentoIndex});
               c.Run(DropIndex{"ItemNotaSaida", v18::kItemNotaSaidaSisTubulacaoIndex});
               c.Run(DropColumn{"ItemNotaSaida", "Cd_Abastecimento"});
               c.Run(DropColumn{"ItemNotaSaida", "Cd_SisTubulacao"});
             }});
  t.Add(Step{125, Tolerance::kNone, [](StepContext& c) {
               const std::string emp = "Cd_PessoaUsuaria";
               c.Run(CreateTable{{"TipoContaAPagar",
                                  {NotNull("Cd_TipoContaAPagar", Int()),
                                   {"Ds_ContaAPagar", VarChar(30), Nullability::kNull}},
                                  PrimaryKey{"XPKTipoContaAPagar", {"Cd_TipoContaAPagar"}}}});
               c.Run(CreateTable{{"Pagamento",
                                  {NotNull(emp, Int()), NotNull("Cd_Pagamento", Int())},
                                  PrimaryKey{"XPKPagamento", {emp, "Cd_Pagamento"}}}});
               c.Run(CreateTable{{"PagamentoPorCaixa",
                                  {NotNull(emp, Int()), NotNull("Cd_Pagamento", Int())},
                                  PrimaryKey{"XPKPagamentoPorCaixa", {emp, "Cd_Pagamento"}},
                                  {Index{"XIF176PagamentoPorCaixa", {emp, "Cd_Pagamento"}}},
                                  {ForeignKey{"R_241", {emp, "Cd_Pagamento"}, "Pagamento"}}}});
               c.Run(CreateTable{{"LanCcBancaria",
                                  {NotNull(emp, Int()), NotNull("No_LanCcBancaria", Int())},
                                  PrimaryKey{"XPKLanCcBancaria", {emp, "No_LanCcBancaria"}}}});
               c.Run(CreateTable{
                   {"PagamentoPorLanCcBancaria",
                    {NotNull(emp, Int()), NotNull("Cd_Pagamento", Int()),
                     NotNull("No_LanCcBancaria", Int())},
                    PrimaryKey{"XPKPagamentoPorLanCcBancaria", {emp, "Cd_Pagamento", "No_LanCcBancaria"}},
                    {},
                    {ForeignKey{"R_238", {emp, "No_LanCcBancaria"}, "LanCcBancaria"}}}});
             }});
}

// A version-18 database of `company` walked by the driver with steps 142 to
// 197 and the stand-ins, its general stock recomputation scripted.
inline StepWalkOptions Range(const std::string& banco = {}, int32_t company = 1) {
  return WalkOver({AddEarlierSteps, schema::AddSteps142To197}, banco, company, true);
}

// Walks a database from 18 to 197 with rows for the data corrections
// (inserted at 147, and a card type at 191), then checks what each step did
// to them and that the model agreed with the database after every step.
inline void WalkWithRows(StepWalk& walk) {
  db::Connection& db = walk.Db();
  walk.To(147);
  InsertProducts(db, "PISTA", "VENDAS", {"10, 'GASOLINA', -1", "11, 'OLEO 1L', 0"});
  for (const char* sql : {
           "INSERT INTO Pessoa (Cd_Pessoa, Nm_Pessoa) VALUES (2, 'CLIENTE UM'), "
           "(3, 'CLIENTE DOIS'), (4, 'DISTRIBUIDORA')",
           "INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente) VALUES (1, 2), (1, 3)",
           "INSERT INTO TipoNF (Cd_TipoNF, Ds_TipoNF) VALUES (1, 'NOTA FISCAL')",
           "INSERT INTO NotaSaida (Cd_PessoaUsuaria, Cd_TipoNF, No_Nota) VALUES (1, 1, 100)",
           "INSERT INTO ItemNotaSaida (Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, Cd_Produto, "
           "Qt_Unidade) VALUES (1, 100, 1, 1, 10, 20), (1, 100, 1, 2, 11, 3)",
           "INSERT INTO Fornecedor (Cd_PessoaUsuaria, Cd_Fornecedor) VALUES (1, 4)",
           "INSERT INTO NotaEntrada (No_Entrada, Cd_PessoaUsuaria, Cd_Fornecedor, Cd_TipoNF, "
           "No_Nota) VALUES (500, 1, 4, 1, 9)",
           "INSERT INTO ItemNotaEntrada (No_Entrada, Cd_ProdutoItem, No_Item, Cd_PessoaUsuaria, "
           "Qt_UnidadeItem) VALUES (500, 10, 1, 1, 5000)",
           "INSERT INTO Usuario (Cd_PessoaUsuaria, Cd_Usuario, Nm_Usuario) VALUES "
           "(1, 1, 'GERENTE'), (1, 2, 'FRENTISTA')",
           "INSERT INTO TipoRecebimento (Cd_PessoaUsuaria, Cd_TipoRecebimento, Nm_TipoRecebimento, "
           "No_TipoPagamento) VALUES (1, 1, 'DINHEIRO', 3), (1, 2, 'CHEQUE', 1), "
           "(1, 3, 'CARTAO', 4), (1, 4, 'OUTROS', NULL)",
           "INSERT INTO Cartao (Cd_PessoaUsuaria, No_Cartao, Cd_Cliente) VALUES (1, '7788', 2)",
           "INSERT INTO Empenho (Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente) VALUES ('E-1', 1, 2)",
           "INSERT INTO ItemEmpenho (No_Item, Id_Empenho, Cd_PessoaUsuaria, Cd_Cliente, "
           "Cd_Produto) VALUES (1, 'E-1', 1, 2, 10)",
       }) {
    db.Execute(sql);
  }
  walk.To(191);
  db.Execute("INSERT INTO TipoCartao (Cd_TipoCartao, Nm_TipoCartao) VALUES (1, 'FROTA')");
  walk.To(197);
  EXPECT_EQ(walk.Version(), 197);
  EXPECT_EQ(walk.compared, (std::vector<int32_t>{71, 125, 142, 147, 148, 149, 151, 157, 158, 160,
                                                 162, 164, 169, 170, 174, 177, 179, 180, 186, 192,
                                                 197}));
  using Texts = std::vector<std::string>;
  auto count = [&](const std::string& table) { return walk.Count("SELECT COUNT(*) FROM " + table); };

  // 148: the commitments of 147 went with their tables; change only for cash
  // (payment type 3); a means without a payment type is left empty.
  EXPECT_EQ(count("Empenho"), 0);
  EXPECT_EQ(count("ItemEmpenho"), 0);
  EXPECT_EQ(
      Flags(db, "SELECT Fl_PermitirTrocoNaVenda FROM TipoRecebimento ORDER BY Cd_TipoRecebimento"),
      "TFFN");

  // 149: the kinds of payable.
  EXPECT_EQ(RowTexts(db, "SELECT Cd_TipoContaAPagar, Ds_ContaAPagar FROM TipoContaAPagar "
                         "ORDER BY 1"),
            (Texts{"1|DM-DUPLICATA MERCANTIL", "2|NP-NOTA PROMISSORIA", "3|CH-CHEQUE", "4|OUTROS"}));

  // 157: the invoice items kept their rows through the new keys.
  EXPECT_EQ(db.Query("SELECT SUM(Qt_Unidade) FROM ItemNotaSaida").Field(0).ToDouble(), 23.0);
  EXPECT_EQ(db.Query("SELECT Qt_UnidadeItem FROM ItemNotaEntrada").Field(0).ToDouble(), 5000.0);

  // 169, 174: no customer must give the odometer; all are in group 1, GERAL.
  EXPECT_EQ(Flags(db, "SELECT Ic_ExigirHodometroNaVenda FROM Cliente"), "FF");
  EXPECT_EQ(RowTexts(db, "SELECT Cd_GrupoCliente FROM Cliente"), (Texts{"1", "1"}));
  EXPECT_EQ(RowTexts(db, "SELECT Cd_GrupoCliente, Nm_GrupoCliente FROM GrupoCliente"),
            (Texts{"1|GERAL"}));

  // 177: products active, no user registers gauge tests, the old cards gone.
  EXPECT_EQ(Flags(db, "SELECT Ic_Ativo FROM Produto"), "TT");
  EXPECT_EQ(RowTexts(db, "SELECT FlMPermitidoAfericoes FROM Usuario"), (Texts{"0", "0"}));
  EXPECT_EQ(count("Cartao"), 0);

  // 192: the existing card type got the default.
  EXPECT_EQ(walk.Count("SELECT Qt_PendenciasPermitidas FROM TipoCartao"), 0);
}

}  // namespace bp::testing::steps142
