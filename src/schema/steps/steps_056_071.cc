// Steps 56 to 71: the consolidated stock, cash-register columns, the stock
// and cost repairs of the stock card, the sale restrictions of customers and
// the reshaped output invoices.
#include <string>
#include <utility>

#include "bp/db/recordset.h"
#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/schema/base_schema.h"
#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_019_071_parts.h"

namespace bp::schema {
namespace {

using correction::Decimal;
using correction::ForEachRow;
using correction::Number;
using correction::RecomputeStock;
using correction::Statement;
using N = Nullability;

// Products that have entry items with stock-card rows, once each.
constexpr const char* kProdutosComEntradaNoCardex =
    "SELECT ItemNotaEntrada.Cd_ProdutoItem\r\n"
    "FROM   ItemNotaEntrada\r\n"
    "INNER JOIN Cardex ON ItemNotaEntrada.Cd_LancamentoCardex = Cardex.Cd_LancamentoCardex\r\n";

// Step 56: the stock and average costs of each product at a reference date.
void Step56(StepContext& c) {
  const char* const kTable = "EstoqueConsolidado";
  c.Run(CreateTable{
      {kTable,
       {{"Cd_PessoaUsuaria", Int(), N::kNotNull},
        {"Dt_Referencia", DateTimeType(), N::kNotNull},
        {"Cd_Produto", Int(), N::kNotNull},
        {"Vl_CustoMedio", Numeric(10, 4), N::kNull},
        {"Qt_Estoque", Numeric(10, 3), N::kNull},
        {"Vl_IcmsRecuperar", Numeric(10, 4), N::kNull}},
       PrimaryKey{"XPKEstoqueConsolidado", {"Cd_PessoaUsuaria", "Dt_Referencia", "Cd_Produto"}}}});
  c.Run(CreateIndex{kTable, {"XIF154EstoqueConsolidado", {"Cd_PessoaUsuaria"}}});
  c.Run(CreateIndex{kTable, {"XIF155EstoqueConsolidado", {"Cd_PessoaUsuaria", "Cd_Produto"}}});
  c.Run(CreateIndex{
      kTable, {"EstoqueConsolidado_01", {"Cd_PessoaUsuaria", "Dt_Referencia", "Qt_Estoque"}}});
  c.Run(AddForeignKey{kTable, {"R_217", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}});
  c.Run(AddForeignKey{kTable, {"R_216", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}});
}

// Step 57: what the cash withdrawals of a register period left over or
// missed.
void Step57(StepContext& c) {
  c.Run(AddColumn{"Caixa", {"Vl_SobraSangria", MoneyType(), N::kNull}});
  c.Run(AddColumn{"Caixa", {"Vl_FaltaSangria", MoneyType(), N::kNull}});
}

// Step 60: a product that never moved has no stock and no costs.
void Step60(StepContext& c) {
  db::Recordset products = c.Query(
      "SELECT Produto.Cd_PessoaUsuaria, Produto.Cd_Produto\r\n"
      "FROM   Produto\r\n"
      "LEFT JOIN Cardex ON Produto.Cd_Produto = Cardex.Cd_Produto\r\n"
      "WHERE  Cardex.Cd_LancamentoCardex IS NULL\r\n");
  ForEachRow(c, products, {}, [&c](const db::Recordset& r) {
    c.Execute(
        "UPDATE Produto\r\n"
        "SET    Qt_Estoque = 0, Vl_CustoMedio = 0, Vl_CredIcmsMedio = 0\r\n"
        "WHERE  Cd_PessoaUsuaria = '" +
        Number(r["Cd_PessoaUsuaria"]) + "' AND Cd_Produto = " + Number(r["Cd_Produto"]) + "\r\n");
  });
}

// Step 66: the unit cost of entry items spreads their IPI over the units
// bought; the stock card takes the items' unit costs, the stock of the
// products concerned is recomputed, and implausible average costs and ICMS
// credits of the products are replaced by estimates.
void Step66(StepContext& c) {
  // An item with IPI and no units fails the step, as the division by zero
  // does on SQL Server.
  c.Execute("UPDATE ItemNotaEntrada\r\n"
            "SET    Vl_UnitFinal = (Vl_UnitFinal - Vl_IpiItem) + (" +
            c.Quotient("Vl_IpiItem", "Qt_UnidadeItem") +
            ")\r\n"
            "WHERE  Vl_IpiItem > 0\r\n");

  const std::string differs = "WHERE  ItemNotaEntrada.Vl_UnitFinal <> Cardex.Vl_Unitario\r\n";
  db::Recordset products = c.Query(std::string(kProdutosComEntradaNoCardex) + differs +
                                   "GROUP BY ItemNotaEntrada.Cd_ProdutoItem\r\n"
                                   "ORDER BY ItemNotaEntrada.Cd_ProdutoItem\r\n");
  db::Recordset items = c.Query(
      "SELECT ItemNotaEntrada.Cd_LancamentoCardex, ItemNotaEntrada.Vl_UnitFinal\r\n"
      "FROM   ItemNotaEntrada\r\n"
      "INNER JOIN Cardex ON ItemNotaEntrada.Cd_LancamentoCardex = Cardex.Cd_LancamentoCardex\r\n" +
      differs);
  if (!items.Eof()) {
    correction::WithTemporaryIndex(c, "Cardex", {"Cd_LancamentoCardex"}, [&] {
      correction::ExecuteForEachRow(
          c, items, {"Corrigindo preço no cardex", true},
          {"UPDATE Cardex\r\nSET    Vl_Unitario = ?\r\nWHERE  Cd_LancamentoCardex = ?\r\n"},
          [](const db::Recordset& r) -> std::optional<std::vector<Value>> {
            // The cost goes as the text the statement would carry, so the
            // database reads it exactly as it would read that literal.
            const Value& cost = r["Vl_UnitFinal"];
            return std::vector<Value>{cost.IsNull() || cost.IsEmpty()
                                          ? Value(Null{})
                                          : Value(Decimal(cost, "########0.00########")),
                                      r["Cd_LancamentoCardex"]};
          });
    });
  }
  RecomputeStock(c, products, "Cd_ProdutoItem", {},
                 {"Atualizando a quantidade de estoque nos registros do cardex", true});

  // An average cost at or above the price, or below half of it, becomes 60%
  // of the price; a credit more than 18 times the cost becomes 12% of it;
  // products whose ICMS was paid by substitution (060) carry no credit.
  for (const char* cost : {"Vl_CustoMedioInicial", "Vl_CustoMedio"}) {
    const std::string x = cost;
    c.Run(Statement("UPDATE Produto\r\nSET    " + x + " = Vl_Preco * 0.6\r\n" + "WHERE  " + x +
                    " >= Vl_Preco OR Vl_Preco >= 2 * " + x + "\r\n"));
  }
  for (const auto& [credit, cost] : {std::pair{"Vl_CredIcmsMedioInicial", "Vl_CustoMedioInicial"},
                                     std::pair{"Vl_CredIcmsMedio", "Vl_CustoMedio"}}) {
    const std::string x = credit;
    const std::string y = cost;
    c.Run(Statement("UPDATE Produto\r\nSET    " + x + " = " + y + " * 0.12\r\n" + "WHERE  " + x +
                    " > 18 * " + y + " AND " + y + " > 0\r\n"));
  }
  for (const char* credit : {"Vl_CredIcmsMedio", "Vl_CredIcmsMedioInicial"}) {
    c.Run(Statement(std::string("UPDATE Produto\r\nSET    ") + credit + " = 0\r\n" +
                    "WHERE  No_SitTributaria = '060'\r\n"));
  }
}

// Step 67: whether a product may be sold in fractions of its unit (not so
// far), then the stock of every product bought through entry invoices is
// recomputed on its stock card; a product that cannot be recomputed fails
// the step.
void Step67(StepContext& c) {
  c.Run(AddColumn{"Produto", {"Ic_PermitidoVenderFracaoDeUnidade", Bit(), N::kNull}});
  c.Run(Statement("UPDATE Produto\r\nSET    Ic_PermitidoVenderFracaoDeUnidade = 0\r\n"));

  db::Recordset products = c.Query(std::string(kProdutosComEntradaNoCardex) +
                                   "GROUP BY ItemNotaEntrada.Cd_ProdutoItem\r\n"
                                   "ORDER BY ItemNotaEntrada.Cd_ProdutoItem\r\n");
  RecomputeStock(c, products, "Cd_ProdutoItem", {},
                 {"Atualizando estoque nos registros do cardex", true}, [](const db::Recordset& r) {
                   throw Erro(kErroNegocio, "Erro na atualização do cardex, produto:" +
                                                Number(r["Cd_ProdutoItem"]));
                 });
}

// Step 70: products a customer may or may not buy.
void Step70(StepContext& c) {
  c.Run(AddColumn{"Cliente", {"No_RestricaoDeVenda", Int(), N::kNull}});
  const char* const kTable = "RestricaoDeVenda";
  c.Run(CreateTable{
      {kTable,
       {{"No_PermitirVenda", Int(), N::kNull},
        {"Cd_PessoaUsuaria", Int(), N::kNotNull},
        {"Cd_Cliente", Int(), N::kNotNull},
        {"Cd_Produto", Int(), N::kNotNull}},
       PrimaryKey{"XPKRestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Cliente", "Cd_Produto"}}}});
  c.Run(CreateIndex{kTable, {"XIF156RestricaoDeVenda", {"Cd_PessoaUsuaria"}}});
  c.Run(CreateIndex{kTable, {"XIF157RestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Cliente"}}});
  c.Run(CreateIndex{kTable, {"XIF158RestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Produto"}}});
  c.Run(AddForeignKey{kTable, {"R_219", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"}});
  c.Run(AddForeignKey{kTable, {"R_220", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}});
  c.Run(AddForeignKey{kTable, {"R_218", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}});
}

// Step 71: output invoices lose their closing and seller data and gain the
// carrier and their completed and cancelled flags; their items lose the
// coupon-only columns (with the index and reference of the fueling and the
// piping system) and the item CFOP takes its own name.
void Step71(StepContext& c) {
  for (const char* column : {"Cd_Funcionario", "Vl_DesAcr", "FL_Fechado", "Dt_Fechamento",
                             "Dt_EfeFechamento", "Cd_UsuarioEfeFechamento", "Tp_Nota"}) {
    c.Run(DropColumn{"NotaSaida", column});
  }
  c.Run(AddColumn{"NotaSaida", {"Cd_Transportador", Int(), N::kNull}});
  c.Run(AddColumn{"NotaSaida", {"Ic_Concluido", Bit(), N::kNull}});
  c.Run(AddColumn{"NotaSaida", {"Ic_Cancelada", Bit(), N::kNull}});
  c.Run(CreateIndex{"NotaSaida", {"XIF159NotaSaida", {"Cd_Transportador"}}});
  c.Run(AddForeignKey{"NotaSaida", {"R_221", {"Cd_Transportador"}, "Pessoa"}});

  const char* const kItem = "ItemNotaSaida";
  c.Run(DropForeignKey{kItem, v18::kItemNotaSaidaAbastecimentoReference});
  c.Run(DropIndex{kItem, v18::kItemNotaSaidaAbastecimentoIndex});
  c.Run(DropForeignKey{kItem, v18::kItemNotaSaidaSisTubulacaoReference});
  c.Run(DropIndex{kItem, v18::kItemNotaSaidaSisTubulacaoIndex});
  for (const char* column : {"Vl_UnitTabela", "Vl_AltAut", "Vl_AltDig", "Fl_IssRetido",
                             "Cd_Abastecimento", "Cd_SisTubulacao"}) {
    c.Run(DropColumn{kItem, column});
  }
  c.Run(RenameColumn{kItem, "Cd_Cfop", "Cd_CfopItem"});
}

}  // namespace

void AddSteps056To071(StepTable& table) {
  table.Add(Step{56, Tolerance::kNone, Step56});
  table.Add(Step{57, Tolerance::kNone, Step57});
  table.Add(Step{60, Tolerance::kNone, Step60});
  table.Add(Step{66, Tolerance::kNone, Step66});
  table.Add(Step{67, Tolerance::kNone, Step67});
  table.Add(Step{70, Tolerance::kNone, Step70});
  table.Add(Step{71, Tolerance::kNone, Step71});
}

}  // namespace bp::schema
