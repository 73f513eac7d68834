// The company, user, person and fiscal-printer tables of a version-500 station
// database.
#include "catalogue/catalogue.h"

namespace bp::testing {

std::vector<CatalogueTable> CompanyTables() {
  using namespace schema;
  using namespace catalogue_data;
  std::vector<CatalogueTable> tables;

  tables.push_back({
      .name = "EmpresaUsuaria", .origin = TableOrigin::kBase,
      .columns = {
          C("Vl_DespesaBoleta", MoneyType(), kYes, 21),
          C("Ic_BaixarAbastecimentoSemBaixaAutomatica", Bit(), kYes, 89),
          C("Qt_SegundosBaixarAbastecimentoSemBaixaAutomatica", Int(), kYes, 89),
          C("Cd_ContaContabilInadiplencia", Int(), kYes, 120),
          C("Ic_PermitirDescontoCF", Bit(), kUnstated, 157),
          C("Ic_ExigirDigitacaoContasAPagarNotaEntrada", Bit(), kYes, 160),
          C("Ic_ExigirDigitacaoContrapartidaDespesa", Bit(), kYes, 160),
          C("Ic_EmpresaPagaComissao", Bit(), kYes, 174),
          C("Tx_ComissaoPadrao", MoneyType(), kYes, 174),
          C("Cd_GrupoClientePadrao", Int(), kYes, 180),
          C("Ic_AceitarChClienteNaoAutorizado", Bit(), kYes, 186),
          C("Ic_AceitarChClienteCreditoADefinir", Bit(), kYes, 186),
          C("Ic_AceitarChPreClienteNaoCadastrado", Bit(), kYes, 186),
          C("Qt_MaximaTransfEmbalagem", Int(), kYes, 200),
          C("Ic_PermitirVisualizarRelRecebimentosNoCaixa", Bit(), kYes, 206),
          C("Ds_TextoFinalCF", VarChar(200), kYes, 210),
          C("Ic_UtilizaTransferenciaEmbalagem", Bit(), kUnstated, 212),
          C("No_TipoTelaInicialDeVendas", Int(), kYes, 255),
          C("Ic_PermitirSelecionarMuitosAbastecimentoNaBaixa", Bit(), kYes, 275),
          C("No_TipoImpressaoBoleta", SmallInt(), kYes, 379),
          C("Cd_BancoEmissaoBoleta", SmallInt(), kYes, 379),
          C("Tx_MargemTransferenciaEmbalagemMinima", MoneyType(), kYes, 389),
          C("Tx_MargemTransferenciaEmbalagemMaxima", MoneyType(), kYes, 389),
          C("Ic_LancarInadiplenciaPerdidaNoFechamentoDiario", Bit(), kYes, 395),
          C("Ic_LancarRecebimentosCaixaDeVendasNoCaixaGeral", Bit(), kYes, 429),
          C("Ic_AceitarClienteSemCpfOuCnpj", Bit(), kYes, 433),
          C("Vl_ContaAReceberAbaixoDesteDeveraCobrarDespesaBoleta", MoneyType(), kYes, 436),
          C("Ic_ExigirHodometroNaVenda", Bit(), kYes, 441),
          C("Ds_MensagemPDV", VarChar(90), kYes, 463),
          C("Ic_FazerSangriaDeDinheiroPorLancamento", Bit(), kNo, 469, 0),
          C("Ic_ConfirmarDiferencaGtEcfEmCupons", Bit(), kNo, 473, 0),
      },
      .named_columns = {"Cd_ModeloECF", "Cd_PessoaUsuaria"},
      .removed_columns = {"No_MetodoControleRespBomba", "Qt_MaxItens", "Qt_MaxPro", "Qt_MaxSer",
          "No_SeqDespesa", "No_SeqItemDespesa", "No_SeqLanCCFuncionario", "No_SeqLanCCBancaria",
          "No_SeqContasAPagar", "No_SeqLanBancoHoras", "Qt_DiasApNota", "Dt_UltimoDiaApNota",
          "No_MaxPagLF", "Qt_MaxConVenXCFEmitido", "Tp_ConRecFatCar", "Tp_ConRecFatBal",
          "Tp_ConRecFatBan", "Dt_InicialLmc", "Dt_UltimaVerificacaoConsistenciaDosDados",
          "Dt_UltimoDiaEnvioEMailCliente", "Qt_TamCodBarrasCracha",
          "Qt_MaximoPermitidoParaBancoHoras", "Ic_EmitirComprovanteVinculadoVendasACredito"},
      .indexes = {Index{"XIF203EmpresaUsuaria", {"Cd_GrupoClientePadrao"}}},
      .references = {ForeignKey{"R_279", {"Cd_GrupoClientePadrao"}, "GrupoCliente"}},
  });

  tables.push_back({
      .name = "PDV", .origin = TableOrigin::kCreatedByStep, .step = 475,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_PDV", Int(), kNo),
          C("Nm_PDV", VarChar(20), kYes),
          C("Nm_BancoDeDados", VarChar(50), kYes),
          C("Ds_InstanciaBancoDeDados", VarChar(50), kYes),
      },
      .key = PrimaryKey{"XPKPDV", {"Cd_PessoaUsuaria", "Cd_PDV"}},
      .indexes = {Index{"XIF222PDV", {"Cd_PessoaUsuaria"}}},
      .references = {ForeignKey{"R_304", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}},
  });

  tables.push_back({
      .name = "Usuario", .origin = TableOrigin::kBase,
      .columns = {
          C("Fl_DescontoAbastecimento", VarChar(1), kYes, 108),
          C("FlMPermitidoAfericoes", VarChar(1), kYes, 177),
      },
      .named_columns = {"Cd_PessoaUsuaria", "Nm_Usuario", "Ds_CriptoSenha"},
      .indexes = {
          Index{"Usuario_02",
                {"Cd_PessoaUsuaria", "Nm_Usuario", "Ds_CriptoSenha"},
                {}, true, false},
      },
  });

  tables.push_back({
      .name = "Pessoa", .origin = TableOrigin::kBase,
      .columns = {
          C("Dt_Inclusao", DateTimeType(), kYes, 245),
          C("Cd_IMunicipal", VarChar(14), kYes, 459),
          C("Ds_Complemento", VarChar(50), kYes, 469),
      },
  });

  tables.push_back({
      .name = "Funcionario", .origin = TableOrigin::kBase,
      .columns = {
          C("Cd_Agencia", VarChar(10), kUnstated, 440),
          C("Cd_Conta", VarChar(20), kUnstated, 440),
      },
  });

  tables.push_back({
      .name = "ECF", .origin = TableOrigin::kBase,
      .columns = Join({
          Slots(1, 16, {{"Tp_T", TinyInt()}, {"Al_T", MoneyType()}}, kYes, 158),
          Slots(17, 20, {{"Tp_T", TinyInt()}, {"Al_T", MoneyType()}}, kYes, 244),
          {
              C("Cd_ModeloECF", Int(), kYes, 256),
              C("No_Serie", VarChar(100), kUnstated, 277),
              C("No_SerieCriptografada", VarChar(32), kUnstated, 278),
              C("Ic_EmitirComprovanteVinculadoVendasACredito", Bit(), kUnstated, 286),
              C("Qt_ViasBobinaECF", Int(), kYes, 420),
              C("No_SerieCriptografadaBLOWFISH", VarChar(150), kYes, 462),
              C("Ds_GTotalCriptografado", VarChar(50), kYes, 470),
              C("Ic_ImprimirNomeCnpjEnderecoFinalCupom", Bit(), kNo, 475, 1),
              C("Ds_DataUsuarioCriptografado", VarChar(50), kYes, 476),
              C("Ds_DataSWBasicoCriptografado", VarChar(50), kYes, 476),
              C("Ds_MFAdicionalCriptografado", VarChar(50), kYes, 476),
              C("Ds_VersaoSoftwareBasicoCriptografado", VarChar(50), kYes, 500),
          },
      }),
      .named_columns = {"Cd_PessoaUsuaria", "No_Impressora"},
  });

  tables.push_back({
      .name = "IdentificacaoECF", .origin = TableOrigin::kCreatedByStep, .step = 470,
      .columns = {
          C("Cd_MarcaECF", Int(), kNo),
          C("Cd_Modelo", Int(), kNo),
          C("Cd_Versao", Int(), kNo),
          C("Ds_TipoECF", VarChar(20), kNo),
          C("Ds_MarcaECF", VarChar(30), kNo),
          C("Ds_ModeloECF", VarChar(40), kNo),
          C("Ds_VersaoSoftwareBasicoECF", VarChar(20), kNo),
      },
      .key = PrimaryKey{"PK_IdentificacaoECF", {"Cd_MarcaECF", "Cd_Modelo", "Cd_Versao"}, true},
  });

  tables.push_back({
      .name = "ReducaoZ", .origin = TableOrigin::kCreatedByStep, .step = 463,
      .columns = Join({
          {
              C("Cd_PessoaUsuaria", Int(), kNo),
              C("Dt_Movimento", DateTimeType(), kNo),
              C("No_Impressora", TinyInt(), kNo),
              C("No_ModoEmissaoReducaoZ", Int(), kYes),
              C("Qt_ContReducoes", Int(), kNo),
              C("Dt_EmissaoReducaoZ", DateTimeType(), kYes),
              C("No_OrdemUsuario", Int(), kYes),
              C("No_ContadorReinicioDeOperacao", Int(), kYes),
              C("No_ContadorReducaoZ", Int(), kYes),
              C("Qt_ContOperacoes", Int(), kYes),
              C("No_ContadorGeralOperacoesNaoFiscais", Int(), kYes),
              C("No_ContadorCupomFiscal", Int(), kYes),
              C("No_ContadorGeralRelatorioGerencial", Int(), kYes),
              C("No_ContadorFitaDetalheEmitida", Int(), kYes),
              C("No_ContadorOperacaoNaoFiscalCancelada", Int(), kYes),
              C("No_ContadorCupomFiscalCancelado", Int(), kYes),
              C("Ds_ContadorEspecificoOperacoesNaoFiscais", VarChar(120), kYes),
              C("Ds_ContadorEspecificoRelatoriosGerenciais", VarChar(120), kYes),
              C("No_ContadorComprovantesDebitoOuCredito", Int(), kYes),
              C("No_ContadorComprovantesDeDebitoOuCreditoNaoEmitidos", Int(), kYes),
              C("No_ContadorComprovantesDebitoOuCreditoCancelados", Int(), kYes),
              C("Vl_GTotalFinal", MoneyType(), kNo),
          },
          Slots(1, 20,
                {{"Tp_T", TinyInt()}, {"Vl_T", MoneyType()}, {"Al_T", MoneyType()}},
                kYes, 0),
          {
              C("Vl_IsentasICMS", MoneyType(), kYes),
              C("Vl_NaoIncidenciaICMS", MoneyType(), kYes),
              C("Vl_SubTribICMS", MoneyType(), kYes),
              C("Vl_IsentasISS", MoneyType(), kYes),
              C("Vl_NaoIncidenciaISS", MoneyType(), kYes),
              C("Vl_SubTribISS", MoneyType(), kYes),
              C("Vl_DescontosICMS", MoneyType(), kYes),
              C("Vl_DescontosISS", MoneyType(), kYes),
              C("Vl_AcrescimosICMS", MoneyType(), kYes),
              C("Vl_AcrescimosISS", MoneyType(), kYes),
              C("Vl_CancelamentosICMS", MoneyType(), kYes),
              C("Vl_CancelamentosISS", MoneyType(), kYes),
              C("Ds_TotalizadoresParciaisNaoSujeitosAoICMS", VarChar(392), kYes),
              C("Vl_TotalizadorSangria", MoneyType(), kYes),
              C("Vl_TotalizadorSuprimento", MoneyType(), kYes),
              C("Vl_TotalizadorCancelamentosNaoFiscais", MoneyType(), kYes),
              C("Vl_TotalizadorDescontosNaoFiscais", MoneyType(), kYes),
              C("Vl_TotalizadorAcrescimosNaoFiscais", MoneyType(), kYes),
              C("Ds_LetraIndicativaMemoriaAdicional", VarChar(5), kYes, 470),
              C("Ds_TipoECF", VarChar(7), kYes, 470),
              C("Ds_MarcaECF", VarChar(15), kYes, 470),
              C("Ds_ModeloECF", VarChar(20), kYes, 470),
              C("Dt_InstalacaoSoftwareECF", DateTimeType(), kYes, 470),
              C("No_CnpjEmpresaUsuariaECF", VarChar(20), kUnstated, 470),
              C("Cd_IEstadualEmpresaUsuariaECF", VarChar(20), kUnstated, 470),
              C("Ic_PermiteDescontoISS", Bit(), kYes, 470),
              C("Ds_VersaoSoftwareBasicoECF", VarChar(20), kUnstated, 500),
          },
      }),
      .key = PrimaryKey{"ReducaoZICF_01",
                       {"Cd_PessoaUsuaria", "Dt_Movimento", "No_Impressora"}, true},
      .references = {
          ForeignKey{"Ecf_ReducaoZ", {"Cd_PessoaUsuaria", "No_Impressora"}, "ECF"},
          ForeignKey{"EmpUsu_ReducaoZ", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "MapaResumoECF", .origin = TableOrigin::kBase,
      .columns = Join({
          Slots(17, 20,
                {{"Tp_T", TinyInt()}, {"Vl_T", MoneyType()}, {"Al_T", MoneyType()}},
                kYes, 244),
          {
              C("Vl_Acrescimos", MoneyType(), kYes, 286),
              C("No_ContadorReinicioDeOperacao", Int(), kYes, 463),
              C("Dt_EmissaoReducaoZ", DateTimeType(), kYes, 463),
              C("No_OrdemUsuario", Int(), kYes, 463),
          },
      }),
      .named_columns = {"Qt_ContReducoes"},
  });

  tables.push_back({
      .name = "ECFRegistro60Mestre", .origin = TableOrigin::kCreatedByStep, .step = 259,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Impressora", TinyInt(), kNo),
          C("Ds_ModeloECF", VarChar(5), kNo),
          C("Dt_Movimento", DateTimeType(), kNo),
          C("No_CupomFiscalFinal", Int(), kYes),
          C("No_CupomFiscalInicial", Int(), kYes),
          C("Ds_Transferiu", Char(1), kYes),
          C("Vl_GTotalFinal", MoneyType(), kYes),
          C("Vl_GTotalInicial", MoneyType(), kYes),
          C("No_ReinicioDaOperacao", Int(), kYes),
          C("Qt_ContReducoes", Int(), kYes),
      },
      .key = PrimaryKey{"XPKECFRegistro60Mestre",
                       {"Cd_PessoaUsuaria", "No_Impressora", "Dt_Movimento"}},
      .indexes = {Index{"XIF268ECFRegistro60Mestre", {"Cd_PessoaUsuaria", "No_Impressora"}}},
      .references = {ForeignKey{"R_288", {"Cd_PessoaUsuaria", "No_Impressora"}, "ECF"}},
  });

  tables.push_back({
      .name = "ECFRegistro60Analitico", .origin = TableOrigin::kCreatedByStep, .step = 259,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Impressora", TinyInt(), kNo),
          C("Ds_TipoRegistro", VarChar(4), kNo),
          C("Dt_Movimento", DateTimeType(), kNo),
          C("Vl_Cancelamentos", MoneyType(), kYes),
          C("Vl_Descontos", MoneyType(), kYes),
          C("Vl_PorAliquota", MoneyType(), kYes),
          C("Ds_Transferiu", Char(1), kYes),
      },
      .key = PrimaryKey{"XPKECFRegistro60Analitico",
                       {"Cd_PessoaUsuaria", "No_Impressora", "Ds_TipoRegistro", "Dt_Movimento"}},
      .references = {
          ForeignKey{"R_289",
                     {"Cd_PessoaUsuaria", "No_Impressora", "Dt_Movimento"},
                     "ECFRegistro60Mestre"},
      },
  });

  tables.push_back({
      .name = "LogDocumentoEmitidoECF", .origin = TableOrigin::kCreatedByStep, .step = 465,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Impressora", TinyInt(), kNo),
          C("Dt_Emissao", DateTimeType(), kNo),
          C("No_COO", Int(), kNo),
          C("Ds_TipoDocumento", VarChar(3), kNo),
          C("Dt_Inicio", DateTimeType(), kNo),
          C("No_ContadorGNF", Int(), kYes, 467),
          C("No_ContadorGRG", Int(), kYes, 467),
          C("No_ContadorCDC", Int(), kYes, 467),
          C("Dt_Fim", DateTimeType(), kNo, 468),
          C("Ic_Sangria", Bit(), kNo, 500, 0),
          C("Ic_Suprimento", Bit(), kNo, 500, 0),
          C("Vl_Documento", MoneyType(), kYes, 500),
      },
      .key = PrimaryKey{"PK_LogDocumentoEmitidoECF",
                       {"Cd_PessoaUsuaria", "No_Impressora", "Dt_Emissao", "No_COO"}, true},
      .references = {
          ForeignKey{"FK_LogDocumentoEmitidoECF_ECF", {"Cd_PessoaUsuaria", "No_Impressora"}, "ECF"},
      },
  });

  tables.push_back({
      .name = "FecDiario", .origin = TableOrigin::kBase,
      .columns = {
          C("Ds_Resultado", Text(), kYes, 53),
      },
  });

  return tables;
}

}  // namespace bp::testing
