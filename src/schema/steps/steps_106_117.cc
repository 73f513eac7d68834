// Version steps 106 to 117: stock repairs through the host's recomputation,
// fueling discounts, the income-statement lines of the ledger accounts and
// their monthly consolidated results.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bp/db/execute_each.h"
#include "bp/db/recordset.h"
#include "schema/steps/steps_073_133_common.h"

namespace bp::schema::s073 {
namespace {

constexpr const char* kEmp = "Cd_PessoaUsuaria";

// Step 106: invoices of operations 90 and 91 document goods that already
// left the stock through another document, so the stock movements of their
// items are removed and the stock card of each product concerned is rebuilt
// from 1 January 2005.
void Step106(StepContext& c) {
  db::Recordset rs = c.Query(Sql({
      "SELECT DISTINCT Cardex.Cd_PessoaUsuaria, Cardex.Cd_LancamentoCardex, Cardex.Cd_Produto",
      "FROM   NotaSaida",
      "       INNER JOIN ItemNotaSaida",
      "               ON ItemNotaSaida.Cd_PessoaUsuaria = NotaSaida.Cd_PessoaUsuaria",
      "              AND ItemNotaSaida.No_Nota = NotaSaida.No_Nota",
      "       INNER JOIN Cardex",
      "               ON Cardex.Cd_PessoaUsuaria = ItemNotaSaida.Cd_PessoaUsuaria",
      "              AND Cardex.Cd_LancamentoCardex = ItemNotaSaida.Cd_LancamentoCardex",
      "WHERE  NotaSaida.Cd_Operacao IN (90, 91)",
      "ORDER BY Cardex.Cd_PessoaUsuaria, Cardex.Cd_LancamentoCardex",
  }));
  if (rs.Eof()) return;

  // The invoice item lets go of its movement first: its reference to the
  // stock card would refuse the deletion.
  const std::vector<std::string> statements{
      Sql({"UPDATE ItemNotaSaida", "SET    Cd_LancamentoCardex = Null",
           "WHERE  Cd_PessoaUsuaria = ?", "AND    Cd_LancamentoCardex = ?"}),
      Sql({"DELETE FROM Cardex", "WHERE  Cd_PessoaUsuaria = ?", "AND    Cd_LancamentoCardex = ?"})};
  std::vector<std::vector<Value>> movimentos;
  std::set<std::pair<int32_t, int32_t>> produtos;
  for (; !rs.Eof(); rs.MoveNext()) {
    const Value empresa(rs["Cd_PessoaUsuaria"].ToInt32());
    const Value lancamento(rs["Cd_LancamentoCardex"].ToInt32());
    movimentos.push_back({empresa, lancamento, empresa, lancamento});
    produtos.insert({empresa.ToInt32(), rs["Cd_Produto"].ToInt32()});
  }
  size_t next = 0;
  c.RetryAfterClosedConnection(
      [&] { db::ExecuteEach(c.Connection(), statements, movimentos, next); });

  std::vector<ProdutoARecalcular> lista;
  for (const auto& [empresa, produto] : produtos) lista.push_back({empresa, produto, {}});
  RecalcularEstoqueDesde2005(c, lista);
}

// Step 107: rebuilds the stock card of every product from 1 January 2005.
void Step107(StepContext& c) {
  db::Recordset rs = c.Query(Sql({"SELECT Cd_PessoaUsuaria, Cd_Produto, Nm_Produto",
                                  "FROM   Produto", "ORDER BY Cd_PessoaUsuaria, Cd_Produto"}));
  std::vector<ProdutoARecalcular> lista;
  for (; !rs.Eof(); rs.MoveNext()) {
    lista.push_back({rs["Cd_PessoaUsuaria"].ToInt32(), rs["Cd_Produto"].ToInt32(),
                     "Atualizando produto " + rs["Nm_Produto"].ToText()});
  }
  RecalcularEstoqueDesde2005(c, lista);
}

// Step 108: a discount rate per nozzle and per fueling, and whether a user
// may grant it.
void Step108(StepContext& c) {
  c.Run(AddColumn{"Abastecimento", Nullable("Tx_DescontoAbastecimento", Numeric(5, 2))});
  c.Run(AddColumn{"Bomba", Nullable("Tx_DescontoAbastecimento", Numeric(5, 2))});
  c.Run(AddColumn{"Usuario", Nullable("Fl_DescontoAbastecimento", VarChar(1))});
}

// Step 111: the lines of the income statement (DRE), each ledger account
// pointing at one; the fourth level of the account code goes away.
void Step111(StepContext& c) {
  c.Run(NewTable(
      "ContaDRE",
      {NotNull(kEmp, Int()), Nullable("Ds_ContaDRE", VarChar(25)), NotNull("Cd_ContaDRE", Int())},
      PrimaryKey{"XPKContaDRE", {kEmp, "Cd_ContaDRE"}}, {Idx("XIF161ContaDRE", {kEmp})},
      {Ref("R_225", {kEmp}, "EmpresaUsuaria")}));
  c.Run(AddColumn{"ContaContabil", Nullable("Cd_ContaDRE", Int())});
  c.Run(CreateIndex{"ContaContabil", Idx("XIF162ContaContabil", {kEmp, "Cd_ContaDRE"})});
  c.Run(AddForeignKey{"ContaContabil", Ref("R_226", {kEmp, "Cd_ContaDRE"}, "ContaDRE")});
  c.Run(DropColumn{"ContaContabil", "Cd_Nivel4"});
}

// Step 115: the print layout of each invoice type.
void Step115(StepContext& c) { c.Run(AddColumn{"TipoNF", Nullable("No_LayOutNF", Int())}); }

// Step 117 (every failing statement is skipped): re-creates the key and
// indexes of the ledger accounts, and creates the table of their monthly
// consolidated results. The key stays as it is while products refer to it.
void Step117(StepContext& c) {
  RecreateKeysIndexesAndReferences(
      c, "ContaContabil", PrimaryKey{"ContaContabil_02", {kEmp, "Cd_ContaContabil"}},
      {Idx("XIF162ContaContabil", {kEmp, "Cd_ContaDRE"}),
       Idx("XIF138ContaContabil", {"Cd_Despesa"}), Idx("XIF26ContaContabil", {kEmp}),
       Idx("ContaContabil_01", {"Cd_Nivel1", "Cd_Nivel2", "Cd_Nivel3"})},
      {});

  std::vector<Column> columns{NotNull(kEmp, Int()), NotNull("Cd_ContaContabil", Int()),
                              NotNull("No_Ano", Int()), NotNull("No_Mes", Int()),
                              Nullable("Vl_Resultado", MoneyType())};
  for (int month = 1; month <= 12; ++month) {
    columns.push_back(Nullable(
        (month < 10 ? "Vl_Resultado0" : "Vl_Resultado") + std::to_string(month), MoneyType()));
  }
  c.Run(NewTable(
      "LanContaContabilConsolidado", std::move(columns),
      PrimaryKey{"XPKLanContaContabilConsolidado", {kEmp, "Cd_ContaContabil", "No_Ano", "No_Mes"}},
      {Idx("XIF163LanContaContabilConsolidado", {kEmp, "Cd_ContaContabil"})},
      {Ref("R_227", {kEmp, "Cd_ContaContabil"}, "ContaContabil")}));
}

}  // namespace

void AddSteps106To117(StepTable& t) {
  t.Add(Step{106, Tolerance::kNone, Step106});
  t.Add(Step{107, Tolerance::kNone, Step107});
  t.Add(Step{108, Tolerance::kNone, Step108});
  t.Add(Step{111, Tolerance::kNone, Step111});
  t.Add(Step{115, Tolerance::kNone, Step115});
  t.Add(Step{117, Tolerance::kSkipAll, Step117});
}

}  // namespace bp::schema::s073
