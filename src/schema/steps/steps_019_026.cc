// Steps 19, 21 and 26: the tax columns of products and items take their
// names and their three-character situation code, and the package-transfer
// tables appear.
#include <string>

#include "bp/db/recordset.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/model.h"
#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_019_071_parts.h"

namespace bp::schema {
namespace {

using correction::Date;
using correction::ForEachRow;
using correction::Number;
using correction::Statement;
using correction::Text;
using N = Nullability;

// Step 19: the tax columns of the coupon and invoice items and of the
// products become No_SitTributaria and No_TribIcms (the entry items have only
// the situation code); then the fuels without taxation data get the data of
// their ICMS situation, and fuel coupon items without it take their
// product's.
void Step19(StepContext& c) {
  for (const char* table : {"ItemCupomFiscal", "ItemNotaSaida", "Produto"}) {
    c.Run(RenameColumn{table, v18::kSitTributaria, "No_SitTributaria"});
    c.Run(RenameColumn{table, v18::kTribIcms, "No_TribIcms"});
  }
  c.Run(RenameColumn{"ItemNotaEntrada", v18::kSitTributaria, "No_SitTributaria"});

  // Taxed fuels: situation 00, full base; untaxed fuels: situation 06.
  c.Run(
      Statement("UPDATE Produto\r\n"
                "SET    No_TribIcms = '0', Tx_BaseCalculo = 100, No_SitTributaria = '00', "
                "No_PresIcms = '0', No_TribPis = '0', No_TribCofins = '0'\r\n"
                "WHERE  No_TribIcms IS NULL AND No_Tipo = 1 AND Tx_Icms > 0\r\n"));
  c.Run(
      Statement("UPDATE Produto\r\n"
                "SET    No_TribIcms = '6', Tx_BaseCalculo = 0, No_SitTributaria = '06', "
                "No_PresIcms = '0', No_TribPis = '0', No_TribCofins = '0'\r\n"
                "WHERE  No_TribIcms IS NULL AND No_Tipo = 1 AND Tx_Icms = 0\r\n"));
  c.Run(
      Statement("UPDATE Produto\r\n"
                "SET    No_SitTributaria = '00'\r\n"
                "WHERE  No_SitTributaria IS NULL AND No_TribIcms = '0'\r\n"));

  db::Recordset items = c.Query(
      "SELECT ItemCupomFiscal.Cd_PessoaUsuaria, ItemCupomFiscal.No_Impressora, "
      "ItemCupomFiscal.No_CupomFiscal, ItemCupomFiscal.Dt_Emissao, ItemCupomFiscal.No_Item, "
      "Produto.No_SitTributaria, Produto.No_TribIcms\r\n"
      "FROM   ItemCupomFiscal\r\n"
      "LEFT JOIN Produto ON ItemCupomFiscal.Cd_Produto = Produto.Cd_Produto\r\n"
      "WHERE  Produto.No_Tipo = 1\r\n"
      "AND   (ItemCupomFiscal.No_SitTributaria IS NULL\r\n"
      "       OR ItemCupomFiscal.No_TribIcms IS NULL)\r\n");
  ForEachRow(c, items, {}, [&c](const db::Recordset& r) {
    c.Execute(
        "UPDATE ItemCupomFiscal\r\n"
        "SET    No_SitTributaria = " +
        Text(r["No_SitTributaria"]) + ", No_TribIcms = " + Text(r["No_TribIcms"]) + "\r\n" +
        "WHERE  Cd_PessoaUsuaria = " + Number(r["Cd_PessoaUsuaria"]) + " AND No_Impressora = " +
        Number(r["No_Impressora"]) + " AND No_CupomFiscal = " + Number(r["No_CupomFiscal"]) +
        " AND Dt_Emissao = " + Date(c, r["Dt_Emissao"]) + " AND No_Item = " + Number(r["No_Item"]) +
        "\r\n");
  });
}

// Step 21: the company gets the bank-slip charge; the situation code of the
// items and products widens to three characters, and every code gets a
// trailing "0" ("06" becomes "060"). The tables keep their rows, column
// order, keys, indexes and the references to and from them, as a rebuild of
// each table into its new shape leaves them; widening the column where it
// stands gives that without copying every item twice and re-creating the
// nine references to the products. The trailing "0" is written in the same
// pass over the rows: PostgreSQL writes each table once, SQLite rebuilds
// each table once, and neither updates every item afterwards.
void Step21(StepContext& c) {
  c.Run(AddColumn{"EmpresaUsuaria", {"Vl_DespesaBoleta", MoneyType(), N::kNull}});
  for (const char* table : {"ItemNotaSaida", "ItemCupomFiscal", "Produto"})
    c.Run(WidenColumn{table, "No_SitTributaria", VarChar(3), "No_SitTributaria || '0'",
                      "No_SitTributaria + '0'"});
}

// Step 26: the package-transfer rules (which product is converted into
// which) and the transfers done, with their two stock-card rows.
void Step26(StepContext& c) {
  c.Run(CreateTable{{"ProdutoTransferencia",
                     {{"Cd_PessoaUsuaria", Int(), N::kNotNull},
                      {"Cd_ProdutoBaixa", Int(), N::kNotNull},
                      {"Cd_ProdutoEntrada", Int(), N::kNotNull},
                      {"Qt_FatorMultiplicacao", MoneyType(), N::kNotNull}},
                     PrimaryKey{"XPKProdutoTransferencia",
                                {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa", "Cd_ProdutoEntrada"}}}});
  c.Run(CreateIndex{"ProdutoTransferencia",
                    {"XIF146ProdutoTransferencia", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}}});
  c.Run(CreateIndex{"ProdutoTransferencia",
                    {"XIF147ProdutoTransferencia", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}}});
  c.Run(AddForeignKey{"ProdutoTransferencia",
                      {"R_209", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}, "Produto"}});
  c.Run(AddForeignKey{"ProdutoTransferencia",
                      {"R_208", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}, "Produto"}});

  c.Run(CreateTable{
      {"ItemTransfEmbalagem",
       {{"No_Transferencia", Int(), N::kNotNull},
        {"Cd_ProdutoBaixa", Int(), N::kNotNull},
        {"Cd_ProdutoEntrada", Int(), N::kNotNull},
        {"Cd_PessoaUsuaria", Int(), N::kNotNull},
        {"Cd_LancamentoCardexBaixa", Int(), N::kNotNull},
        {"Cd_LancamentoCardexEntrada", Int(), N::kNotNull},
        {"Qt_UnidadeEntrada", Float(), N::kNotNull},
        {"Qt_UnidadeBaixa", Float(), N::kNotNull}},
       PrimaryKey{"XPKItemTransfEmbalagem", {"Cd_PessoaUsuaria", "No_Transferencia"}}}});
  const char* const kTable = "ItemTransfEmbalagem";
  c.Run(
      CreateIndex{kTable, {"XIF148ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}}});
  c.Run(CreateIndex{kTable,
                    {"XIF149ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}}});
  c.Run(CreateIndex{kTable, {"XIF150ItemTransfEmbalagem", {"Cd_PessoaUsuaria"}}});
  c.Run(CreateIndex{
      kTable, {"XIF151ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexBaixa"}}});
  c.Run(CreateIndex{
      kTable, {"XIF152ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexEntrada"}}});
  c.Run(AddForeignKey{kTable,
                      {"R_214", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexEntrada"}, "Cardex"}});
  c.Run(
      AddForeignKey{kTable, {"R_213", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexBaixa"}, "Cardex"}});
  c.Run(AddForeignKey{kTable, {"R_212", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}});
  c.Run(AddForeignKey{kTable, {"R_211", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}, "Produto"}});
  c.Run(AddForeignKey{kTable, {"R_210", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}, "Produto"}});
}

}  // namespace

void AddSteps019To026(StepTable& table) {
  table.Add(Step{19, Tolerance::kNone, Step19});
  table.Add(Step{21, Tolerance::kNone, Step21});
  table.Add(Step{26, Tolerance::kNone, Step26});
}

}  // namespace bp::schema
