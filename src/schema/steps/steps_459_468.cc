// Version steps 459 to 468: municipal registration and value-total rule of
// products, the Blowfish-enciphered printer serial, the Z-reduction table,
// excluded coupons, the log of documents issued on the fiscal printers and
// more performance indexes.
#include <cstdio>

#include "schema/steps/steps_445_500_parts.h"

namespace bp::schema::s445 {

namespace {

// Step 459: the municipal registration of persons, how a product's total is
// computed (rule 1 for every existing product), and an index of fuelings by
// nozzle.
void Step459(StepContext& c) {
  c.Run(AddColumn{"Pessoa", Nullable("Cd_IMunicipal", VarChar(14))});
  AddColumns(
      c, "Produto",
      {Nullable("Ds_CalculoValorTotal", Char(1)), Nullable("No_CalculoValorTotal", TinyInt())});
  SetInEveryRow(c, "Produto", "No_CalculoValorTotal", "1");
  c.Run(CreateIndex{IndexOfStep459().table, IndexOfStep459().index});
}

// Step 462: the printer's serial number enciphered with Blowfish.
void Step462(StepContext& c) {
  c.Run(AddColumn{"ECF", Nullable("No_SerieCriptografadaBLOWFISH", VarChar(150))});
}

// The Z-reduction table as step 463 creates it: the counters of the day,
// then the twenty tax-rate slots (type, value, rate) and the totals.
Table ReducaoZ() {
  std::vector<Column> columns = {
      NotNull(kEmp, Int()),
      NotNull("Dt_Movimento", DateTimeType()),
      NotNull("No_Impressora", TinyInt()),
      Nullable("No_ModoEmissaoReducaoZ", Int()),
      NotNull("Qt_ContReducoes", Int()),
      Nullable("Dt_EmissaoReducaoZ", DateTimeType()),
      Nullable("No_OrdemUsuario", Int()),
      Nullable("No_ContadorReinicioDeOperacao", Int()),
      Nullable("No_ContadorReducaoZ", Int()),
      Nullable("Qt_ContOperacoes", Int()),
      Nullable("No_ContadorGeralOperacoesNaoFiscais", Int()),
      Nullable("No_ContadorCupomFiscal", Int()),
      Nullable("No_ContadorGeralRelatorioGerencial", Int()),
      Nullable("No_ContadorFitaDetalheEmitida", Int()),
      Nullable("No_ContadorOperacaoNaoFiscalCancelada", Int()),
      Nullable("No_ContadorCupomFiscalCancelado", Int()),
      Nullable("Ds_ContadorEspecificoOperacoesNaoFiscais", VarChar(120)),
      Nullable("Ds_ContadorEspecificoRelatoriosGerenciais", VarChar(120)),
      Nullable("No_ContadorComprovantesDebitoOuCredito", Int()),
      Nullable("No_ContadorComprovantesDeDebitoOuCreditoNaoEmitidos", Int()),
      Nullable("No_ContadorComprovantesDebitoOuCreditoCancelados", Int()),
      NotNull("Vl_GTotalFinal", MoneyType()),
  };
  for (int slot = 1; slot <= 20; ++slot) {
    char number[3];
    std::snprintf(number, sizeof number, "%02d", slot);
    columns.push_back(Nullable(std::string("Tp_T") + number, TinyInt()));
    columns.push_back(Nullable(std::string("Vl_T") + number, MoneyType()));
    columns.push_back(Nullable(std::string("Al_T") + number, MoneyType()));
  }
  for (const char* total :
       {"Vl_IsentasICMS", "Vl_NaoIncidenciaICMS", "Vl_SubTribICMS", "Vl_IsentasISS",
        "Vl_NaoIncidenciaISS", "Vl_SubTribISS", "Vl_DescontosICMS", "Vl_DescontosISS",
        "Vl_AcrescimosICMS", "Vl_AcrescimosISS", "Vl_CancelamentosICMS", "Vl_CancelamentosISS"}) {
    columns.push_back(Nullable(total, MoneyType()));
  }
  columns.push_back(Nullable("Ds_TotalizadoresParciaisNaoSujeitosAoICMS", VarChar(392)));
  for (const char* total :
       {"Vl_TotalizadorSangria", "Vl_TotalizadorSuprimento",
        "Vl_TotalizadorCancelamentosNaoFiscais", "Vl_TotalizadorDescontosNaoFiscais",
        "Vl_TotalizadorAcrescimosNaoFiscais"}) {
    columns.push_back(Nullable(total, MoneyType()));
  }
  return Table{"ReducaoZ", std::move(columns),
               PrimaryKey{"ReducaoZICF_01", {kEmp, "Dt_Movimento", "No_Impressora"}, true}};
}

// Step 463: a longer message for the points of sale, the emission data of
// the Z reduction in the daily summary, and the Z-reduction table.
void Step463(StepContext& c) {
  c.Run(RetypeColumn{"EmpresaUsuaria", Nullable("Ds_MensagemPDV", VarChar(90)), "Ds_MensagemPDV2"});
  AddColumns(c, "MapaResumoECF",
             {Nullable("No_ContadorReinicioDeOperacao", Int()),
              Nullable("Dt_EmissaoReducaoZ", DateTimeType()), Nullable("No_OrdemUsuario", Int())});
  c.Run(CreateTable{ReducaoZ()});
  c.Run(AddForeignKey{"ReducaoZ", Ref("Ecf_ReducaoZ", {kEmp, "No_Impressora"}, "ECF")});
  c.Run(AddForeignKey{"ReducaoZ", Ref("EmpUsu_ReducaoZ", {kEmp}, "EmpresaUsuaria")});
}

// Step 464: coupons and coupon items marked as excluded (none is, yet), and
// when a coupon was concluded.
void Step464(StepContext& c) {
  c.Run(AddColumn{"CupomFiscal", NotNull("Ic_Excluido", Bit(), int32_t{0})});
  c.Run(AddColumn{"ItemCupomFiscal", NotNull("Ic_Excluido", Bit(), int32_t{0})});
  c.Run(AddColumn{"CupomFiscal", Nullable("Dt_Conclusao", DateTimeType())});
}

// Step 465: the log of documents issued on each fiscal printer, one row per
// document counter (COO), and five performance indexes. Its end time is
// re-created as required by step 468.
void Step465(StepContext& c) {
  c.Run(CreateTable{
      {"LogDocumentoEmitidoECF",
       {NotNull(kEmp, Int()), NotNull("No_Impressora", TinyInt()),
        NotNull("Dt_Emissao", DateTimeType()), NotNull("No_COO", Int()),
        NotNull("Ds_TipoDocumento", VarChar(3)), NotNull("Dt_Inicio", DateTimeType()),
        Nullable("Dt_Fim", DateTimeType())},
       PrimaryKey{
           "PK_LogDocumentoEmitidoECF", {kEmp, "No_Impressora", "Dt_Emissao", "No_COO"}, true}}});
  c.Run(AddForeignKey{"LogDocumentoEmitidoECF",
                      Ref("FK_LogDocumentoEmitidoECF_ECF", {kEmp, "No_Impressora"}, "ECF")});
  CreateIndexes(c, IndexesOfStep465());
}

// Step 466: six performance indexes.
void Step466(StepContext& c) { CreateIndexes(c, IndexesOfStep466()); }

// Step 467: the non-fiscal, management-report and card-receipt counters of
// each logged document.
void Step467(StepContext& c) {
  AddColumns(c, "LogDocumentoEmitidoECF",
             {Nullable("No_ContadorGNF", Int()), Nullable("No_ContadorGRG", Int()),
              Nullable("No_ContadorCDC", Int())});
}

// Step 468: every logged document must have an end time. The log is emptied
// first, so that the required column can be added whatever it held.
void Step468(StepContext& c) {
  c.Run(Statement("DELETE FROM LogDocumentoEmitidoECF"));
  c.Run(DropColumn{"LogDocumentoEmitidoECF", "Dt_Fim"});
  c.Run(AddColumn{"LogDocumentoEmitidoECF", NotNull("Dt_Fim", DateTimeType())});
}

}  // namespace

void AddSteps459To468(StepTable& t) {
  t.Add(Step{459, Tolerance::kNone, Step459});
  t.Add(Step{462, Tolerance::kNone, Step462});
  t.Add(Step{463, Tolerance::kNone, Step463});
  t.Add(Step{464, Tolerance::kNone, Step464});
  t.Add(Step{465, Tolerance::kNone, Step465});
  t.Add(Step{466, Tolerance::kNone, Step466});
  t.Add(Step{467, Tolerance::kNone, Step467});
  t.Add(Step{468, Tolerance::kNone, Step468});
}

}  // namespace bp::schema::s445
