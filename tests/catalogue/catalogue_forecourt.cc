// The pump, fueling, tank, product and stock tables of a version-500 station
// database.
#include "catalogue/catalogue.h"

namespace bp::testing {

std::vector<CatalogueTable> ForecourtTables() {
  using namespace schema;
  using namespace catalogue_data;
  std::vector<CatalogueTable> tables;

  tables.push_back({
      .name = "Bomba", .origin = TableOrigin::kBase,
      .columns = {
          C("No_TipoControleResponsabilidade", TinyInt(), kYes, 74),
          C("Fl_BloquearBico", Bit(), kYes, 87),
          C("Tx_DescontoAbastecimento", Numeric(5, 2), kYes, 108),
          C("No_Hodometro", Int(), kYes, 169),
          C("Ic_PermitirDigitacaoAbastecimento", Bit(), kUnstated, 218),
          C("Qt_LitrosReinicioAutomacao", Int(), kYes, 384),
          C("Qt_ReinicioAutomacao", Int(), kYes, 384),
          C("Ds_Bomba", VarChar(2), kYes, 469),
          C("Ds_Bico", VarChar(2), kYes, 476),
      },
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Produto", "De_EnderecoLogicoBico"},
      .references = {ForeignKey{"Prod_Bom", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "Abastecimento", .origin = TableOrigin::kBase,
      .columns = {
          C("Ic_Afericao", Bit(), kYes, 52),
          C("Cd_Cmc7", VarChar(30), kYes, 76),
          C("Tx_DescontoAbastecimento", Numeric(5, 2), kYes, 108),
          C("No_Hodometro", Int(), kYes, 170),
      },
      .named_columns = {"Ic_Baixado", "Cd_PessoaUsuaria", "Cd_Veiculo", "De_EnderecoLogicoBico",
          "Cd_Caixa", "Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento", "Dt_Termino",
          "No_Contador", "Cd_Abastecimento", "Qt_Litros", "Tp_OrigemRegistro",
          "No_EncerranteFechamento", "Vl_Total"},
      .key = PrimaryKey{"Abastecimento_01", {"Cd_PessoaUsuaria", "Cd_Abastecimento"}},
      .indexes = {
          Index{"XIE4Abastecimento", {"Cd_Cmc7"}},
          Index{"XIF1Abastecimento", {"Cd_PessoaUsuaria"}},
          Index{"XIF11Abastecimento", {"Cd_Veiculo", "Cd_PessoaUsuaria"}},
          Index{"XIF123Abastecimento", {"De_EnderecoLogicoBico"}},
          Index{"XIF13Abastecimento", {"Cd_Caixa"}},
          Index{"XIF5Abastecimento", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"}},
          Index{"Abastecimento_03", {"Dt_Termino", "De_EnderecoLogicoBico"}},
          Index{"Abastecimento_04", {"Cd_PessoaUsuaria", "De_EnderecoLogicoBico", "Ic_Baixado"}},
          Index{"Abastecimento_05", {"Cd_PessoaUsuaria", "Ic_Baixado"}},
          Index{"Abastecimento_06",
                {"Cd_PessoaUsuaria", "De_EnderecoLogicoBico"},
                {"No_Contador", "Dt_Termino", "Cd_Abastecimento"}},
          Index{"Abastecimento_07", {"Cd_PessoaUsuaria", "Qt_Litros"}},
          Index{"Abastecimento_08", {"Tp_OrigemRegistro", "Dt_Termino"}, {"De_EnderecoLogicoBico"}},
          Index{"Abastecimento_09",
                {"Cd_PessoaUsuaria", "De_EnderecoLogicoBico", "Dt_Termino"},
                {"No_Contador", "No_EncerranteFechamento"}},
          Index{"Abastecimento_10",
                {"Cd_PessoaUsuaria", "Dt_Termino"},
                {"Vl_Total", "De_EnderecoLogicoBico"}},
          Index{"Abastecimento_11",
                {"Cd_PessoaUsuaria", "De_EnderecoLogicoBico"},
                {"No_Contador", "Dt_Termino", "Cd_Abastecimento"}},
          Index{"Abastecimento_12",
                {"Cd_PessoaUsuaria", "De_EnderecoLogicoBico"},
                {"No_Contador", "Dt_Termino", "Cd_Abastecimento"}},
      },
      .references = {
          ForeignKey{"R_161", {"De_EnderecoLogicoBico"}, "Bomba"},
          ForeignKey{"ConChe_Abas",
                     {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"},
                     "ConsultaCheque"},
          ForeignKey{"Cai_Aba", {"Cd_Caixa"}, "Caixa"},
          ForeignKey{"Vei_Aba", {"Cd_PessoaUsuaria", "Cd_Veiculo"}, "Veiculo"},
          ForeignKey{"EmpUsu_Abas", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "AutomacaoBomba", .origin = TableOrigin::kCreatedByStep, .step = 162,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_ModeloAutomacaoBombas", SmallInt(), kYes),
          C("No_CompativelPreset", Int(), kYes),
          C("No_ModoEncontrarQuantidade", Int(), kYes),
          C("No_PortaAutomacao", Int(), kYes),
          C("Qt_AbastecimentosPerdidos", Int(), kYes),
          C("Qt_TempoVerificarAbastecimentosPerdidos", Int(), kYes),
          C("Nm_ComputadorAutomacao", VarChar(30), kYes),
          C("No_ContadorAutomacaoBombas", Int(), kYes),
          C("Ic_GerarAbastecimentoDasDiferencasDeEncerrante", Bit(), kNo, 471, -1),
      },
      .key = PrimaryKey{"XPKAutomacaoBomba", {"Cd_PessoaUsuaria"}},
      .references = {ForeignKey{"R_257", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}},
  });

  tables.push_back({
      .name = "LogLiberacaoBico", .origin = TableOrigin::kCreatedByStep, .step = 207,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Liberacao", Int(), kNo),
          C("Cd_Bomba", TinyInt(), kNo),
          C("Cd_Caixa", Int(), kNo),
          C("Cd_Veiculo", VarChar(8), kYes),
          C("Dt_Liberacao", DateTimeType(), kNo),
          C("Ic_BaixaAutomatica", Bit(), kYes),
          C("No_TipoPagamento", TinyInt(), kYes),
          C("No_TipoVencimento", TinyInt(), kYes),
          C("Cd_Funcionario", Int(), kYes),
          C("No_TipoHardware", SmallInt(), kYes, 210),
      },
      .key = PrimaryKey{"XPKLogLiberacaoBico", {"Cd_PessoaUsuaria", "No_Liberacao"}},
      .indexes = {
          Index{"XIF204LogLiberacaoBico", {"Cd_PessoaUsuaria"}},
          Index{"XIF205LogLiberacaoBico", {"Cd_PessoaUsuaria", "Cd_Bomba"}},
          Index{"XIF206LogLiberacaoBico", {"Cd_PessoaUsuaria", "Cd_Veiculo"}},
          Index{"XIF414LogLiberacaoBico", {"Cd_PessoaUsuaria", "Cd_Funcionario"}},
      },
      .references = {
          ForeignKey{"R_282", {"Cd_PessoaUsuaria", "Cd_Veiculo"}, "Veiculo"},
          ForeignKey{"R_281", {"Cd_PessoaUsuaria", "Cd_Bomba"}, "Bomba"},
          ForeignKey{"R_280", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_284", {"Cd_PessoaUsuaria", "Cd_Funcionario"}, "Funcionario"},
      },
  });

  tables.push_back({
      .name = "Tanque", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Produto"},
      .references = {ForeignKey{"R_199", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "SisTubulacao", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "Cd_SisTubulacao", "Cd_Produto"},
      .references = {ForeignKey{"Pro_SisTub", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "Descarga", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "Cd_ProdutoDescarga"},
      .references = {
          ForeignKey{"R_163",
                     {"Cd_PessoaUsuaria", "Cd_ProdutoDescarga"},
                     "Produto",
                     {"Cd_PessoaUsuaria", "Cd_Produto"}},
      },
  });

  tables.push_back({
      .name = "EstoqueSisTubulacao", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Produto"},
      .references = {ForeignKey{"Pro_EstSisTub", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "ConciliacaoEstoqueTanques", .origin = TableOrigin::kCreatedByStep, .step = 73,
      .columns = {
          C("Dt_Conciliacao", DateTimeType(), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Tanque", TinyInt(), kNo),
          C("Qt_Estoque", Float(), kYes),
      },
      .key = PrimaryKey{"XPKConciliacaoEstoqueTanques",
                       {"Cd_PessoaUsuaria", "No_Tanque", "Dt_Conciliacao"}},
      .indexes = {Index{"XIF159ConciliacaoEstoqueTanques", {"Cd_PessoaUsuaria", "No_Tanque"}}},
      .references = {ForeignKey{"R_222", {"Cd_PessoaUsuaria", "No_Tanque"}, "Tanque"}},
  });

  tables.push_back({
      .name = "ConciliacaoEstoqueSisTubulacao", .origin = TableOrigin::kCreatedByStep, .step = 331,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_SisTubulacao", TinyInt(), kNo),
          C("Dt_Conciliacao", DateTimeType(), kNo),
          C("Qt_Diferenca", Float(), kYes),
      },
      .key = PrimaryKey{"XPKConciliacaoEstoqueSisTubulacao",
                       {"Cd_PessoaUsuaria", "Cd_SisTubulacao", "Dt_Conciliacao"}},
      .indexes = {
          Index{"XIF214ConciliacaoEstoqueSisTubulacao", {"Cd_PessoaUsuaria", "Cd_SisTubulacao"}},
      },
      .references = {ForeignKey{"R_295", {"Cd_PessoaUsuaria", "Cd_SisTubulacao"}, "SisTubulacao"}},
  });

  tables.push_back({
      .name = "Produto", .origin = TableOrigin::kRebuiltByStep, .step = 21,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Produto", Int(), kNo),
          C("Nm_Produto", VarChar(40), kNo),
          C("No_Tipo", TinyInt(), kYes),
          C("Cd_Unidade", VarChar(2), kYes),
          C("Cd_GrupoProduto", Int(), kNo),
          C("Cd_Natureza", Int(), kYes),
          C("No_SitTributaria", VarChar(3), kYes),
          C("Vl_Preco", Float53(), kYes),
          C("Qt_Venda", SmallInt(), kYes),
          C("Qt_Estoque", Float53(), kYes),
          C("Fl_VendBomba", Bit(), kNo),
          C("Cd_CodBarras", VarChar(15), kYes),
          C("Vl_CustoMedio", MoneyType(), kYes),
          C("Vl_CredIcmsMedio", MoneyType(), kYes),
          C("No_TribIcms", VarChar(1), kYes),
          C("No_PresIcms", VarChar(1), kYes),
          C("Tx_Icms", Real(), kYes),
          C("Tx_IcmsSub", Real(), kYes),
          C("Tx_BaseCalculo", Float53(), kYes),
          C("Vl_PresIcms", MoneyType(), kYes),
          C("Cd_Origem", VarChar(1), kYes),
          C("No_TribPis", VarChar(1), kYes),
          C("No_TribCofins", VarChar(1), kYes),
          C("Qt_Emitir", Float53(), kYes),
          C("Fl_Complemento", TinyInt(), kYes),
          C("Cd_ProdutoSEF", Int(), kYes),
          C("Cd_ContaMargemContribuicao", Int(), kNo),
          C("Qt_EstoqueInicial", Float53(), kYes),
          C("Vl_CustoMedioInicial", Float(), kYes, 45),
          C("Vl_CredIcmsMedioInicial", Float(), kYes, 45),
          C("Ic_PermitidoVenderFracaoDeUnidade", Bit(), kYes, 67),
          C("Tx_IcmsStAnterior", MoneyType(), kYes, 162),
          C("Vl_BaseCalculoIcmsStAnterior", MoneyType(), kYes, 162),
          C("Ic_Ativo", Bit(), kYes, 177),
          C("Qt_DiferencaInventarioEstoque", Float(), kYes, 240),
          C("Cd_GrupoNBM", Int(), kYes, 423),
          C("Ds_CalculoValorTotal", Char(1), kYes, 459),
          C("No_CalculoValorTotal", TinyInt(), kYes, 459),
          C("No_TipoProducao", TinyInt(), kYes, 469),
      },
      .key = PrimaryKey{"Produto_01", {"Cd_PessoaUsuaria", "Cd_Produto"}, true},
      .indexes = {
          Index{"XIF105Produto", {"Cd_GrupoProduto"}},
          Index{"XIF140Produto", {"Cd_Natureza"}},
          Index{"XIF260Produto", {"Cd_ContaMargemContribuicao", "Cd_PessoaUsuaria"}},
          Index{"XIF44Produto", {"Cd_PessoaUsuaria"}},
      },
      .references = {
          ForeignKey{"R_191", {"Cd_Natureza"}, "NaturezaProduto"},
          ForeignKey{"R_148",
                     {"Cd_PessoaUsuaria", "Cd_ContaMargemContribuicao"},
                     "ContaContabil",
                     {"Cd_PessoaUsuaria", "Cd_ContaContabil"}},
          ForeignKey{"GruPro_Pro", {"Cd_GrupoProduto"}, "GrupoProduto"},
          ForeignKey{"EmpUsu_Produto", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "GrupoNBM", .origin = TableOrigin::kCreatedByStep, .step = 423,
      .columns = {
          C("Cd_GrupoNBM", Int(), kNo),
          C("Nm_GrupoNBM", Collate(VarChar(30), "Latin1_General_CI_AS"), kYes),
      },
      .key = PrimaryKey{"PK_GrupoNBM", {"Cd_GrupoNBM"}},
  });

  tables.push_back({
      .name = "ProdutoTransferencia", .origin = TableOrigin::kCreatedByStep, .step = 26,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_ProdutoBaixa", Int(), kNo),
          C("Cd_ProdutoEntrada", Int(), kNo),
          C("Qt_FatorMultiplicacao", MoneyType(), kNo),
          C("Ic_TransferenciaAutomatica", Bit(), kUnstated, 212),
      },
      .key = PrimaryKey{"XPKProdutoTransferencia",
                       {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa", "Cd_ProdutoEntrada"}},
      .indexes = {
          Index{"XIF146ProdutoTransferencia", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}},
          Index{"XIF147ProdutoTransferencia", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}},
      },
      .references = {
          ForeignKey{"R_209", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}, "Produto"},
          ForeignKey{"R_208", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}, "Produto"},
      },
  });

  tables.push_back({
      .name = "ItemTransfEmbalagem", .origin = TableOrigin::kCreatedByStep, .step = 26,
      .columns = {
          C("No_Transferencia", Int(), kNo),
          C("Cd_ProdutoBaixa", Int(), kNo),
          C("Cd_ProdutoEntrada", Int(), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_LancamentoCardexBaixa", Int(), kNo),
          C("Cd_LancamentoCardexEntrada", Int(), kNo),
          C("Qt_UnidadeEntrada", Float(), kNo),
          C("Qt_UnidadeBaixa", Float(), kNo),
      },
      .key = PrimaryKey{"XPKItemTransfEmbalagem", {"Cd_PessoaUsuaria", "No_Transferencia"}},
      .indexes = {
          Index{"XIF148ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}},
          Index{"XIF149ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}},
          Index{"XIF150ItemTransfEmbalagem", {"Cd_PessoaUsuaria"}},
          Index{"XIF151ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexBaixa"}},
          Index{"XIF152ItemTransfEmbalagem", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexEntrada"}},
      },
      .references = {
          ForeignKey{"R_214", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexEntrada"}, "Cardex"},
          ForeignKey{"R_213", {"Cd_PessoaUsuaria", "Cd_LancamentoCardexBaixa"}, "Cardex"},
          ForeignKey{"R_212", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_211", {"Cd_PessoaUsuaria", "Cd_ProdutoEntrada"}, "Produto"},
          ForeignKey{"R_210", {"Cd_PessoaUsuaria", "Cd_ProdutoBaixa"}, "Produto"},
      },
  });

  tables.push_back({
      .name = "Cardex", .origin = TableOrigin::kBase,
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Emissao", "No_Tipo", "Nm_Doc",
          "Cd_LancamentoCardex", "Vl_Unitario", "Cd_SisTubulacao", "Qt_Unidade", "Qt_Estoque",
          "Vl_CustoMedio", "Vl_CredIcmsMedio"},
      .removed_columns = {"No_Item"},
      .indexes = {
          Index{"Cardex_03", {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Emissao", "No_Tipo", "Nm_Doc"}},
          Index{"Cardex_04",
                {"Cd_PessoaUsuaria", "No_Tipo", "Cd_Produto"},
                {"Cd_LancamentoCardex", "Dt_Emissao"}},
          Index{"Cardex_05",
                {"Cd_PessoaUsuaria", "No_Tipo", "Cd_Produto"},
                {"Cd_LancamentoCardex", "Dt_Emissao"}},
          Index{"Cardex_06",
                {"Cd_PessoaUsuaria", "No_Tipo", "Cd_Produto"},
                {"Dt_Emissao", "Vl_Unitario"}},
          Index{"Cardex_07",
                {"Cd_PessoaUsuaria", "Dt_Emissao", "No_Tipo", "Cd_SisTubulacao"},
                {"Qt_Unidade"}},
          Index{"Cardex_08",
                {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Emissao"},
                {"Cd_LancamentoCardex", "Qt_Estoque", "Vl_CustoMedio", "Vl_CredIcmsMedio"}},
          Index{"Cardex_09", {"Cd_PessoaUsuaria", "Cd_Produto"}, {"No_Tipo", "Qt_Unidade"}},
      },
      .references = {ForeignKey{"R_149", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "EstoqueConsolidado", .origin = TableOrigin::kCreatedByStep, .step = 56,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Dt_Referencia", DateTimeType(), kNo),
          C("Cd_Produto", Int(), kNo),
          C("Vl_CustoMedio", Numeric(10, 4), kYes),
          C("Qt_Estoque", Numeric(10, 3), kYes),
          C("Vl_IcmsRecuperar", Numeric(10, 4), kYes),
      },
      .key = PrimaryKey{"XPKEstoqueConsolidado",
                       {"Cd_PessoaUsuaria", "Dt_Referencia", "Cd_Produto"}},
      .indexes = {
          Index{"XIF154EstoqueConsolidado", {"Cd_PessoaUsuaria"}},
          Index{"XIF155EstoqueConsolidado", {"Cd_PessoaUsuaria", "Cd_Produto"}},
          Index{"EstoqueConsolidado_01", {"Cd_PessoaUsuaria", "Dt_Referencia", "Qt_Estoque"}},
      },
      .references = {
          ForeignKey{"R_217", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"},
          ForeignKey{"R_216", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "CondEspecialPreco", .origin = TableOrigin::kBase,
      .columns = {
          C("Vl_Preco", MoneyType(), kYes, 92),
      },
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Produto"},
      .references = {ForeignKey{"Pro_ConEspPre", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"}},
  });

  tables.push_back({
      .name = "RestricaoDeVenda", .origin = TableOrigin::kCreatedByStep, .step = 70,
      .columns = {
          C("No_PermitirVenda", Int(), kYes),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Cliente", Int(), kNo),
          C("Cd_Produto", Int(), kNo),
      },
      .key = PrimaryKey{"XPKRestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Cliente", "Cd_Produto"}},
      .indexes = {
          Index{"XIF156RestricaoDeVenda", {"Cd_PessoaUsuaria"}},
          Index{"XIF157RestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Cliente"}},
          Index{"XIF158RestricaoDeVenda", {"Cd_PessoaUsuaria", "Cd_Produto"}},
      },
      .references = {
          ForeignKey{"R_219", {"Cd_PessoaUsuaria", "Cd_Cliente"}, "Cliente"},
          ForeignKey{"R_220", {"Cd_PessoaUsuaria", "Cd_Produto"}, "Produto"},
          ForeignKey{"R_218", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  return tables;
}

}  // namespace bp::testing
