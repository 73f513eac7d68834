// Steps 240 to 272: inventory difference of products, tax-rate slots 17 to
// 20 of the fiscal printers, the date a person was first seen, sales-screen
// and printer-model settings, the SINTEGRA type-60 registers, the coupon
// discount of cash registers and the Z-reduction counter of the daily
// summaries.
#include <memory>
#include <string>
#include <vector>

#include "bp/andamento.h"
#include "bp/format.h"
#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_200_297_common.h"

namespace bp::schema::s200 {
namespace {

// The tax-rate slots 17 to 20: type and rate, with the slot's total
// between them where `with_totals`.
std::vector<Column> TaxSlots17To20(bool with_totals) {
  std::vector<Column> columns;
  for (int n = 17; n <= 20; ++n) {
    const std::string slot = std::to_string(n);
    columns.push_back(Nullable("Tp_T" + slot, TinyInt()));
    if (with_totals) columns.push_back(Nullable("Vl_T" + slot, MoneyType()));
    columns.push_back(Nullable("Al_T" + slot, MoneyType()));
  }
  return columns;
}

// Step 245: a person counts as included on the earliest date some record
// shows it: a receivable of its own, a coupon it bought with, a receipt
// under its CPF/CNPJ, a cash register it opened. Each source moves the date
// back when it knows an earlier one; whoever no source knows gets today.
// No index of the sources leads with the person's column (the coupons' one
// starts with the company), so each statement runs with a temporary index
// on that column and the date: every person's earliest date is then one
// index lookup instead of a read of the whole source table.
void PreencherDataDeInclusao(StepContext& c) {
  struct Source {
    const char* table;
    const char* date;
    const char* column;  // the source row T belongs to the person when it
    const char* match;   // matches `match`
  };
  const Source sources[] = {
      {"ContaAReceber", "Dt_Emissao", "Cd_Pessoa", "T.Cd_Pessoa = Pessoa.Cd_Pessoa"},
      {"CupomFiscal", "Dt_Emissao", "Cd_Cliente", "T.Cd_Cliente = Pessoa.Cd_Pessoa"},
      {"Recebimento", "Dt_Lancamento", "Cd_CgcCpf0", "T.Cd_CgcCpf0 = Pessoa.Cd_CgcCpf"},
      {"Caixa", "Dt_Abertura", "Cd_Funcionario", "T.Cd_Funcionario = Pessoa.Cd_Pessoa"},
  };
  for (const Source& s : sources) {
    const std::string earliest =
        std::string("(SELECT MIN(T.") + s.date + ") FROM " + s.table + " T WHERE " + s.match + ")";
    correction::WithTemporaryIndex(c, s.table, {s.column, s.date}, [&] {
      c.Run(Data(Sql({"UPDATE Pessoa", "SET    Dt_Inclusao = " + earliest,
                      "WHERE  Dt_Inclusao IS NULL", "OR     Dt_Inclusao > " + earliest})));
    });
  }
  const auto today = [](const char* now) {
    return Sql({"UPDATE Pessoa", std::string("SET    Dt_Inclusao = ") + now,
                "WHERE  Dt_Inclusao IS NULL"});
  };
  c.Run(DataStatement{today("CURRENT_TIMESTAMP"), today("datetime('now', 'localtime')"),
                      today("LOCALTIMESTAMP(0)"), today("getdate()")});
}

Table ECFRegistro60Mestre() {
  return Table{"ECFRegistro60Mestre",
               {NotNull(kEmp, Int()), NotNull("No_Impressora", TinyInt()),
                NotNull("Ds_ModeloECF", VarChar(5)), NotNull("Dt_Movimento", DateTimeType()),
                Nullable("No_CupomFiscalFinal", Int()), Nullable("No_CupomFiscalInicial", Int()),
                Nullable("Ds_Transferiu", Char(1)), Nullable("Vl_GTotalFinal", MoneyType()),
                Nullable("Vl_GTotalInicial", MoneyType()), Nullable("No_ReinicioDaOperacao", Int()),
                Nullable("Qt_ContReducoes", Int())},
               PrimaryKey{"XPKECFRegistro60Mestre", {kEmp, "No_Impressora", "Dt_Movimento"}},
               {Index{"XIF268ECFRegistro60Mestre", {kEmp, "No_Impressora"}}},
               {Ref("R_288", {kEmp, "No_Impressora"}, "ECF")}};
}

Table ECFRegistro60Analitico() {
  return Table{"ECFRegistro60Analitico",
               {NotNull(kEmp, Int()), NotNull("No_Impressora", TinyInt()),
                NotNull("Ds_TipoRegistro", VarChar(4)), NotNull("Dt_Movimento", DateTimeType()),
                Nullable("Vl_Cancelamentos", MoneyType()), Nullable("Vl_Descontos", MoneyType()),
                Nullable("Vl_PorAliquota", MoneyType()), Nullable("Ds_Transferiu", Char(1))},
               PrimaryKey{"XPKECFRegistro60Analitico",
                          {kEmp, "No_Impressora", "Ds_TipoRegistro", "Dt_Movimento"}},
               {},
               {Ref("R_289", {kEmp, "No_Impressora", "Dt_Movimento"}, "ECFRegistro60Mestre")}};
}

// Step 272: the reduction counter of each daily summary of the user company
// becomes the greatest counter of the coupons of the same printer and day,
// in ranges of 30 days from 1 January 2005 up to today. Summaries of a day
// without coupons keep theirs. The coupons' key has the coupon number
// before the date, so a temporary index on company, printer and date lets
// each summary find its day's coupons without reading all of its printer's.
void AtualizarContadorDeReducoes(StepContext& c) {
  const std::vector<DateTime> starts = RangeStarts(c.Environment().Now(), 30);
  if (starts.empty()) return;
  const auto text = [](DateTime day) {
    return "Atualizando mapa resumo dia " + Format(day, "dd/mm/yyyy");
  };
  const std::unique_ptr<Andamento> window = c.OpenProgress(text(starts.front()));
  const std::string company = std::to_string(c.Session().Cd_PessoaUsuaria());
  const std::string same_day = Sql(
      {"FROM   CupomFiscal C", "        WHERE  C.Cd_PessoaUsuaria = MapaResumoECF.Cd_PessoaUsuaria",
       "        AND    C.No_Impressora = MapaResumoECF.No_Impressora",
       "        AND    C.Dt_Emissao = MapaResumoECF.Dt_Movimento)"});
  const auto count = static_cast<int32_t>(starts.size());
  correction::WithTemporaryIndex(c, "CupomFiscal", {kEmp, "No_Impressora", "Dt_Emissao"}, [&] {
    for (int32_t i = 0; i < count; ++i) {
      const DateTime start = starts[static_cast<size_t>(i)];
      window->SetAcao(text(start));
      window->MostrarLinha(i + 1, count);
      c.Execute(Sql({"UPDATE MapaResumoECF",
                     "SET    Qt_ContReducoes = (SELECT MAX(C.Qt_ContReducoes) " + same_day,
                     "WHERE  Cd_PessoaUsuaria = " + company,
                     "AND    Dt_Movimento >= " + Quoted(c, start),
                     "AND    Dt_Movimento < " + Quoted(c, start.AddDays(30)),
                     "AND    EXISTS (SELECT * " + same_day}));
    }
  });
}

}  // namespace

void AddSteps240To272(StepTable& t) {
  t.Add(Step{240, Tolerance::kNone, [](StepContext& c) {
               AddColumnSetInEveryRow(c, "Produto",
                                      Nullable("Qt_DiferencaInventarioEstoque", Float()), "0");
             }});
  t.Add(Step{244, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "ECF", TaxSlots17To20(false));
               AddColumns(c, "MapaResumoECF", TaxSlots17To20(true));
             }});
  t.Add(Step{245, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Pessoa", Nullable("Dt_Inclusao", DateTimeType())});
               PreencherDataDeInclusao(c);
             }});
  t.Add(Step{255, Tolerance::kNone, [](StepContext& c) {
               AddColumnSetInEveryRow(c, "EmpresaUsuaria",
                                      Nullable("No_TipoTelaInicialDeVendas", Int()), "1");
             }});
  t.Add(Step{256, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ECF", Nullable("Cd_ModeloECF", Int())});
               c.Run(Data(Sql({"UPDATE EmpresaUsuaria", "SET    Cd_ModeloECF = 2"})));
             }});
  t.Add(Step{259, Tolerance::kNone, [](StepContext& c) {
               c.Run(CreateTable{ECFRegistro60Mestre()});
               c.Run(CreateTable{ECFRegistro60Analitico()});
             }});
  t.Add(Step{266, Tolerance::kNone, [](StepContext& c) {
               AddColumnSetInEveryRow(c, "Caixa", Nullable("Vl_DescontoCF", MoneyType()), "0");
             }});
  // Skips only error 380 and integrity violations (its tolerance).
  t.Add(Step{272, Tolerance::kSkip380AndIntegrity,
             [](StepContext& c) { AtualizarContadorDeReducoes(c); }});
}

}  // namespace bp::schema::s200
