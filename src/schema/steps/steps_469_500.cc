// Version steps 469 to 500: pump and nozzle names, the printer
// identification of Z reductions with the list of known printer models,
// points of sale, enciphered printer data and the last columns of coupons
// and of the printer document log.
#include "schema/steps/steps_445_500_parts.h"

namespace bp::schema::s445 {

namespace {

// Step 469: the pump's name (its number, to begin with), how a product is
// produced (type 2 for every existing product), cash withdrawals by entry,
// and a longer address complement.
void Step469(StepContext& c) {
  c.Run(AddColumn{"Bomba", Nullable("Ds_Bomba", VarChar(2))});
  CopyPumpNumberAsText(c, "Ds_Bomba");
  c.Run(AddColumn{"Produto", Nullable("No_TipoProducao", TinyInt())});
  SetInEveryRow(c, "Produto", "No_TipoProducao", "2");
  c.Run(AddColumn{"EmpresaUsuaria",
                  NotNull("Ic_FazerSangriaDeDinheiroPorLancamento", Bit(), int32_t{0})});
  c.Run(RetypeColumn{"Pessoa", Nullable("Ds_Complemento", VarChar(50)), "Ds_Complemento2"});
}

// Step 470: the identification of the printer that made each Z reduction,
// the known printer models and software versions, the enciphered grand
// total of each printer, and four performance indexes.
void Step470(StepContext& c) {
  AddColumns(c, "ReducaoZ",
             {Nullable("Ds_LetraIndicativaMemoriaAdicional", VarChar(5)),
              Nullable("Ds_TipoECF", VarChar(7)), Nullable("Ds_MarcaECF", VarChar(15)),
              Nullable("Ds_ModeloECF", VarChar(20)),
              // Widened to 20 characters by step 500.
              Unstated("Ds_VersaoSoftwareBasicoECF", VarChar(10)),
              Nullable("Dt_InstalacaoSoftwareECF", DateTimeType()),
              Unstated("No_CnpjEmpresaUsuariaECF", VarChar(20)),
              Unstated("Cd_IEstadualEmpresaUsuariaECF", VarChar(20)),
              Nullable("Ic_PermiteDescontoISS", Bit())});

  const std::string models = "IdentificacaoECF";
  c.Run(CreateTable{
      {models,
       {NotNull("Cd_MarcaECF", Int()), NotNull("Cd_Modelo", Int()), NotNull("Cd_Versao", Int()),
        NotNull("Ds_TipoECF", VarChar(20)), NotNull("Ds_MarcaECF", VarChar(30)),
        NotNull("Ds_ModeloECF", VarChar(40)), NotNull("Ds_VersaoSoftwareBasicoECF", VarChar(20))},
       PrimaryKey{"PK_IdentificacaoECF", {"Cd_MarcaECF", "Cd_Modelo", "Cd_Versao"}, true}}});
  // Brand 3 is Bematech.
  SeedRows seed{models,
                {"Cd_MarcaECF", "Cd_Modelo", "Cd_Versao", "Ds_TipoECF", "Ds_MarcaECF",
                 "Ds_ModeloECF", "Ds_VersaoSoftwareBasicoECF"},
                {}};
  for (const PrinterVersion& v : KnownPrinterVersions()) {
    seed.rows.push_back(
        {int32_t{3}, v.model, v.version, "ECF-IF", "BEMATECH", v.model_text, v.version_text});
  }
  c.Run(seed);

  c.Run(AddColumn{"ECF", Nullable("Ds_GTotalCriptografado", VarChar(50))});
  CreateIndexes(c, IndexesOfStep470());
}

// Step 471: fuelings made up from totalizer differences (on by default),
// the coupon's value not subject to ICMS, and the term in days of a payment
// condition.
void Step471(StepContext& c) {
  c.Run(AddColumn{"AutomacaoBomba",
                  NotNull("Ic_GerarAbastecimentoDasDiferencasDeEncerrante", Bit(), int32_t{-1})});
  c.Run(AddColumn{"CupomFiscal", NotNull("Vl_NaoTributadoICMS", MoneyType(), int32_t{0})});
  c.Run(AddColumn{"ConPag", NotNull("Qt_DiasPrazo", Int(), int32_t{0})});
}

// Step 473: confirmation of grand-total differences on coupons, and room for
// more fuel prices on a page of the fuel movement book.
void Step473(StepContext& c) {
  c.Run(AddColumn{"EmpresaUsuaria",
                  NotNull("Ic_ConfirmarDiferencaGtEcfEmCupons", Bit(), int32_t{0})});
  c.Run(RetypeColumn{"Lmc", Unstated("Ds_Precos", VarChar(40)), "Ds_Precos2"});
}

// Step 475: the company's points of sale with the database each one uses,
// and whether the coupon ends with the company's name, CNPJ and address.
void Step475(StepContext& c) {
  c.Run(CreateTable{{"PDV",
                     {NotNull(kEmp, Int()), NotNull("Cd_PDV", Int()),
                      Nullable("Nm_PDV", VarChar(20)), Nullable("Nm_BancoDeDados", VarChar(50)),
                      Nullable("Ds_InstanciaBancoDeDados", VarChar(50))},
                     PrimaryKey{"XPKPDV", {kEmp, "Cd_PDV"}}}});
  c.Run(CreateIndex{"PDV", {"XIF222PDV", {kEmp}}});
  c.Run(AddForeignKey{"PDV", Ref("R_304", {kEmp}, "EmpresaUsuaria")});
  c.Run(AddColumn{"ECF", NotNull("Ic_ImprimirNomeCnpjEnderecoFinalCupom", Bit(), int32_t{1})});
}

// Step 476: the printer's user date, software-basic date and additional
// memory, enciphered; the nozzle's name (its pump number, to begin with).
void Step476(StepContext& c) {
  AddColumns(c, "ECF",
             {Nullable("Ds_DataUsuarioCriptografado", VarChar(50)),
              Nullable("Ds_DataSWBasicoCriptografado", VarChar(50)),
              Nullable("Ds_MFAdicionalCriptografado", VarChar(50))});
  c.Run(AddColumn{"Bomba", Nullable("Ds_Bico", VarChar(2))});
  CopyPumpNumberAsText(c, "Ds_Bico");
}

// Step 477: the coupon counter (CCF) of each coupon.
void Step477(StepContext& c) {
  c.Run(AddColumn{"CupomFiscal", NotNull("No_ContadorCupomFiscal", Int(), int32_t{0})});
}

// Step 500: the printer's enciphered software version, a longer software
// version on the Z reduction, and cash withdrawals, supplies and amounts in
// the printer document log.
void Step500(StepContext& c) {
  c.Run(AddColumn{"ECF", Nullable("Ds_VersaoSoftwareBasicoCriptografado", VarChar(50))});
  c.Run(RetypeColumn{"ReducaoZ", Unstated("Ds_VersaoSoftwareBasicoECF", VarChar(20)),
                     "Ds_VersaoSoftwareBasicoECF2"});
  AddColumns(c, "LogDocumentoEmitidoECF",
             {NotNull("Ic_Sangria", Bit(), int32_t{0}), NotNull("Ic_Suprimento", Bit(), int32_t{0}),
              Nullable("Vl_Documento", MoneyType())});
}

}  // namespace

void AddSteps469To500(StepTable& t) {
  t.Add(Step{469, Tolerance::kNone, Step469});
  t.Add(Step{470, Tolerance::kNone, Step470});
  t.Add(Step{471, Tolerance::kNone, Step471});
  t.Add(Step{473, Tolerance::kNone, Step473});
  t.Add(Step{475, Tolerance::kNone, Step475});
  t.Add(Step{476, Tolerance::kNone, Step476});
  t.Add(Step{477, Tolerance::kNone, Step477});
  t.Add(Step{500, Tolerance::kNone, Step500});
}

}  // namespace bp::schema::s445
