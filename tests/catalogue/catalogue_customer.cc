// The customer, card, commitment, receivable, cheque and cash-register tables
// of a version-500 station database.
#include "catalogue/catalogue.h"

namespace bp::testing {

std::vector<CatalogueTable> CustomerTables() {
  using namespace schema;
  using namespace catalogue_data;
  std::vector<CatalogueTable> tables;

  tables.push_back({
      .name = "Cliente", .origin = TableOrigin::kBase,
      .columns = {
          C("Ds_ObservacaoNfFatura", VarChar(50), kYes, 38),
          C("No_RestricaoDeVenda", Int(), kYes, 70),
          C("Cd_CarCob", Int(), kYes, 133),
          C("Ic_DestacarIcmsST", Bit(), kYes, 162),
          C("Ic_ExigirHodometroNaVenda", Bit(), kYes, 169),
          C("Cd_GrupoCliente", Int(), kYes, 174),
          C("No_LayOutArqImpCartoes", Int(), kYes, 177),
      },
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Pag"},
      .indexes = {
          Index{"XIF153Cliente", {"Cd_PessoaUsuaria", "Cd_Pag"}},
          Index{"XIF192Cliente", {"Cd_GrupoCliente"}},
      },
      .references = {
          ForeignKey{"R_215", {"Cd_PessoaUsuaria", "Cd_Pag"}, "ConPag"},
          ForeignKey{"R_259", {"Cd_GrupoCliente"}, "GrupoCliente"},
      },
  });

  tables.push_back({
      .name = "GrupoCliente", .origin = TableOrigin::kCreatedByStep, .step = 174,
      .columns = {
          C("Cd_GrupoCliente", Int(), kNo),
          C("Nm_GrupoCliente", NVarChar(30), kNo),
      },
      .key = PrimaryKey{"XPKGrupoCliente", {"Cd_GrupoCliente"}},
  });

  tables.push_back({
      .name = "GradeComissao", .origin = TableOrigin::kCreatedByStep, .step = 179,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_GrupoCliente", Int(), kNo),
          C("Cd_GrupoProduto", Int(), kNo),
          C("Cd_Funcao", Int(), kNo),
          C("Tx_Comissao", MoneyType(), kYes),
      },
      .key = PrimaryKey{"XPKGradeComissao",
                       {"Cd_PessoaUsuaria", "Cd_GrupoCliente", "Cd_GrupoProduto", "Cd_Funcao"}},
      .indexes = {
          Index{"XIF193GradeComissao", {"Cd_GrupoCliente"}},
          Index{"XIF194GradeComissao", {"Cd_GrupoProduto"}},
          Index{"XIF195GradeComissao", {"Cd_Funcao"}},
          Index{"XIF202GradeComissao", {"Cd_PessoaUsuaria"}},
      },
      .references = {
          ForeignKey{"R_278", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_262", {"Cd_Funcao"}, "Funcao"},
          ForeignKey{"R_261", {"Cd_GrupoProduto"}, "GrupoProduto"},
          ForeignKey{"R_260", {"Cd_GrupoCliente"}, "GrupoCliente"},
      },
  });

  tables.push_back({
      .name = "IdentificacaoDoCliente", .origin = TableOrigin::kCreatedByStep, .step = 216,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Id_CampoExtraCF", VarChar(50), kNo),
          C("Nm_IdentificacaoDoCliente", VarChar(60), kYes),
      },
      .key = PrimaryKey{"XPKIdentificacaoDoCliente",
                       {"Cd_PessoaUsuaria", "Cd_Cliente", "Id_CampoExtraCF"}},
      .references = {ForeignKey{"R_287", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"}},
  });

  tables.push_back({
      .name = "Cartao", .origin = TableOrigin::kCreatedByStep, .step = 177,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Cartao", Int(), kNo),
          C("Cd_TipoCartao", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Nm_Pessoa", VarChar(40), kNo),
          C("No_TipoPessoa", TinyInt(), kYes),
          C("Cd_CnpjCpf", VarChar(18), kYes),
          C("Cd_IEstRg", VarChar(25), kYes),
      },
      .key = PrimaryKey{"XPKCartao", {"Cd_PessoaUsuaria", "Cd_TipoCartao", "Cd_Cartao"}},
      .indexes = {
          Index{"XIF196Cartao", {"Cd_PessoaUsuaria"}},
          Index{"XIF197Cartao", {"Cd_TipoCartao"}},
          Index{"XIF203Cartao", {"Cd_PessoaUsuaria", "Cd_Cliente"}},
      },
      .references = {
          ForeignKey{"R_275", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"},
          ForeignKey{"R_265", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_266", {"Cd_TipoCartao"}, "TipoCartao"},
      },
  });

  tables.push_back({
      .name = "TipoCartao", .origin = TableOrigin::kCreatedByStep, .step = 177,
      .columns = {
          C("Cd_TipoCartao", Int(), kNo),
          C("Nm_TipoCartao", VarChar(20), kNo),
          C("No_PessoaImpressaNoCupom", TinyInt(), kYes),
          C("Qt_PendenciasPermitidas", Int(), kNo, 192, 0),
      },
      .key = PrimaryKey{"XPKTipoCartao", {"Cd_TipoCartao"}},
  });

  tables.push_back({
      .name = "TipoCartaoCliente", .origin = TableOrigin::kCreatedByStep, .step = 177,
      .columns = {
          C("Cd_TipoCartao", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_ProcedimentoAutorizacao", Int(), kYes),
          C("No_Estabelecimento", Int(), kYes),
      },
      .key = PrimaryKey{"XPKTipoCartaoCliente", {"Cd_TipoCartao"}},
      .indexes = {Index{"XIF202TipoCartaoCliente", {"Cd_PessoaUsuaria", "Cd_Cliente"}}},
      .references = {
          ForeignKey{"R_274", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"},
          ForeignKey{"R_273", {"Cd_TipoCartao"}, "TipoCartao"},
      },
  });

  tables.push_back({
      .name = "VendaCartaoPorCupomFiscal", .origin = TableOrigin::kCreatedByStep, .step = 177,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Impressora", TinyInt(), kNo),
          C("No_CupomFiscal", Int(), kNo),
          C("Dt_Emissao", DateTimeType(), kNo),
          C("Cd_TipoCartao", Int(), kNo),
          C("Cd_Cartao", Int(), kNo),
          C("Ic_Aprovado", Bit(), kYes),
          C("Dt_Aprovacao", DateTimeType(), kYes),
      },
      .key = PrimaryKey{"XPKVendaCartaoPorCupomFiscal",
                       {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao",
                           "Cd_TipoCartao", "Cd_Cartao"}},
      .indexes = {
          Index{"XIF276VendaCartaoPorCupomFiscal",
                {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao"}},
          Index{"XIF277VendaCartaoPorCupomFiscal",
                {"Cd_PessoaUsuaria", "Cd_TipoCartao", "Cd_Cartao"}},
      },
      .references = {
          ForeignKey{"R_269", {"Cd_PessoaUsuaria", "Cd_TipoCartao", "Cd_Cartao"}, "Cartao"},
          ForeignKey{"R_268",
                     {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao"},
                     "CupomFiscal"},
      },
  });

  tables.push_back({
      .name = "Empenho", .origin = TableOrigin::kCreatedByStep, .step = 148,
      .columns = {
          C("Id_Empenho", VarChar(18), kNo),
          C("No_Situacao", TinyInt(), kYes),
          C("Ds_Observacao", VarChar(250), kYes),
          C("Vl_Total", MoneyType(), kYes),
          C("Dt_Emissao", DateTimeType(), kYes),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Ds_IdentificadorEmpenhoNaVenda", VarChar(20), kYes, 453),
      },
      .key = PrimaryKey{"XPKEmpenho", {"Cd_PessoaUsuaria", "Cd_Cliente", "Id_Empenho"}},
      .indexes = {
          Index{"XIF184Empenho", {"Cd_PessoaUsuaria"}},
          Index{"XIF186Empenho", {"Cd_PessoaUsuaria", "Cd_Cliente"}},
      },
      .references = {
          ForeignKey{"R_252", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"},
          ForeignKey{"R_250", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "ItemEmpenho", .origin = TableOrigin::kCreatedByStep, .step = 148,
      .columns = {
          C("Vl_Unitario", MoneyType(), kYes),
          C("Qt_Unidade", Float(), kYes),
          C("No_Item", TinyInt(), kNo),
          C("Id_Empenho", VarChar(18), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Cd_Produto", Int(), kNo),
      },
      .key = PrimaryKey{"XPKItemEmpenho",
                       {"No_Item", "Id_Empenho", "Cd_PessoaUsuaria", "Cd_Cliente"}},
      .indexes = {
          Index{"XIF183ItemEmpenho", {"Id_Empenho", "Cd_PessoaUsuaria", "Cd_Cliente"}},
          Index{"XIF186ItemEmpenho", {"Cd_PessoaUsuaria", "Cd_Produto"}},
      },
      .references = {
          ForeignKey{"R_253", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"},
          ForeignKey{"R_249", {"Cd_PessoaUsuaria", "Cd_Cliente", "Id_Empenho"}, "Empenho"},
      },
  });

  tables.push_back({
      .name = "ContaAReceber", .origin = TableOrigin::kBase,
      .columns = {
          C("Ds_Observacao", VarChar(100), kYes, 73),
          C("Cd_PessoaAvalista", Int(), kYes, 97),
          C("Ic_Avalista", Bit(), kYes, 97),
      },
      .named_columns = {"Dt_BloqueioCredito"},
      .indexes = {Index{"XIF160ContaAReceber", {"Cd_PessoaAvalista"}}},
      .references = {ForeignKey{"R_223", {"Cd_PessoaAvalista"}, "Pessoa"}},
  });

  tables.push_back({
      .name = "Recebimento", .origin = TableOrigin::kBase,
      .columns = {
          C("Ic_Suprimento", Bit(), kUnstated, 131),
          C("Ic_AjusteTipoRecebimento", Bit(), kUnstated, 229),
      },
      .named_columns = {"No_Recebimento", "Vl_Recebimento", "Cd_CgcCpf0", "Dt_Recebimento",
          "Cd_TipoRecebimento", "Cd_CgcCpf1", "Cd_PessoaUsuaria", "Tp_DocDebito", "Dt_Lancamento",
          "No_DocDebito", "Cd_Cmc7Rec", "Cd_BancoRec", "Cd_AgenciaRec", "Cd_ContaRec",
          "Nm_IdDocumentoRec", "Tp_Operacao", "Cd_Tipo0", "Cd_Tipo1", "Qt_DiasAtraso",
          "Vl_Amortizacao", "Vl_JurosRec", "Tx_MoraRec", "Cd_Caixa", "No_Sangria"},
      .indexes = {
          Index{"Recebimento_02", {"No_Recebimento"}, {"Vl_Recebimento"}},
          Index{"Recebimento_03",
                {"Cd_CgcCpf0", "Dt_Recebimento"},
                {"Cd_TipoRecebimento", "Vl_Recebimento"}},
          Index{"Recebimento_04",
                {"Cd_CgcCpf1", "Dt_Recebimento"},
                {"Cd_TipoRecebimento", "Vl_Recebimento"}},
          Index{"Recebimento_05",
                {"Cd_PessoaUsuaria", "Tp_DocDebito", "Ic_Suprimento", "Dt_Lancamento"},
                {"No_Recebimento"}},
          Index{"Recebimento_06",
                {"Tp_DocDebito", "No_DocDebito"},
                {"Cd_PessoaUsuaria", "No_Recebimento", "Cd_TipoRecebimento", "Cd_Cmc7Rec",
                    "Cd_BancoRec", "Cd_AgenciaRec", "Cd_ContaRec", "Nm_IdDocumentoRec",
                    "Tp_Operacao", "Cd_Tipo0", "Cd_Tipo1", "Cd_CgcCpf0", "Cd_CgcCpf1",
                    "Dt_Recebimento", "Vl_Recebimento", "Qt_DiasAtraso", "Vl_Amortizacao",
                    "Vl_JurosRec", "Tx_MoraRec", "Dt_Lancamento", "Cd_Caixa", "No_Sangria",
                    "Ic_Suprimento", "Ic_AjusteTipoRecebimento"}},
      },
  });

  tables.push_back({
      .name = "ChequeEmLote", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "No_Recebimento"},
      .references = {ForeignKey{"R_229", {"Cd_PessoaUsuaria", "No_Recebimento"}, "Recebimento"}},
  });

  tables.push_back({
      .name = "ConsultaCheque", .origin = TableOrigin::kBase,
      .columns = {
          C("No_TipoConsulta0", Int(), kYes, 356),
          C("No_TipoConsulta1", Int(), kYes, 356),
          C("Ic_LiberadoComRestricoes", Bit(), kYes, 387),
      },
  });

  tables.push_back({
      .name = "LayoutCheque", .origin = TableOrigin::kCreatedByStep, .step = 437,
      .columns = {
          C("Cd_Banco", SmallInt(), kNo),
          C("Qt_DistanciaTopoValor", Int(), kYes),
          C("Qt_DistanciaEsquerdaValor", Int(), kYes),
          C("Qt_CaracteresValor", Int(), kYes),
          C("Qt_DistanciaTopoExtenso1", Int(), kYes),
          C("Qt_DistanciaEsquerdaExtenso1", Int(), kYes),
          C("Qt_CaracteresExtenso1", Int(), kYes),
          C("Qt_DistanciaTopoExtenso2", Int(), kYes),
          C("Qt_DistanciaEsquerdaExtenso2", Int(), kYes),
          C("Qt_CaracteresExtenso2", Int(), kYes),
          C("Qt_DistanciaTopoFavorecido", Int(), kYes),
          C("Qt_DistanciaEsquerdaFavorecido", Int(), kYes),
          C("Qt_CaracteresFavorecido", Int(), kYes),
          C("Qt_DistanciaTopoData", Int(), kYes),
          C("Qt_DistanciaEsquerdaLocalidade", Int(), kYes),
          C("Qt_DistanciaEsquerdaDiaMes", Int(), kYes),
          C("Qt_DistanciaEsquerdaExtensoMes", Int(), kYes),
          C("Qt_DistanciaEsquerdaAno", Int(), kYes),
      },
      .key = PrimaryKey{"XPKLayoutCheque", {"Cd_Banco"}},
      .references = {ForeignKey{"R_299", {"Cd_Banco"}, "Banco"}},
  });

  tables.push_back({
      .name = "TipoRecebimento", .origin = TableOrigin::kBase,
      .columns = {
          C("Fl_PermitirTrocoNaVenda", Bit(), kYes, 148),
          C("Ic_ExigirRecebimentoMesmoValorCompra", Bit(), kYes, 366),
          C("Vl_AdmitidoDiferencaValorCompraERecebimento", MoneyType(), kYes, 366),
      },
      .removed_columns = {"Cd_ContaContabilVendaAcertada", "Cd_ContaContabilVendaACredito"},
  });

  tables.push_back({
      .name = "ConPag", .origin = TableOrigin::kBase,
      .columns = {
          C("Qt_DiasPrazo", Int(), kNo, 471, 0),
      },
  });

  tables.push_back({
      .name = "Caixa", .origin = TableOrigin::kBase,
      .columns = {
          C("Vl_SobraSangria", MoneyType(), kYes, 57),
          C("Vl_FaltaSangria", MoneyType(), kYes, 57),
          C("Vl_Suprimento", MoneyType(), kUnstated, 131),
          C("Vl_DescontoCF", MoneyType(), kYes, 266),
          C("Vl_OutrosDebitos", MoneyType(), kYes, 404),
          C("Vl_OutrosCreditos", MoneyType(), kYes, 404),
      },
      .named_columns = {"Cd_Caixa"},
  });

  tables.push_back({
      .name = "DivergenciaCaixa", .origin = TableOrigin::kCreatedByStep, .step = 403,
      .columns = {
          C("Cd_Caixa", Int(), kNo),
          C("Cd_TipoDivergenciaCaixa", Int(), kNo),
          C("Vl_Divergencia", MoneyType(), kYes),
          C("Ds_Divergencia", VarChar(200), kYes),
      },
      .key = PrimaryKey{"XPKDivergenciaCaixa", {"Cd_Caixa", "Cd_TipoDivergenciaCaixa"}},
      .indexes = {
          Index{"XIF215DivergenciaCaixa", {"Cd_Caixa"}},
          Index{"XIF216DivergenciaCaixa", {"Cd_TipoDivergenciaCaixa"}},
      },
      .references = {
          ForeignKey{"R_297", {"Cd_TipoDivergenciaCaixa"}, "TipoDivergenciaCaixa"},
          ForeignKey{"R_296", {"Cd_Caixa"}, "Caixa"},
      },
  });

  tables.push_back({
      .name = "TipoDivergenciaCaixa", .origin = TableOrigin::kCreatedByStep, .step = 403,
      .columns = {
          C("Cd_TipoDivergenciaCaixa", Int(), kNo),
          C("Ds_DivergenciaCaixa", VarChar(40), kYes),
          C("No_NaturezaDivergencia", Int(), kYes),
      },
      .key = PrimaryKey{"XPKTipoDivergenciaCaixa", {"Cd_TipoDivergenciaCaixa"}},
  });

  return tables;
}

}  // namespace bp::testing
