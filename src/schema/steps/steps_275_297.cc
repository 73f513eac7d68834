// Steps 275 to 297: the credit-sale receipt setting (first of the company,
// then of each fiscal printer), the printer's serial number, expense taxes,
// the movement date of coupons and the unique login index.
#include <string>

#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_200_297_common.h"

namespace bp::schema::s200 {
namespace {

const char* const kComprovanteVinculado = "Ic_EmitirComprovanteVinculadoVendasACredito";

// Taxes of an expense per CFOP, tax situation and rate.
Table TributosDespesa() {
  return Table{"TributosDespesa",
               {NotNull(kEmp, Int()), NotNull("No_Despesa", Int()), NotNull("Cd_Cfop", Int()),
                NotNull("No_SitTributaria", VarChar(3)), NotNull("Tx_Icms", MoneyType()),
                NotNull("Vl_Icms", MoneyType()), NotNull("Vl_TotalItem", MoneyType())},
               PrimaryKey{"XPKTributosDespesa",
                          {kEmp, "No_Despesa", "Cd_Cfop", "No_SitTributaria", "Tx_Icms"}},
               {Index{"XIF212TributosDespesa", {kEmp, "No_Despesa"}},
                Index{"XIF213TributosDespesa", {"Cd_Cfop"}}},
               {Ref("R_291", {"Cd_Cfop"}, "CFOP"), Ref("R_290", {kEmp, "No_Despesa"}, "Despesa")}};
}

// Step 295: the movement date of every coupon is its issue date, filled in
// date ranges from 1 January 2005 while a range starts no later than today;
// each range reaches 31 days past its start and the next one starts 30 days
// later, so neighbouring ranges overlap by a day. No index of the coupons
// leads with the issue date, so the ranges find their coupons through a
// temporary one instead of each reading every coupon.
void PreencherDataDeMovimento(StepContext& c) {
  correction::WithTemporaryIndex(c, "CupomFiscal", {"Dt_Emissao"}, [&] {
    for (const DateTime start : RangeStarts(c.Environment().Now(), 30)) {
      c.Execute(Sql({"UPDATE CupomFiscal", "SET    Dt_Movimento = Dt_Emissao",
                     "WHERE  Dt_Emissao Between " + Quoted(c, start) + " AND " +
                         Quoted(c, start.AddDays(31))}));
    }
  });
}

}  // namespace

void AddSteps275To297(StepTable& t) {
  t.Add(Step{275, Tolerance::kNone, [](StepContext& c) {
               AddColumns(c, "EmpresaUsuaria",
                          {Unstated(kComprovanteVinculado, Bit()),
                           Nullable("Ic_PermitirSelecionarMuitosAbastecimentoNaBaixa", Bit())});
             }});
  t.Add(Step{277, Tolerance::kNone, [](StepContext& c) {
               // The old serial numbers go with the column.
               c.Run(DropColumn{"ECF", "No_Serie"});
               c.Run(AddColumn{"ECF", Unstated("No_Serie", VarChar(100))});
             }});
  t.Add(Step{278, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ECF", Unstated("No_SerieCriptografada", VarChar(32))});
             }});
  t.Add(Step{286, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"ECF", Unstated(kComprovanteVinculado, Bit())});
               c.Run(DropColumn{"EmpresaUsuaria", kComprovanteVinculado});
               c.Run(AddColumn{"MapaResumoECF", Nullable("Vl_Acrescimos", MoneyType())});
               c.Run(CreateTable{TributosDespesa()});
               c.Run(CreateIndex{"CupomFiscal", Index{"CupomFiscal_09",
                                                      {kEmp, "No_Impressora", "Qt_ContReducoes"}}});
             }});
  t.Add(Step{295, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"CupomFiscal", Nullable("Dt_Movimento", DateTimeType())});
               PreencherDataDeMovimento(c);
               c.Run(CreateIndex{"CupomFiscal",
                                 Index{"CupomFiscal_10", {kEmp, "No_Impressora", "Dt_Movimento"}}});
             }});
  t.Add(Step{297, Tolerance::kNone, [](StepContext& c) {
               const std::string index = "Usuario_02";
               c.Run(DropIndex{"Usuario", index});
               c.Run(CreateIndex{"Usuario", Index{index,
                                                  {kEmp, "Nm_Usuario", "Ds_CriptoSenha"},
                                                  {},
                                                  /*unique=*/true}});
             }});
}

}  // namespace bp::schema::s200
