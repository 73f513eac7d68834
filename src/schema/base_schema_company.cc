// Base schema, company and fiscal area: the version record, persons and the
// user company, users and employees, fiscal printers and their daily
// summaries, fiscal coupons, output and entry invoices, fiscal codes and the
// fuel movement book.
#include <string>

#include "bp/schema/base_schema.h"
#include "schema/base_schema_builder.h"

namespace bp::schema::base {
namespace {

const std::string kEmp = "Cd_PessoaUsuaria";

// Two-digit slot number: 1 -> "01".
std::string Slot(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

void AddPersonsAndCompany(Builder& b) {
  // One row; No_VersaoBD is the schema version the database is at.
  b.TableWithoutKey("Parametro", {NotNull("No_VersaoBD", Int())});

  // Customers, employees, suppliers and the user company itself are persons;
  // the tax files take their identification and address from here.
  b.Table("Pessoa",
          {NotNull("Cd_Pessoa", Int()),
           NotNull("Nm_Pessoa", VarChar(40)),
           Nullable("Nm_Fantasia", VarChar(40)),
           Nullable("No_TipoPessoa", TinyInt()),  // 1 natural person, 2 company
           Nullable("Cd_CgcCpf", VarChar(18)),    // CNPJ or CPF with its mask
           Nullable("Cd_IEstRg", VarChar(25)),    // state registration or identity card
           Nullable("Nm_Logradouro", VarChar(50)),
           Nullable("No_Logradouro", VarChar(10)),
           Nullable("Ds_Complemento", VarChar(30)),
           Nullable("Nm_Bairro", VarChar(30)),
           Nullable("Nm_Cidade", VarChar(40)),
           Nullable("Ds_SiglaUF", Char(2)),
           Nullable("Cd_Ep", VarChar(9)),  // postal code (CEP)
           Nullable("Cd_Telefone", VarChar(20)),
           Nullable("Cd_Fax", VarChar(20)),
           Nullable("Ds_Email", VarChar(60)),
           Nullable("Dt_Nascimento", DateTimeType())},
          Key("PK_Pessoa", {"Cd_Pessoa"}));
  b.Index("Pessoa", "IX_Pessoa_CgcCpf", {"Cd_CgcCpf"});

  // The user company (the station), keyed by its person code, with the
  // company-wide settings. The sequence counters and limits further down are
  // dropped by later versions.
  b.Table("EmpresaUsuaria",
          {NotNull(kEmp, Int()),
           Nullable("Cd_ModeloECF", Int()),
           Nullable("Ds_MensagemPDV", VarChar(40)),
           Nullable("Dt_UltimaConsolidacaoEstoque", DateTimeType()),
           Nullable("Ic_EmitirNfNoFaturamento", Bit()),
           Nullable("Ic_NfComTodosOsItens", Bit()),
           Nullable("Vl_PadraoContaAReceber", MoneyType()),
           Nullable("Qt_DiasCobrancaTipo1", SmallInt()),
           Nullable("Qt_DiasCobrancaTipo2", SmallInt()),
           Nullable("Qt_DiasCobrancaTipo3", SmallInt()),
           Nullable("Qt_DiasSegundaData", SmallInt()),
           Nullable("Qt_DiasTerceiraData", SmallInt()),
           Nullable("No_MetodoControleRespBomba", TinyInt()),
           Nullable("Qt_MaxItens", SmallInt()),
           Nullable("Qt_MaxPro", Int()),
           Nullable("Qt_MaxSer", Int()),
           Nullable("No_SeqDespesa", Int()),
           Nullable("No_SeqItemDespesa", Int()),
           Nullable("No_SeqLanCCFuncionario", Int()),
           Nullable("No_SeqLanCCBancaria", Int()),
           Nullable("No_SeqContasAPagar", Int()),
           Nullable("No_SeqLanBancoHoras", Int()),
           Nullable("Qt_DiasApNota", SmallInt()),
           Nullable("Dt_UltimoDiaApNota", DateTimeType()),
           Nullable("No_MaxPagLF", Int()),
           Nullable("Qt_MaxConVenXCFEmitido", Int()),
           Nullable("Tp_ConRecFatCar", TinyInt()),
           Nullable("Tp_ConRecFatBal", TinyInt()),
           Nullable("Tp_ConRecFatBan", TinyInt()),
           Nullable("Dt_InicialLmc", DateTimeType()),
           Nullable("Dt_UltimaVerificacaoConsistenciaDosDados", DateTimeType()),
           Nullable("Dt_UltimoDiaEnvioEMailCliente", DateTimeType()),
           Nullable("Qt_TamCodBarrasCracha", TinyInt()),
           Nullable("Qt_MaximoPermitidoParaBancoHoras", Int())},
          Key("PK_EmpresaUsuaria", {kEmp}));
  b.Reference("EmpresaUsuaria", "FK_EmpresaUsuaria_Pessoa", {kEmp}, "Pessoa", {"Cd_Pessoa"});

  // System users; the login looks a user up by name and enciphered password.
  b.Table("Usuario",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Usuario", Int()),
           NotNull("Nm_Usuario", VarChar(20)),
           Nullable("Ds_CriptoSenha", VarChar(64)),
           Nullable("Cd_Funcionario", Int()),
           Nullable("Ic_Administrador", Bit()),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_Usuario", {kEmp, "Cd_Usuario"}));
  b.Index("Usuario", "Usuario_02", {kEmp, "Nm_Usuario", "Ds_CriptoSenha"});
  b.Reference("Usuario", "FK_Usuario_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  b.Table("Funcao", {NotNull("Cd_Funcao", Int()), NotNull("Nm_Funcao", VarChar(30))},
          Key("PK_Funcao", {"Cd_Funcao"}));

  // Employees of a company; the employee code is the employee's person code.
  b.Table("Funcionario",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Funcionario", Int()),
           Nullable("Cd_Funcao", Int()),
           Nullable("Nm_Senha", VarChar(20)),  // password typed at the forecourt terminals
           Nullable("Cd_Cracha", VarChar(20)),
           Nullable("Dt_Admissao", DateTimeType()),
           Nullable("Dt_Demissao", DateTimeType()),
           Nullable("Cd_Banco", SmallInt()),
           Nullable("Cd_Agencia", SmallInt()),
           Nullable("Cd_Conta", Int()),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_Funcionario", {kEmp, "Cd_Funcionario"}));
  b.Reference("Funcionario", "FK_Funcionario_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");
  b.Reference("Funcionario", "FK_Funcionario_Pessoa", {"Cd_Funcionario"}, "Pessoa",
              {"Cd_Pessoa"});
  b.Reference("Funcionario", "FK_Funcionario_Funcao", {"Cd_Funcao"}, "Funcao");

  // Closing of each fiscal day.
  b.Table("FecDiario",
          {NotNull(kEmp, Int()),
           NotNull("Dt_Movimento", DateTimeType()),
           Nullable("Dt_Fechamento", DateTimeType()),
           Nullable("Cd_Usuario", Int()),
           Nullable("Ic_Concluido", Bit())},
          Key("PK_FecDiario", {kEmp, "Dt_Movimento"}));
  b.Reference("FecDiario", "FK_FecDiario_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");
}

void AddFiscalPrinters(Builder& b) {
  // Fiscal printers of a company, by printer number.
  b.Table("ECF",
          {NotNull(kEmp, Int()),
           NotNull("No_Impressora", TinyInt()),
           Nullable("No_Serie", VarChar(20)),
           Nullable("Cd_IdentificacaoECF", VarChar(20)),
           Nullable("Ds_MarcaECF", VarChar(20)),
           Nullable("Ds_ModeloECF", VarChar(20)),
           Nullable("Nm_PortaSerial", VarChar(10)),
           Nullable("Dt_Referencia", DateTimeType()),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_ECF", {kEmp, "No_Impressora"}));
  b.Reference("ECF", "FK_ECF_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");

  // Daily summary per printer: coupon range, grand totals, reduction counter
  // and the totals of the sixteen tax-rate slots.
  std::vector<Column> mapa = {NotNull(kEmp, Int()),
                              NotNull("No_Impressora", TinyInt()),
                              NotNull("Dt_Movimento", DateTimeType()),
                              Nullable("No_CupomFiscalInicial", Int()),
                              Nullable("No_CupomFiscalFinal", Int()),
                              Nullable("Qt_ContReducoes", Int()),
                              Nullable("Vl_GTotalInicial", MoneyType()),
                              Nullable("Vl_GTotalFinal", MoneyType()),
                              Nullable("Vl_VendaBruta", MoneyType()),
                              Nullable("Vl_Cancelamentos", MoneyType()),
                              Nullable("Vl_Descontos", MoneyType()),
                              Nullable("Vl_Isentas", MoneyType()),
                              Nullable("Vl_NaoIncidencia", MoneyType()),
                              Nullable("Vl_SubTrib", MoneyType()),
                              Nullable("Vl_Iss", MoneyType())};
  for (int i = 1; i <= 16; ++i) {
    mapa.push_back(Nullable("Tp_T" + Slot(i), TinyInt()));
    mapa.push_back(Nullable("Vl_T" + Slot(i), MoneyType()));
    mapa.push_back(Nullable("Al_T" + Slot(i), MoneyType()));
  }
  b.Table("MapaResumoECF", std::move(mapa),
          Key("PK_MapaResumoECF", {kEmp, "No_Impressora", "Dt_Movimento"}));
  b.Reference("MapaResumoECF", "FK_MapaResumoECF_ECF", {kEmp, "No_Impressora"}, "ECF");
}

void AddFiscalCodes(Builder& b) {
  b.Table("CFOP", {NotNull("Cd_Cfop", Int()), Nullable("Ds_Cfop", VarChar(80))},
          Key("PK_CFOP", {"Cd_Cfop"}));

  b.Table("TipoNF",
          {NotNull("Cd_TipoNF", TinyInt()),
           Nullable("Ds_TipoNF", VarChar(30)),
           Nullable("Ic_Entrada", Bit())},
          Key("PK_TipoNF", {"Cd_TipoNF"}));

  // Product natures with the CFOP of sales inside and outside the state.
  b.Table("NaturezaProduto",
          {NotNull("Cd_Natureza", Int()),
           Nullable("Ds_Natureza", VarChar(40)),
           Nullable("Cd_CFOPEstadual", VarChar(4)),
           Nullable("Cd_CompCFOPEstadual", VarChar(2)),
           Nullable("Cd_CFOPInterestadual", VarChar(4)),
           Nullable("Cd_CompCFOPInterestadual", VarChar(2))},
          Key("PK_NaturezaProduto", {"Cd_Natureza"}));
}

void AddCoupons(Builder& b) {
  // Fiscal coupons, by company, printer, coupon number and issue date. A
  // coupon sold on credit is billed later into a receivable.
  b.Table("CupomFiscal",
          {NotNull(kEmp, Int()),
           NotNull("No_Impressora", TinyInt()),
           NotNull("No_CupomFiscal", Int()),
           NotNull("Dt_Emissao", DateTimeType()),
           Nullable("Hr_Emissao", VarChar(8)),
           Nullable("Vl_TotProd", MoneyType()),
           Nullable("Vl_BasCalIcms", MoneyType()),
           Nullable("Vl_Icms", MoneyType()),
           Nullable("Vl_TotSer", MoneyType()),
           Nullable("Vl_BasCalIss", MoneyType()),
           Nullable("Vl_Iss", MoneyType()),
           Nullable("Vl_Total", MoneyType()),
           Nullable("Vl_DesAcr", MoneyType()),
           Nullable("Vl_TotalLiquido", MoneyType()),
           Nullable("Vl_IssRetido", MoneyType()),
           Nullable("Tp_Venda", TinyInt()),
           Nullable("Cd_Veiculo", VarChar(8)),
           Nullable("No_Km", Int()),
           Nullable("Tp_ImpNf", TinyInt()),
           Nullable("No_NF", Int()),
           Nullable("Dt_Fechamento", DateTimeType()),
           Nullable("FL_Fechada", Bit()),
           Nullable("Cd_ContaAReceber", Int()),
           Nullable("Dt_Vencimento", DateTimeType()),
           Nullable("Cd_Cfop", VarChar(4)),
           Nullable("Cd_Caixa", Int()),
           Nullable("Dt_EfeFechamento", DateTimeType()),
           Nullable("Cd_FuncionarioEfeFechamento", Int()),
           Nullable("Nm_IdCliente", VarChar(40)),
           Nullable("Tx_Iss", Real()),
           Nullable("Fl_IssRetido", Bit()),
           Nullable("Vl_GTotal", MoneyType()),
           Nullable("Qt_ContReducoes", Int()),
           Nullable("Vl_Isentas", MoneyType()),
           Nullable("Vl_SubTrib", MoneyType()),
           Nullable("Vl_Cancelamentos", MoneyType()),
           Nullable("Id_CampoExtraCF", VarChar(50)),
           Nullable("Ic_CupomConcluido", Bit()),
           Nullable("Cd_SequenciaNotaServico", Int()),
           Nullable("Cd_SequenciaNotaCupom", Int()),
           Nullable("Cd_Cliente", Int()),
           Nullable("No_Requisicao", VarChar(20)),
           Nullable("No_Cartao", VarChar(20))},
          Key("PK_CupomFiscal", {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao"}));
  b.Index("CupomFiscal", "IX_CupomFiscal_Cliente", {kEmp, "Cd_Cliente"});
  b.Index("CupomFiscal", "IX_CupomFiscal_ContaAReceber", {kEmp, "Cd_ContaAReceber"});
  b.Reference("CupomFiscal", "FK_CupomFiscal_ECF", {kEmp, "No_Impressora"}, "ECF");

  // Coupon items; the tax columns carry their version-18 names.
  const std::string item = "ItemCupomFiscal";
  b.Table(item,
          {NotNull(kEmp, Int()),
           NotNull("No_Impressora", TinyInt()),
           NotNull("No_CupomFiscal", Int()),
           NotNull("Dt_Emissao", DateTimeType()),
           NotNull("No_Item", TinyInt()),
           NotNull("Cd_Produto", Int()),
           Nullable("Qt_Unidade", Float53()),
           Nullable("Vl_UnitTabela", MoneyType()),
           Nullable("Vl_UnitVenda", MoneyType()),
           Nullable("Vl_AltAut", MoneyType()),
           Nullable("Vl_AltDig", MoneyType()),
           Nullable(v18::kSitTributaria, VarChar(2)),
           Nullable("Cd_Unidade", VarChar(2)),
           Nullable("Tx_Icms", Real()),
           Nullable("Tx_BaseCalculo", Real()),
           Nullable(v18::kTribIcms, VarChar(1)),
           Nullable("Cd_SisTubulacao", TinyInt()),
           Nullable("Cd_PonVen", Int()),
           Nullable("Cd_CFOP", VarChar(4)),
           Nullable("Cd_CompCFOP", VarChar(2)),
           Nullable("Cd_Abastecimento", Int()),
           Nullable("Cd_LancamentoCardex", Int()),
           Nullable("Cd_Bomba", TinyInt())},
          Key("XPKItemCupomFiscal", {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao", "No_Item"}));
  b.Index(item, "XIF126ItemCupomFiscal", {kEmp, "Cd_LancamentoCardex"});
  b.Index(item, "XIF39ItemCupomFiscal", {"No_Impressora", "No_CupomFiscal", "Dt_Emissao", kEmp});
  b.Index(item, "XIF76ItemCupomFiscal", {"Cd_Abastecimento", kEmp});
  b.Index(item, "XIF77ItemCupomFiscal", {"Cd_SisTubulacao", kEmp});
  b.Index(item, "XIF78ItemCupomFiscal", {"Cd_Produto", kEmp});
  b.Reference(item, "R_165", {kEmp, "Cd_LancamentoCardex"}, "Cardex");
  b.Reference(item, "SisTub_IteCupFis", {kEmp, "Cd_SisTubulacao"}, "SisTubulacao");
  b.Reference(item, "Aba_IteCupFis", {kEmp, "Cd_Abastecimento"}, "Abastecimento");
  b.Reference(item, "CupFis_IteCupFis", {kEmp, "No_Impressora", "No_CupomFiscal", "Dt_Emissao"},
              "CupomFiscal");
  b.Reference(item, "Pro_IteCupFis", {kEmp, "Cd_Produto"}, "Produto");
}

void AddOutputInvoices(Builder& b) {
  // Output invoices. The closing and employee columns near the end are
  // dropped by later versions.
  b.Table("NotaSaida",
          {NotNull(kEmp, Int()),
           NotNull("Cd_TipoNF", TinyInt()),
           NotNull("No_Nota", Int()),
           Nullable("Cd_Pessoa", Int()),  // the addressee
           Nullable("Cd_Operacao", Int()),
           Nullable("Cd_Cfop", VarChar(4)),
           Nullable("Cd_CompCFOP", VarChar(2)),
           Nullable("Dt_Emissao", DateTimeType()),
           Nullable("Hr_Emissao", VarChar(8)),
           Nullable("Dt_Saida", DateTimeType()),
           Nullable("Dt_Vencimento", DateTimeType()),
           Nullable("Cd_ContaAReceber", Int()),
           Nullable("Cd_Veiculo", VarChar(8)),
           Nullable("No_Km", Int()),
           Nullable("Vl_TotProd", MoneyType()),
           Nullable("Vl_BasCalIcms", MoneyType()),
           Nullable("Vl_Icms", MoneyType()),
           Nullable("Vl_Seguro", MoneyType()),
           Nullable("Vl_IPI", MoneyType()),
           Nullable("Vl_Total", MoneyType()),
           Nullable("Vl_TotalLiquido", MoneyType()),
           Nullable("Ds_Observacao", VarChar(250)),
           Nullable("Ic_Impressa", Bit()),
           Nullable("Cd_Funcionario", Int()),
           Nullable("Vl_DesAcr", MoneyType()),
           Nullable("FL_Fechado", Bit()),
           Nullable("Dt_Fechamento", DateTimeType()),
           Nullable("Dt_EfeFechamento", DateTimeType()),
           Nullable("Cd_UsuarioEfeFechamento", Int()),
           Nullable("Tp_Nota", TinyInt())},
          Key("PK_NotaSaida", {kEmp, "Cd_TipoNF", "No_Nota"}));
  b.Reference("NotaSaida", "FK_NotaSaida_EmpresaUsuaria", {kEmp}, "EmpresaUsuaria");
  b.Reference("NotaSaida", "FK_NotaSaida_TipoNF", {"Cd_TipoNF"}, "TipoNF");

  // Output-invoice items; tax columns under their version-18 names, and the
  // price, fuelling and piping columns that later versions drop.
  const std::string item = "ItemNotaSaida";
  b.Table(item,
          {NotNull(kEmp, Int()),
           NotNull("No_Nota", Int()),
           NotNull("Cd_TipoNF", TinyInt()),
           NotNull("No_Item", SmallInt()),
           NotNull("Cd_Produto", Int()),
           Nullable("Qt_Unidade", Float53()),
           Nullable("Vl_UnitTabela", MoneyType()),
           Nullable("Vl_UnitVenda", MoneyType()),
           Nullable("Vl_AltAut", MoneyType()),
           Nullable("Vl_AltDig", MoneyType()),
           Nullable(v18::kSitTributaria, VarChar(2)),
           Nullable("Tx_Icms", Real()),
           Nullable("Cd_Cfop", VarChar(4)),
           Nullable("Cd_CompCFOP", VarChar(2)),
           Nullable("Tx_BaseCalculo", Real()),
           Nullable(v18::kTribIcms, VarChar(1)),
           Nullable("Fl_IssRetido", Bit()),
           Nullable("Cd_Abastecimento", Int()),
           Nullable("Cd_SisTubulacao", TinyInt()),
           Nullable("Cd_LancamentoCardex", Int())},
          Key("XPKItemNotaSaida", {kEmp, "Cd_TipoNF", "No_Nota", "No_Item"}));
  b.Index(item, "XIF70ItemNotaSaida", {"No_Nota", kEmp, "Cd_TipoNF"});
  b.Index(item, "XIF71ItemNotaSaida", {"Cd_Produto", kEmp});
  b.Index(item, v18::kItemNotaSaidaAbastecimentoIndex, {"Cd_Abastecimento", kEmp});
  b.Index(item, v18::kItemNotaSaidaSisTubulacaoIndex, {"Cd_SisTubulacao", kEmp});
  b.Index(item, "XIF74ItemNotaSaida", {"Cd_LancamentoCardex", kEmp});
  b.Reference(item, "Car_IteNotFis", {kEmp, "Cd_LancamentoCardex"}, "Cardex");
  b.Reference(item, "Pro_IteNotSai", {kEmp, "Cd_Produto"}, "Produto");
  b.Reference(item, "FK_ItemNotaSaida_NotaSaida", {kEmp, "Cd_TipoNF", "No_Nota"}, "NotaSaida");
  b.Reference(item, v18::kItemNotaSaidaAbastecimentoReference, {kEmp, "Cd_Abastecimento"},
              "Abastecimento");
  b.Reference(item, v18::kItemNotaSaidaSisTubulacaoReference, {kEmp, "Cd_SisTubulacao"},
              "SisTubulacao");
}

void AddEntryInvoices(Builder& b) {
  // Entry invoices, numbered by the entry number; a supplier's invoice is
  // identified by supplier, invoice type and number.
  b.Table("NotaEntrada",
          {NotNull("No_Entrada", Int()),
           NotNull(kEmp, Int()),
           NotNull("Cd_Fornecedor", Int()),
           NotNull("Cd_TipoNF", TinyInt()),
           NotNull("No_Nota", Int()),
           Nullable("Dt_Emissao", DateTimeType()),
           Nullable("Dt_Entrega", DateTimeType()),
           Nullable("Cd_Cfop", VarChar(4)),
           Nullable("Vl_TotProd", MoneyType()),
           Nullable("Vl_BasCalIcms", MoneyType()),
           Nullable("Vl_Icms", MoneyType()),
           Nullable("Vl_BasCalIcmsSub", MoneyType()),
           Nullable("Vl_IcmsSub", MoneyType()),
           Nullable("Vl_Frete", MoneyType()),
           Nullable("Vl_Seguro", MoneyType()),
           Nullable("Vl_Despesas", MoneyType()),
           Nullable("Vl_IPI", MoneyType()),
           Nullable("Vl_Desconto", MoneyType()),
           Nullable("Vl_TotalNota", MoneyType())},
          Key("PK_NotaEntrada", {"No_Entrada"}));
  b.Index("NotaEntrada", "IX_NotaEntrada_Nota", {kEmp, "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"},
          /*unique=*/true);
  b.Reference("NotaEntrada", "FK_NotaEntrada_Fornecedor", {kEmp, "Cd_Fornecedor"}, "Fornecedor");
  b.Reference("NotaEntrada", "FK_NotaEntrada_TipoNF", {"Cd_TipoNF"}, "TipoNF");

  const std::string item = "ItemNotaEntrada";
  b.Table(item,
          {NotNull("No_Entrada", Int()),
           NotNull("Cd_ProdutoItem", Int()),
           Nullable(v18::kSitTributaria, VarChar(3)),
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
           Nullable("Cd_Cfop", Int())},
          Key("ItemNotaEntrada_01", {kEmp, "No_Entrada", "No_Item"}, /*clustered=*/true));
  b.Index(item, "XIF143ItemNotaEntrada", {kEmp});
  b.Index(item, "XIF146ItemNotaEntrada", {"Cd_Cfop"});
  b.Index(item, "XIF79ItemNotaEntrada", {"No_Entrada"});
  b.Index(item, "XIF80ItemNotaEntrada", {"Cd_LancamentoCardex", kEmp});
  b.Index(item, "XIF81ItemNotaEntrada", {"Cd_ProdutoItem", kEmp});
  b.Reference(item, "Pro_IteNotEnt", {kEmp, "Cd_ProdutoItem"}, "Produto", {kEmp, "Cd_Produto"});
  b.Reference(item, "R_207", {"Cd_Cfop"}, "CFOP");
  b.Reference(item, "R_194", {kEmp}, "EmpresaUsuaria");
  b.Reference(item, "Car_IteNotEnt", {kEmp, "Cd_LancamentoCardex"}, "Cardex");
  b.Reference(item, "NotEnt_IteNotEnt", {"No_Entrada"}, "NotaEntrada");
}

void AddFuelBook(Builder& b) {
  // Pages of the fuel movement book (LMC), one per fuel and day.
  b.Table("Lmc",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Produto", Int()),
           NotNull("Dt_Movimento", DateTimeType()),
           Nullable("No_Pagina", Int()),
           Nullable("Qt_EstoqueAbertura", Float53()),
           Nullable("Qt_Recebido", Float53()),
           Nullable("Qt_Vendido", Float53()),
           Nullable("Qt_EstoqueEscritural", Float53()),
           Nullable("Qt_EstoqueFechamento", Float53()),
           Nullable("Qt_PerdasSobras", Float53()),
           Nullable("Vl_Vendido", MoneyType())},
          Key("PK_Lmc", {kEmp, "Cd_Produto", "Dt_Movimento"}));
  b.Reference("Lmc", "Pro_Lmc", {kEmp, "Cd_Produto"}, "Produto");
}

}  // namespace

void AddCompanyTables(Builder& b) {
  AddPersonsAndCompany(b);
  AddFiscalPrinters(b);
  AddFiscalCodes(b);
  AddCoupons(b);
  AddOutputInvoices(b);
  AddEntryInvoices(b);
  AddFuelBook(b);
}

}  // namespace bp::schema::base
