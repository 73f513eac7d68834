// Steps 38 to 53: customer, invoice and fueling columns, the coupon totals,
// the document text of coupon stock movements and the grand totals of the
// daily printer summary.
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/db/recordset.h"
#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_019_071_parts.h"

namespace bp::schema {
namespace {

using correction::Date;
using correction::Decimal;
using correction::ForEachRow;
using correction::Number;
using correction::Statement;
using N = Nullability;

// The columns of index Cardex_03 as they stand before step 45 and after 46.
const std::vector<std::string> kCardex03 = {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Emissao",
                                            "No_Tipo", "Nm_Doc"};

// Step 38: a remark that customer invoices carry.
void Step38(StepContext& c) {
  c.Run(AddColumn{"Cliente", {"Ds_ObservacaoNfFatura", VarChar(50), N::kNull}});
}

// Step 40: the ICMS-ST base of output invoices.
void Step40(StepContext& c) {
  c.Run(AddColumn{"NotaSaida", {"Vl_BasCalIcmsST", MoneyType(), N::kNull}});
}

// Step 44: recomputes the service and product totals of each coupon that
// has service items (products of type 2).
void Step44(StepContext& c) {
  db::Recordset coupons = c.Query(
      "SELECT ItemCupomFiscal.Cd_PessoaUsuaria, ItemCupomFiscal.No_Impressora, "
      "ItemCupomFiscal.No_CupomFiscal, ItemCupomFiscal.Dt_Emissao, "
      "SUM(ItemCupomFiscal.Qt_Unidade * ItemCupomFiscal.Vl_UnitVenda) AS Vl_TotalServicos\r\n"
      "FROM   ItemCupomFiscal\r\n"
      "INNER JOIN Produto ON ItemCupomFiscal.Cd_PessoaUsuaria = Produto.Cd_PessoaUsuaria\r\n"
      "                  AND ItemCupomFiscal.Cd_Produto = Produto.Cd_Produto\r\n"
      "WHERE  Produto.No_Tipo = 2\r\n"
      "GROUP BY ItemCupomFiscal.Cd_PessoaUsuaria, ItemCupomFiscal.No_Impressora, "
      "ItemCupomFiscal.No_CupomFiscal, ItemCupomFiscal.Dt_Emissao\r\n");
  correction::ExecuteForEachRow(
      c, coupons, {},
      {"UPDATE CupomFiscal\r\n"
       "SET    Vl_TotSer = ?, Vl_TotProd = Vl_TotalLiquido - (?)\r\n"
       "WHERE  Cd_PessoaUsuaria = ? AND No_Impressora = ? AND No_CupomFiscal = ? "
       "AND Dt_Emissao = ?\r\n"},
      [&c](const db::Recordset& r) -> std::optional<std::vector<Value>> {
        // The total and the date go as the texts the statement would carry.
        const Value& sum = r["Vl_TotalServicos"];
        const Value total(Decimal(sum.IsNull() ? 0.0 : sum.ToDouble(), "######.0#"));
        const Value& day = r["Dt_Emissao"];
        return std::vector<Value>{
            total,
            total,
            r["Cd_PessoaUsuaria"],
            r["No_Impressora"],
            r["No_CupomFiscal"],
            day.IsNull() ? Value(Null{}) : Value(c.Dal().FormatDate(day.ToDate()))};
      });
}

// Step 45: the products' opening costs (zero to begin with) and the coupon
// item number on the stock card, which joins index Cardex_03.
void Step45(StepContext& c) {
  c.Run(AddColumn{"Produto", {"Vl_CustoMedioInicial", Float(), N::kNull}});
  c.Run(AddColumn{"Produto", {"Vl_CredIcmsMedioInicial", Float(), N::kNull}});
  c.Run(AddColumn{"Cardex", {"No_Item", Int(), N::kNull}});
  std::vector<std::string> columns = kCardex03;
  columns.push_back("No_Item");
  c.Run(DropIndex{"Cardex", "Cardex_03"});
  c.Run(CreateIndex{"Cardex", {"Cardex_03", columns}});
  c.Run(Statement(
      "UPDATE Produto\r\nSET    Vl_CustoMedioInicial = 0, Vl_CredIcmsMedioInicial = 0\r\n"));
}

// Step 46: the item number leaves the stock card again (it goes into the
// document text instead, step 48).
void Step46(StepContext& c) {
  c.Run(DropIndex{"Cardex", "Cardex_03"});
  c.Run(DropColumn{"Cardex", "No_Item"});
  c.Run(CreateIndex{"Cardex", {"Cardex_03", kCardex03}});
}

// Step 48: the stock-card row of each coupon item names the printer, the
// coupon and the item: "CF-<printer>-<coupon>-<item>". Each item's statement
// finds the card rows by their code alone, in every company, and the last
// item of a code wins. A code that one item alone names gets its text in one
// statement for all such codes; only codes that several items name are
// walked item by item, in the selection's order, so the same item wins
// (those items update no card row the others touch).
void Step48(StepContext& c) {
  const char* progress = "Acrescentando nº do item ao registro do Cardex";
  // With no item that moved stock there is nothing to name and no window.
  if (c.Query("SELECT COUNT(*) FROM ItemCupomFiscal WHERE Cd_LancamentoCardex IS NOT NULL\r\n")
          .Field(0)
          .ToInt32() == 0)
    return;
  const auto name_single_codes = [&] {
    const std::unique_ptr<Andamento> window = c.OpenProgress(progress);
    c.RetryAfterClosedConnection([&] {
      c.Run(Statement(
          "UPDATE Cardex\r\n"
          "SET    Nm_Doc = Item.Nm_Doc\r\n"
          "FROM   (SELECT Cd_LancamentoCardex, MAX('CF-' || No_Impressora || '-' || "
          "No_CupomFiscal || '-' || No_Item) AS Nm_Doc\r\n"
          "        FROM ItemCupomFiscal WHERE Cd_LancamentoCardex IS NOT NULL\r\n"
          "        GROUP BY Cd_LancamentoCardex HAVING COUNT(*) = 1) Item\r\n"
          "WHERE  Cardex.Cd_LancamentoCardex = Item.Cd_LancamentoCardex\r\n",
          "UPDATE Cardex\r\n"
          "SET    Nm_Doc = Item.Nm_Doc\r\n"
          "FROM   (SELECT Cd_LancamentoCardex, MAX('CF-' + CAST(No_Impressora AS varchar(3)) + "
          "'-' + CAST(No_CupomFiscal AS varchar(11)) + '-' + CAST(No_Item AS varchar(5))) AS "
          "Nm_Doc\r\n"
          "        FROM ItemCupomFiscal WHERE Cd_LancamentoCardex IS NOT NULL\r\n"
          "        GROUP BY Cd_LancamentoCardex HAVING COUNT(*) = 1) Item\r\n"
          "WHERE  Cardex.Cd_LancamentoCardex = Item.Cd_LancamentoCardex\r\n"));
    });
    if (window) window->MostrarLinha(1, 1);
  };
  // SQLite reads an UPDATE's own table inside the join, so it looks the card
  // rows up by code through a temporary index; PostgreSQL joins by hashing,
  // and an index would only cost it the upkeep of one more index per row.
  if (c.Connection().Kind() == db::DialectKind::kSQLite) {
    correction::WithTemporaryIndex(c, "Cardex", {"Cd_LancamentoCardex"}, name_single_codes);
  } else {
    name_single_codes();
  }

  std::set<int32_t> shared;
  for (db::Recordset codes = c.Query(
           "SELECT Cd_LancamentoCardex FROM ItemCupomFiscal WHERE Cd_LancamentoCardex IS NOT NULL\r\n"
           "GROUP BY Cd_LancamentoCardex HAVING COUNT(*) > 1\r\n");
       !codes.Eof(); codes.MoveNext())
    shared.insert(codes.Field(0).ToInt32());
  if (shared.empty()) return;

  db::Recordset items = c.Query(
      "SELECT No_Impressora, No_CupomFiscal, No_Item, Cd_LancamentoCardex\r\n"
      "FROM   ItemCupomFiscal\r\n");
  correction::WithTemporaryIndex(c, "Cardex", {"Cd_LancamentoCardex"}, [&] {
    correction::ExecuteForEachRow(
        c, items, {progress, true},
        {"Update Cardex\r\nSET    Nm_Doc = ?\r\nWhere Cd_LancamentoCardex = ?\r\n"},
        [&](const db::Recordset& r) -> std::optional<std::vector<Value>> {
          // An item that moved no stock has no card row to name.
          const Value& code = r["Cd_LancamentoCardex"];
          if (code.IsNull() || !shared.contains(code.ToInt32())) return std::nullopt;
          return std::vector<Value>{Value("CF-" + Number(r["No_Impressora"]) + "-" +
                                          Number(r["No_CupomFiscal"]) + "-" + Number(r["No_Item"])),
                                    code};
        });
  });
}

// Step 49: customers refer to their payment condition.
void Step49(StepContext& c) {
  c.Run(CreateIndex{"Cliente", {"XIF153Cliente", {"Cd_PessoaUsuaria", "Cd_Pag"}}});
  c.Run(AddForeignKey{"Cliente", {"R_215", {"Cd_PessoaUsuaria", "Cd_Pag"}, "ConPag"}});
}

// Step 52: fuelings that were pump calibrations; none so far, so every
// fueling there is gets 0.
void Step52(StepContext& c) {
  c.Run(AddColumn{"Abastecimento", {"Ic_Afericao", Bit(), N::kNull}, "0"});
}

// Step 53: the result text of the daily closing; each day's opening grand
// total of a printer is the previous day's closing one (from February 2005
// on, where it is still 0); fuelings of value 0 of company 1 count as
// settled.
void Step53(StepContext& c) {
  c.Run(AddColumn{"FecDiario", {"Ds_Resultado", Text(), N::kNull}});

  db::Recordset days = c.Query(
      "SELECT No_Impressora, Dt_Movimento\r\n"
      "FROM   MapaResumoECF\r\n"
      "WHERE  Dt_Movimento >= " +
      Date(c, DateTime::Of(2005, 2, 1)) +
      " AND Vl_GTotalInicial = 0\r\n"
      "ORDER BY No_Impressora, Dt_Movimento\r\n");
  ForEachRow(c, days, {}, [&c](const db::Recordset& r) {
    const std::string printer = Number(r["No_Impressora"]);
    const DateTime day = r["Dt_Movimento"].ToDate();
    // The previous day of the same printer, whichever company it belongs to.
    const db::Recordset previous = c.Query(
        "SELECT Vl_GTotalFinal\r\n"
        "FROM   MapaResumoECF\r\n"
        "WHERE  No_Impressora = " +
        printer + " AND Dt_Movimento = " + Date(c, day.AddDays(-1)) + "\r\n");
    if (previous.Eof() || previous["Vl_GTotalFinal"].IsNull()) return;
    c.Execute(
        "UPDATE MapaResumoECF\r\n"
        "SET    Vl_GTotalInicial = " +
        Decimal(previous["Vl_GTotalFinal"], "###########0.00") + "\r\n" +
        "WHERE  No_Impressora = " + printer + " AND Dt_Movimento = " + Date(c, day) + "\r\n");
  });

  c.Run(
      Statement("UPDATE Abastecimento\r\n"
                "SET    Ic_Baixado = -1\r\n"
                "WHERE  Cd_PessoaUsuaria = 1 AND Vl_Total = 0 AND Ic_Baixado = 0\r\n"));
}

}  // namespace

void AddSteps038To053(StepTable& table) {
  table.Add(Step{38, Tolerance::kNone, Step38});
  table.Add(Step{40, Tolerance::kNone, Step40});
  table.Add(Step{44, Tolerance::kNone, Step44});
  table.Add(Step{45, Tolerance::kNone, Step45});
  table.Add(Step{46, Tolerance::kNone, Step46});
  table.Add(Step{48, Tolerance::kNone, Step48});
  table.Add(Step{49, Tolerance::kNone, Step49});
  table.Add(Step{52, Tolerance::kNone, Step52});
  table.Add(Step{53, Tolerance::kNone, Step53});
}

}  // namespace bp::schema
