// Version steps 445 to 453: the freight of output invoices, the print
// layout of the output invoice form with the user company's default layout,
// and the commitment identifier of coupons with the first performance
// indexes.
#include "schema/steps/steps_445_500_parts.h"

namespace bp::schema::s445 {

const std::vector<LayoutField>& DefaultInvoiceFields() {
  // The item fields (Cd_Produto to Tx_Icms) sit at top 0: their line comes
  // from the first-item and last-item distances of the form.
  static const std::vector<LayoutField> fields = {
      {"X", 99, 0},
      {"Cd_Produto", 0, 0},
      {"No_Nota1", 135, 0},
      {"Nm_Produto", 12, 0},
      {"No_Nota2", 159, 0},
      {"Cd_CfopItem", 78, 0},
      {"Cd_Operacao", 16, 0},
      {"No_SitTributaria", 86, 0},
      {"Cd_Cfop", 34, 16},
      {"Cd_Unidade", 92, 0},
      {"Nm_Pessoa", 0, 25},
      {"Qt_Unidade", 97, 0},
      {"Cd_Pessoa", 83, 25},
      {"Vl_UnitVenda", 113, 0},
      {"Cd_CgcCpf", 100, 25},
      {"Vl_TotalItem", 124, 0},
      {"Dt_Emissao", 135, 25},
      {"Tx_Icms", 141, 0},
      {"Nm_Logradouro", 0, 31},
      {"Vl_BasCalIcms", 0, 133},
      {"Nm_Bairro", 59, 31},
      {"Vl_Icms", 24, 133},
      {"Cd_Ep", 114, 31},
      {"Vl_BasCalIcmsST", 51, 133},
      {"Dt_Emissao2", 135, 31},
      {"Vl_IcmsST", 80, 133},
      {"Nm_Cidade", 0, 37},
      {"Vl_TotProd", 106, 133},
      {"Cd_Telefone", 49, 37},
      {"Vl_Frete", 0, 139},
      {"Ds_SiglaUF", 89, 37},
      {"Vl_Seguro", 24, 139},
      {"Cd_IEstRg", 97, 37},
      {"Vl_OutrasDespesas", 51, 139},
      {"Hr_Emissao", 135, 37},
      {"Vl_IPI", 80, 139},
      {"Cd_Veiculo", 11, 176},
      {"Vl_TotalLiquido", 106, 139},
      {"No_Km", 28, 176},
      {"Dt_Vencimento", 43, 176},
  };
  return fields;
}

namespace {

// Step 445: the freight charged on an output invoice.
void Step445(StepContext& c) { c.Run(AddColumn{"NotaSaida", Nullable("Vl_Frete", MoneyType())}); }

// Step 451: the print layout of the output invoice form and the position of
// each of its fields, with the user company's default layout. The form's
// table may already exist in some databases, so failures are skipped until
// the fields' table is created.
void Step451(StepContext& c) {
  const std::string form = "LayOutNotaFiscalSaida";
  c.Run(CreateTable{{form,
                     {NotNull(kEmp, Int()), NotNull("Qt_LarguraPapel", Int()),
                      NotNull("Qt_ComprimentoPapel", Int())}}});
  c.Run(AddPrimaryKey{form, {"XPKLayOutNotaFiscalSaida", {kEmp}}});
  c.Run(AddForeignKey{form, Ref("R_188", {kEmp}, "EmpresaUsuaria")});
  AddColumns(
      c, form,
      {Nullable("Qt_DistanciaDoTopoUltimoItem", Int()),
       Nullable("Qt_DistanciaDoTopoPrimeiroItem", Int()),
       Nullable("Qt_DistanciaDoTopoLinhaObservacao", Int()), Nullable("No_LocalNFCanhoto", Int())});
  c.EndTolerance();

  const std::string fields = "LayOutCamposNotaFiscalSaida";
  c.Run(CreateTable{{fields,
                     {NotNull(kEmp, Int()), NotNull("Nm_Campo", VarChar(30)),
                      NotNull("Qt_Caracter", Int()), NotNull("Qt_DistanciaTopoEmMilimetro", Int()),
                      NotNull("Qt_DistanciaEsquerdaEmMilimetro", Int())},
                     PrimaryKey{"XPKLayOutCamposNotaFiscalSaida", {kEmp, "Nm_Campo"}}}});
  c.Run(CreateIndex{fields, {"XIF220LayOutCamposNotaFiscalSaida", {kEmp}}});
  c.Run(AddForeignKey{fields, Ref("R_302", {kEmp}, form)});

  // Paper width 8000, length 0; items from 52 to 111 mm from the top,
  // remarks at 115 mm; the detachable receipt (canhoto) in position 1.
  const int32_t company = c.Session().Cd_PessoaUsuaria();
  c.Run(SeedRows{
      form,
      {kEmp, "Qt_LarguraPapel", "Qt_ComprimentoPapel", "Qt_DistanciaDoTopoUltimoItem",
       "Qt_DistanciaDoTopoPrimeiroItem", "Qt_DistanciaDoTopoLinhaObservacao", "No_LocalNFCanhoto"},
      {{company, int32_t{8000}, int32_t{0}, int32_t{111}, int32_t{52}, int32_t{115}, int32_t{1}}}});
  SeedRows positions{fields,
                     {kEmp, "Nm_Campo", "Qt_Caracter", "Qt_DistanciaTopoEmMilimetro",
                      "Qt_DistanciaEsquerdaEmMilimetro"},
                     {}};
  for (const LayoutField& f : DefaultInvoiceFields()) {
    positions.rows.push_back({company, f.name, int32_t{0}, f.top, f.left});
  }
  c.Run(positions);
}

// Step 453: how a commitment is identified at the sale, the commitment a
// coupon was sold under, and the first performance indexes.
void Step453(StepContext& c) {
  c.Run(AddColumn{"Empenho", Nullable("Ds_IdentificadorEmpenhoNaVenda", VarChar(20))});
  c.Run(AddColumn{"CupomFiscal", Nullable("Id_Empenho", VarChar(18))});
  c.Run(AddForeignKey{"CupomFiscal", Ref("R_303", {kEmp, "Cd_Cliente", "Id_Empenho"}, "Empenho")});
  CreateIndexes(c, IndexesOfStep453());
}

}  // namespace

void AddSteps445To453(StepTable& t) {
  t.Add(Step{445, Tolerance::kNone, Step445});
  t.Add(Step{451, Tolerance::kSkipUntilMarked, Step451});
  t.Add(Step{453, Tolerance::kNone, Step453});
}

}  // namespace bp::schema::s445
