// Steps 308 to 331: the coupon index by business day, the entry date of
// expenses, remarks of the fuel book, CFOP seeds, ICMS-ST on output
// invoices, the rebuilt entry-invoice items and the stock reconciliation of
// piping systems.
#include <string>
#include <vector>

#include "schema/steps/correction_rows.h"
#include "schema/steps/steps_308_441_common.h"

namespace bp::schema::s308 {
namespace {

// The entry-invoice items as step 324 leaves them: every column in its
// place, the clustered key, the indexes and the references.
Table ItemNotaEntrada() {
  Table t;
  t.name = "ItemNotaEntrada";
  t.columns = {NotNull("No_Entrada", Int()),
               NotNull("Cd_ProdutoItem", Int()),
               Nullable("No_SitTributaria", VarChar(3)),
               Nullable("Qt_UnidadeItem", Float53()),
               Nullable("Tx_Icms", MoneyType()),
               Nullable("Vl_UnitNota", Float53()),
               Nullable("Vl_Despesas", Float53()),
               Nullable("Vl_Frete", Float53()),
               Nullable("Vl_CredIcms", Float53()),
               Nullable("Vl_UnitFinal", Float53()),
               Nullable("Cd_CfopItem", VarChar(4)),
               Nullable("Cd_LancamentoCardex", Int()),
               Nullable("Vl_IpiItem", Float53()),
               Nullable("Tx_IPI", MoneyType()),
               Nullable("Vl_IcmsSTItem", Float53()),
               NotNull("No_Item", Int()),
               NotNull(kEmp, Int()),
               Nullable("Vl_DescontoItem", MoneyType()),
               Nullable("Tx_DescontoItem", MoneyType()),
               Nullable("Vl_TotalItem", MoneyType()),
               Nullable("Vl_RateioAcrescimoGeral", Float53()),
               Nullable("Vl_RateioDescontoGeral", Float53()),
               Nullable("Cd_Cfop", Int()),
               Nullable("Vl_IcmsStAnterior", MoneyType()),
               Nullable("Vl_BaseCalculoIcmsStAnterior", MoneyType())};
  t.primary_key = PrimaryKey{"ItemNotaEntrada_01", {kEmp, "No_Entrada", "No_Item"}, true};
  t.indexes = {Index{"XIF143ItemNotaEntrada", {kEmp}},
               Index{"XIF146ItemNotaEntrada", {"Cd_Cfop"}},
               Index{"XIF79ItemNotaEntrada", {"No_Entrada"}},
               Index{"XIF80ItemNotaEntrada", {"Cd_LancamentoCardex", kEmp}},
               Index{"XIF81ItemNotaEntrada", {"Cd_ProdutoItem", kEmp}}};
  t.foreign_keys = {
      ForeignKey{"Pro_IteNotEnt", {kEmp, "Cd_ProdutoItem"}, "Produto", {kEmp, "Cd_Produto"}},
      ForeignKey{"R_207", {"Cd_Cfop"}, "CFOP"},
      ForeignKey{"R_194", {kEmp}, "EmpresaUsuaria"},
      ForeignKey{"Car_IteNotEnt", {kEmp, "Cd_LancamentoCardex"}, "Cardex"},
      ForeignKey{"NotEnt_IteNotEnt", {"No_Entrada"}, "NotaEntrada"}};
  return t;
}

}  // namespace

void AddSteps308To331(StepTable& t) {
  // Step 308: finds a company's coupons by their business day.
  t.Add(Step{308, Tolerance::kNone, [](StepContext& c) {
               c.Run(CreateIndex{"CupomFiscal", Index{"CupomFiscal_11", {kEmp, "Dt_Movimento"}}});
             }});

  // Step 312: when an expense was entered; for the expenses already there,
  // the day they were posted.
  t.Add(Step{312, Tolerance::kNone, [](StepContext& c) {
               c.Run(AddColumn{"Despesa", Nullable("Dt_Inclusao", DateTimeType())});
               Update(c, "Despesa", {{"Dt_Inclusao", "Dt_Lancamento"}});
             }});

  // Step 317: five remark lines on each page of the fuel book.
  t.Add(Step{317, Tolerance::kNone, [](StepContext& c) {
               for (const char* name : {"Ds_Observacao1", "Ds_Observacao2", "Ds_Observacao3",
                                        "Ds_Observacao4", "Ds_Observacao5"}) {
                 c.Run(AddColumn{"Lmc", Nullable(name, VarChar(50))});
               }
             }});

  // Step 318: goods received for demonstration and their return.
  t.Add(Step{318, Tolerance::kNone, [](StepContext& c) {
               SeedCfop(c, {{5912, "MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)"},
                            {5913, "RETORNO MERCADORIA RECEBIDA P/DEMONSTRAÇÃO (DE)"}});
             }});

  // Step 321: whether an output invoice shows the ICMS-ST paid in advance,
  // and that tax with its base on each item; zero on what exists.
  t.Add(Step{321, Tolerance::kNone, [](StepContext& c) {
               const Value zero(int32_t{0});
               AddColumns(c, "ItemNotaSaida",
                          {NullableWithDefault("Vl_IcmsStAnterior", MoneyType(), zero),
                           NullableWithDefault("Vl_BaseCalculoIcmsStAnterior", MoneyType(), zero)});
               c.Run(AddColumn{"NotaSaida",
                               NullableWithDefault("Ic_DestacadoIcmsST", SmallInt(), zero)});
               Update(c, "NotaSaida", {{"Ic_DestacadoIcmsST", "0"}});
               Update(c, "ItemNotaSaida",
                      {{"Vl_IcmsStAnterior", "0"}, {"Vl_BaseCalculoIcmsStAnterior", "0"}});
             }});

  // Step 324: other entries of goods inside and outside the state; the
  // entry-invoice items rebuilt whole, rows kept.
  t.Add(Step{324, Tolerance::kNone, [](StepContext& c) {
               SeedCfop(c, {{1949, "OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(DE)"},
                            {2949, "OUTRA ENTRADA DE MERCADORIA NAO ESPECIFICADA(FE)"}});
               correction::RebuildTable(c, "ItemNotaEntrada",
                                        [](Table& table) { table = ItemNotaEntrada(); });
             }});

  // Step 328: purchases of fixed assets and of goods for use or consumption.
  t.Add(Step{328, Tolerance::kNone, [](StepContext& c) {
               SeedCfop(c, {{1551, "COMPRA PARA ATIVO IMOBILIZADO (DE)"},
                            {1556, "COMPRA PARA USO OU CONSUMO (DE)"},
                            {2551, "COMPRA PARA ATIVO IMOBILIZADO (FE)"},
                            {2556, "COMPRA PARA USO OU CONSUMO (FE)"}});
             }});

  // Step 331: the difference found when the stock of a piping system is
  // reconciled on a day.
  t.Add(Step{331, Tolerance::kNone, [](StepContext& c) {
               c.Run(NewTable("ConciliacaoEstoqueSisTubulacao",
                              {NotNull(kEmp, Int()), NotNull("Cd_SisTubulacao", TinyInt()),
                               NotNull("Dt_Conciliacao", DateTimeType()),
                               Nullable("Qt_Diferenca", Float())},
                              PrimaryKey{"XPKConciliacaoEstoqueSisTubulacao",
                                         {kEmp, "Cd_SisTubulacao", "Dt_Conciliacao"}},
                              {Index{"XIF214ConciliacaoEstoqueSisTubulacao",
                                     {kEmp, "Cd_SisTubulacao"}}},
                              {ForeignKey{"R_295", {kEmp, "Cd_SisTubulacao"}, "SisTubulacao"}}));
             }});
}

}  // namespace bp::schema::s308
