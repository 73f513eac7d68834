// The ledger, payable, payment, expense and ledger-account tables of a
// version-500 station database, and the work tables of reports.
#include "catalogue/catalogue.h"

namespace bp::testing {

std::vector<CatalogueTable> FinancialTables() {
  using namespace schema;
  using namespace catalogue_data;
  std::vector<CatalogueTable> tables;

  tables.push_back({
      .name = "LanCaixaGeral", .origin = TableOrigin::kCreatedByStep, .step = 149,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_LancamentoCaixaGeral", Int(), kNo),
          C("Dt_Lancamento", DateTimeType(), kNo),
          C("Vl_Saldo", MoneyType(), kYes),
          C("Vl_Lancamento", MoneyType(), kYes),
          C("Ds_Historico", VarChar(200), kUnstated, 377),
          C("Ic_LancamentoFeitoPeloSistema", Bit(), kYes, 429),
          C("Cd_Caixa", Int(), kYes, 429),
      },
      .key = PrimaryKey{"XPKLanCaixaGeral", {"Cd_PessoaUsuaria", "No_LancamentoCaixaGeral"}},
      .indexes = {
          Index{"XIF187LanCaixaGeral", {"Cd_PessoaUsuaria"}},
          Index{"XIF220LanCaixaGeral", {"Cd_Caixa"}},
      },
      .references = {
          ForeignKey{"R_254", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_301", {"Cd_Caixa"}, "Caixa"},
      },
  });

  tables.push_back({
      .name = "LanCcBancaria", .origin = TableOrigin::kCreatedByStep, .step = 151,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_LanCcBancaria", Int(), kNo),
          C("Cd_Banco", SmallInt(), kNo),
          C("Cd_Agencia", SmallInt(), kNo),
          C("Cd_Conta", Int(), kNo),
          C("Cd_TipoLanCCBancaria", TinyInt(), kYes),
          C("Ic_Conciliado", Bit(), kNo),
          C("Dt_LanRealizado", DateTimeType(), kYes),
          C("Dt_LanPrevisto", DateTimeType(), kNo),
          C("Vl_Saldo", MoneyType(), kNo),
          C("Vl_Lancamento", MoneyType(), kNo),
          C("Id_Lancamento", VarChar(10), kYes),
          C("Ds_Historico", VarChar(200), kYes, 374),
          C("Nm_Favorecido", VarChar(50), kYes, 438),
      },
      .key = PrimaryKey{"XPKLanCcBancaria", {"Cd_PessoaUsuaria", "No_LanCcBancaria"}},
      .indexes = {
          Index{"XIF165LanCcBancaria", {"Cd_PessoaUsuaria", "Cd_Banco", "Cd_Agencia", "Cd_Conta"}},
          Index{"XIF166LanCcBancaria", {"Cd_TipoLanCCBancaria"}},
          Index{"XIF189LanCcBancaria", {"Cd_PessoaUsuaria"}},
      },
      .references = {
          ForeignKey{"R_256", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_231", {"Cd_TipoLanCCBancaria"}, "TipoLanCCBancaria"},
          ForeignKey{"R_230", {"Cd_PessoaUsuaria", "Cd_Banco", "Cd_Agencia", "Cd_Conta"}, "ConBan"},
      },
  });

  tables.push_back({
      .name = "TipoLanCCBancaria", .origin = TableOrigin::kBase,
      .columns = {
          C("Fl_PermitirFavorecido", Bit(), kYes, 438),
      },
  });

  tables.push_back({
      .name = "LanCCPessoa", .origin = TableOrigin::kCreatedByStep, .step = 121,
      .columns = {
          C("Cd_Pessoa", Int(), kNo),
          C("Dt_Lancamento", DateTimeType(), kNo),
          C("No_LancamentoCcPessoa", Int(), kNo),
          C("Ds_Historico", VarChar(60), kYes),
          C("Vl_Lancamento", MoneyType(), kYes),
          C("Vl_Saldo", MoneyType(), kYes),
          C("Tp_Lancamento", TinyInt(), kYes),
          C("Fl_Digitado", Bit(), kYes),
          C("Cd_SeqDespesa", Int(), kYes),
      },
      .key = PrimaryKey{"LanCCFuncionario_01",
                       {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"}},
      .indexes = {
          Index{"XIF327LanCCPessoa", {"Cd_Pessoa"}},
          Index{"XIF84LanCCPessoa", {"Cd_SeqDespesa"}},
          Index{"LanCCFuncionario_02", {"Cd_SeqDespesa"}},
      },
      .references = {
          ForeignKey{"R_228", {"Cd_Pessoa"}, "Pessoa"},
          ForeignKey{"Des_LanCCFun", {"Cd_SeqDespesa"}, "Despesa"},
      },
  });

  tables.push_back({
      .name = "RecebimentoPorLanCcBancaria", .origin = TableOrigin::kCreatedByStep, .step = 151,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_Recebimento", Int(), kNo),
          C("No_LanCcBancaria", Int(), kNo),
      },
      .key = PrimaryKey{"XPKRecebimentoPorLanCcBancaria",
                       {"Cd_PessoaUsuaria", "No_Recebimento", "No_LanCcBancaria"}},
      .indexes = {
          Index{"XIF178RecebimentoPorLanCcBancaria", {"Cd_PessoaUsuaria", "No_Recebimento"}},
          Index{"XIF179RecebimentoPorLanCcBancaria", {"No_LanCcBancaria", "Cd_PessoaUsuaria"}},
      },
      .references = {
          ForeignKey{"R_245", {"Cd_PessoaUsuaria", "No_LanCcBancaria"}, "LanCcBancaria"},
          ForeignKey{"R_244", {"Cd_PessoaUsuaria", "No_Recebimento"}, "Recebimento"},
      },
  });

  tables.push_back({
      .name = "ContaAPagar", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_ContasAPagar", Int(), kNo),
          C("No_Situacao", TinyInt(), kYes),
          C("Id_DocumentoFornecedor", VarChar(25), kYes),
          C("Cd_FPag", TinyInt(), kYes),
          C("No_CodigoBarras", VarChar(47), kYes),
          C("Qt_DiasProtesto", TinyInt(), kYes),
          C("Cd_BancoContaAPagar", SmallInt(), kYes),
          C("Dt_Vencimento", DateTimeType(), kYes),
          C("Vl_MoraDiaria", MoneyType(), kYes),
          C("Vl_Debito", MoneyType(), kYes),
          C("Vl_Acrescimo", MoneyType(), kYes),
          C("Vl_MoraMulta", MoneyType(), kYes),
          C("Vl_Descontos", MoneyType(), kYes),
          C("Vl_Pagamentos", MoneyType(), kYes),
          C("Vl_SaldoDebito", MoneyType(), kYes),
          C("No_SeqDespesa", Int(), kYes),
          C("Cd_Fornecedor", Int(), kNo),
          C("Cd_TipoContaAPagar", Int(), kNo),
      },
      .key = PrimaryKey{"ContasAPagar_01", {"Cd_PessoaUsuaria", "No_ContasAPagar"}},
      .indexes = {
          Index{"XIF122ContaAPagar", {"Cd_PessoaUsuaria"}},
          Index{"XIF123ContaAPagar", {"Cd_BancoContaAPagar"}},
          Index{"XIF128ContaAPagar", {"Cd_Fornecedor", "Cd_PessoaUsuaria"}},
          Index{"XIF180ContaAPagar", {"Cd_TipoContaAPagar"}},
          Index{"ContasAPagar_02", {"No_SeqDespesa"}},
      },
      .references = {
          ForeignKey{"R_246", {"Cd_TipoContaAPagar"}, "TipoContaAPagar"},
          ForeignKey{"R_162", {"Cd_BancoContaAPagar"}, "Banco"},
          ForeignKey{"R_158", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
          ForeignKey{"R_157", {"Cd_PessoaUsuaria", "Cd_Fornecedor"}, "Fornecedor"},
      },
  });

  tables.push_back({
      .name = "ContaAPagarDeDespesa", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_ContasAPagar", Int(), kNo),
          C("No_Despesa", Int(), kNo),
      },
      .key = PrimaryKey{"XPKContaAPagarDeDespesa",
                       {"Cd_PessoaUsuaria", "No_ContasAPagar", "No_Despesa"}},
      .indexes = {
          Index{"XIF177ContaAPagarDeDespesa", {"Cd_PessoaUsuaria", "No_ContasAPagar"}},
          Index{"XIF178ContaAPagarDeDespesa", {"Cd_PessoaUsuaria", "No_Despesa"}},
      },
      .references = {
          ForeignKey{"R_243", {"Cd_PessoaUsuaria", "No_Despesa"}, "Despesa"},
          ForeignKey{"R_242", {"Cd_PessoaUsuaria", "No_ContasAPagar"}, "ContaAPagar"},
      },
  });

  tables.push_back({
      .name = "ContaAPagarDeNotaEntrada", .origin = TableOrigin::kCreatedByStep, .step = 142,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_ContasAPagar", Int(), kNo),
          C("Cd_Fornecedor", Int(), kNo),
          C("Cd_TipoNF", TinyInt(), kNo),
          C("No_Nota", Int(), kNo),
      },
      .key = PrimaryKey{"XPKContaAPagarDeNotaEntrada",
                       {"Cd_PessoaUsuaria", "No_ContasAPagar", "Cd_Fornecedor", "Cd_TipoNF",
                           "No_Nota"}},
      .indexes = {
          Index{"XIF204ContaAPagarDeNotaEntrada", {"Cd_PessoaUsuaria", "No_ContasAPagar"}},
          Index{"XIF205ContaAPagarDeNotaEntrada",
                {"Cd_PessoaUsuaria", "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"}},
      },
      .references = {
          ForeignKey{"R_248",
                     {"Cd_PessoaUsuaria", "Cd_Fornecedor", "Cd_TipoNF", "No_Nota"},
                     "NotaEntrada"},
          ForeignKey{"R_247", {"Cd_PessoaUsuaria", "No_ContasAPagar"}, "ContaAPagar"},
      },
  });

  tables.push_back({
      .name = "TipoContaAPagar", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_TipoContaAPagar", Int(), kNo),
          C("Ds_ContaAPagar", VarChar(30), kYes),
      },
      .key = PrimaryKey{"XPKTipoContaAPagar", {"Cd_TipoContaAPagar"}},
  });

  tables.push_back({
      .name = "Pagamento", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Pagamento", Int(), kNo),
          C("Vl_Principal", MoneyType(), kNo),
          C("Vl_MoraOuMulta", MoneyType(), kNo),
          C("Vl_Pagamento", MoneyType(), kNo),
          C("Dt_Pagamento", DateTimeType(), kNo),
          C("No_PagamentoPor", Int(), kNo),
          C("No_PagamentoDe", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamento", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
      .indexes = {Index{"XIF167Pagamento", {"Cd_PessoaUsuaria"}}},
      .references = {ForeignKey{"R_232", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}},
  });

  tables.push_back({
      .name = "PagamentoDeConta", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_Pagamento", Int(), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("No_ContasAPagar", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamentoDeConta",
                       {"Cd_PessoaUsuaria", "No_ContasAPagar", "Cd_Pagamento"}},
      .indexes = {
          Index{"XIF168PagamentoDeConta", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
          Index{"XIF169PagamentoDeConta", {"Cd_PessoaUsuaria", "No_ContasAPagar"}},
      },
      .references = {
          ForeignKey{"R_234", {"Cd_PessoaUsuaria", "No_ContasAPagar"}, "ContaAPagar"},
          ForeignKey{"R_233", {"Cd_PessoaUsuaria", "Cd_Pagamento"}, "Pagamento"},
      },
  });

  tables.push_back({
      .name = "PagamentoDeDespesa", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Pagamento", Int(), kNo),
          C("No_Despesa", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamentoDeDespesa",
                       {"Cd_PessoaUsuaria", "No_Despesa", "Cd_Pagamento"}},
      .indexes = {
          Index{"XIF170PagamentoDeDespesa", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
          Index{"XIF171PagamentoDeDespesa", {"Cd_PessoaUsuaria", "No_Despesa"}},
      },
      .references = {
          ForeignKey{"R_236", {"Cd_PessoaUsuaria", "No_Despesa"}, "Despesa"},
          ForeignKey{"R_235", {"Cd_PessoaUsuaria", "Cd_Pagamento"}, "Pagamento"},
      },
  });

  tables.push_back({
      .name = "PagamentoPorCaixa", .origin = TableOrigin::kCreatedByStep, .step = 149,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Pagamento", Int(), kNo),
          C("Dt_Lancamento", DateTimeType(), kNo),
          C("No_LancamentoCaixaGeral", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamentoPorCaixa",
                       {"Cd_PessoaUsuaria", "Cd_Pagamento", "Dt_Lancamento",
                           "No_LancamentoCaixaGeral"}},
      .indexes = {
          Index{"XIF176PagamentoPorCaixa", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
          Index{"XIF188PagamentoPorCaixa",
                {"Cd_PessoaUsuaria", "Dt_Lancamento", "No_LancamentoCaixaGeral"}},
      },
      .references = {
          ForeignKey{"R_241", {"Cd_PessoaUsuaria", "Cd_Pagamento"}, "Pagamento"},
          ForeignKey{"R_255", {"Cd_PessoaUsuaria", "No_LancamentoCaixaGeral"}, "LanCaixaGeral"},
      },
  });

  tables.push_back({
      .name = "PagamentoPorLanCcBancaria", .origin = TableOrigin::kCreatedByStep, .step = 151,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Pagamento", Int(), kNo),
          C("No_LanCcBancaria", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamentoPorLanCcBancaria",
                       {"Cd_PessoaUsuaria", "Cd_Pagamento", "No_LanCcBancaria"}},
      .indexes = {
          Index{"XIF172PagamentoPorLanCcBancaria", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
          Index{"XIF173PagamentoPorLanCcBancaria", {"No_LanCcBancaria", "Cd_PessoaUsuaria"}},
      },
      .references = {
          ForeignKey{"R_238", {"Cd_PessoaUsuaria", "No_LanCcBancaria"}, "LanCcBancaria"},
          ForeignKey{"R_237", {"Cd_PessoaUsuaria", "Cd_Pagamento"}, "Pagamento"},
      },
  });

  tables.push_back({
      .name = "PagamentoPorLanCcPessoa", .origin = TableOrigin::kCreatedByStep, .step = 125,
      .columns = {
          C("Cd_Pessoa", Int(), kNo),
          C("Dt_Lancamento", DateTimeType(), kNo),
          C("No_LancamentoCcPessoa", Int(), kNo),
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_Pagamento", Int(), kNo),
      },
      .key = PrimaryKey{"XPKPagamentoPorLanCcPessoa",
                       {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa", "Cd_PessoaUsuaria",
                           "Cd_Pagamento"}},
      .indexes = {
          Index{"XIF174PagamentoPorLanCcPessoa",
                {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"}},
          Index{"XIF175PagamentoPorLanCcPessoa", {"Cd_PessoaUsuaria", "Cd_Pagamento"}},
      },
      .references = {
          ForeignKey{"R_240", {"Cd_PessoaUsuaria", "Cd_Pagamento"}, "Pagamento"},
          ForeignKey{"R_239",
                     {"Cd_Pessoa", "Dt_Lancamento", "No_LancamentoCcPessoa"},
                     "LanCCPessoa"},
      },
  });

  tables.push_back({
      .name = "Despesa", .origin = TableOrigin::kBase,
      .columns = {
          C("Dt_Inclusao", DateTimeType(), kYes, 312),
      },
      .named_columns = {"Cd_SeqDespesa"},
  });

  tables.push_back({
      .name = "ItemDespesa", .origin = TableOrigin::kBase,
      .columns = {
          C("Nm_HistoricoComplementar", VarChar(200), kYes, 354),
      },
  });

  tables.push_back({
      .name = "ContaContabil", .origin = TableOrigin::kBase,
      .columns = {
          C("Cd_ContaDRE", Int(), kYes, 111),
      },
      .named_columns = {"Cd_PessoaUsuaria", "Cd_Despesa", "Cd_Nivel1", "Cd_Nivel2", "Cd_Nivel3",
          "Cd_ContaContabil"},
      .removed_columns = {"Cd_Nivel4"},
      .key = PrimaryKey{"ContaContabil_02", {"Cd_PessoaUsuaria", "Cd_ContaContabil"}},
      .indexes = {
          Index{"XIF162ContaContabil", {"Cd_PessoaUsuaria", "Cd_ContaDRE"}},
          Index{"XIF138ContaContabil", {"Cd_Despesa"}},
          Index{"XIF26ContaContabil", {"Cd_PessoaUsuaria"}},
          Index{"ContaContabil_01", {"Cd_Nivel1", "Cd_Nivel2", "Cd_Nivel3"}},
      },
      .references = {
          ForeignKey{"R_226", {"Cd_PessoaUsuaria", "Cd_ContaDRE"}, "ContaDRE"},
          ForeignKey{"R_177", {"Cd_Despesa"}, "TipoDespesa"},
          ForeignKey{"EmpUsu_ConCon", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"},
      },
  });

  tables.push_back({
      .name = "ContaDRE", .origin = TableOrigin::kCreatedByStep, .step = 111,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Ds_ContaDRE", VarChar(25), kYes),
          C("Cd_ContaDRE", Int(), kNo),
      },
      .key = PrimaryKey{"XPKContaDRE", {"Cd_PessoaUsuaria", "Cd_ContaDRE"}},
      .indexes = {Index{"XIF161ContaDRE", {"Cd_PessoaUsuaria"}}},
      .references = {ForeignKey{"R_225", {"Cd_PessoaUsuaria"}, "EmpresaUsuaria"}},
  });

  tables.push_back({
      .name = "LanContaContabilConsolidado", .origin = TableOrigin::kCreatedByStep, .step = 117,
      .columns = {
          C("Cd_PessoaUsuaria", Int(), kNo),
          C("Cd_ContaContabil", Int(), kNo),
          C("No_Ano", Int(), kNo),
          C("No_Mes", Int(), kNo),
          C("Vl_Resultado", MoneyType(), kYes),
          C("Vl_Resultado01", MoneyType(), kYes),
          C("Vl_Resultado02", MoneyType(), kYes),
          C("Vl_Resultado03", MoneyType(), kYes),
          C("Vl_Resultado04", MoneyType(), kYes),
          C("Vl_Resultado05", MoneyType(), kYes),
          C("Vl_Resultado06", MoneyType(), kYes),
          C("Vl_Resultado07", MoneyType(), kYes),
          C("Vl_Resultado08", MoneyType(), kYes),
          C("Vl_Resultado09", MoneyType(), kYes),
          C("Vl_Resultado10", MoneyType(), kYes),
          C("Vl_Resultado11", MoneyType(), kYes),
          C("Vl_Resultado12", MoneyType(), kYes),
      },
      .key = PrimaryKey{"XPKLanContaContabilConsolidado",
                       {"Cd_PessoaUsuaria", "Cd_ContaContabil", "No_Ano", "No_Mes"}},
      .indexes = {
          Index{"XIF163LanContaContabilConsolidado", {"Cd_PessoaUsuaria", "Cd_ContaContabil"}},
      },
      .references = {
          ForeignKey{"R_227", {"Cd_PessoaUsuaria", "Cd_ContaContabil"}, "ContaContabil"},
      },
  });

  tables.push_back({
      .name = "TempRelPagamento1", .origin = TableOrigin::kCreatedByStep, .step = 361,
      .columns = {
          C("Ds_Origem", VarChar(100), kUnstated),
          C("Cd_Pessoa", Int(), kUnstated),
          C("Nm_Pessoa", VarChar(100), kUnstated),
          C("Dt_Pagamento", DateTimeType(), kUnstated),
          C("No_ContasAPagar", Int(), kUnstated),
          C("Dt_Vencimento", DateTimeType(), kUnstated),
          C("No_Nota", Int(), kUnstated),
          C("Id_DocumentoFornecedor", VarChar(50), kUnstated),
          C("Vl_Pagamento", Float(), kUnstated),
      },
  });

  tables.push_back({
      .name = "TempRelRecebimento4", .origin = TableOrigin::kCreatedByStep, .step = 398,
      .columns = {
          C("Nm_GrupoRecebimento", Collate(VarChar(40), "Latin1_General_CI_AS"), kYes),
          C("Nm_TipoRecebimento", Collate(VarChar(40), "Latin1_General_CI_AS"), kYes),
          C("Vl_SomaGrupo", MoneyType(), kYes),
          C("Vl_SomaTipo", MoneyType(), kYes),
          C("Vl_VendaTotal", MoneyType(), kYes),
          C("Tx_ParticipacaoDaFormaNoGrupo", MoneyType(), kYes),
          C("Tx_ParticipacaoDaFormaNaVenda", MoneyType(), kYes),
          C("Tx_ParticipacaoDoGrupoNaVenda", MoneyType(), kYes),
      },
  });

  tables.push_back({
      .name = "TempRelCaixa14", .origin = TableOrigin::kCreatedByStep, .step = 401,
      .columns = {
          C("Label1", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Label2", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Label3", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Label4", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Cd_Grupo", Collate(VarChar(5), "Latin1_General_CI_AS"), kUnstated),
          C("Nm_Grupo", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Cd_Item", Int(), kYes),
          C("Nm_Item", Collate(VarChar(80), "Latin1_General_CI_AS"), kUnstated),
          C("Valor1", MoneyType(), kYes),
          C("Valor2", MoneyType(), kYes),
          C("Valor3", MoneyType(), kYes),
      },
  });

  tables.push_back({
      .name = "TempContaAReceber10", .origin = TableOrigin::kCreatedByStep, .step = 415,
      .columns = {
          C("No_Grupo", Int(), kYes),
          C("Nm_Grupo", Collate(VarChar(200), "Latin1_General_CI_AS"), kYes),
          C("No_Lancamento", Int(), kYes),
          C("Label1", Collate(VarChar(100), "Latin1_General_CI_AS"), kYes),
          C("Ds_Lancamento", Collate(VarChar(200), "Latin1_General_CI_AS"), kYes),
          C("Vl_Lancamento", MoneyType(), kYes),
      },
  });

  tables.push_back({
      .name = "TempRelProduto5", .origin = TableOrigin::kCreatedByStep, .step = 441,
      .columns = {
          C("Cd_Produto1", Int(), kNo),
          C("Nm_Produto1", VarChar(40), kNo),
          C("Vl_Preco1", Float(), kYes),
          C("Cd_CodBarras1", VarChar(15), kYes),
          C("Cd_Produto2", Int(), kNo),
          C("Nm_Produto2", VarChar(40), kNo),
          C("Vl_Preco2", Float(), kYes),
          C("Cd_CodBarras2", VarChar(15), kYes),
          C("Cd_Produto3", Int(), kNo),
          C("Nm_Produto3", VarChar(40), kNo),
          C("Vl_Preco3", Float(), kYes),
          C("Cd_CodBarras3", VarChar(15), kYes),
      },
  });

  return tables;
}

}  // namespace bp::testing
