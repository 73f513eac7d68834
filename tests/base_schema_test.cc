// The schema at version 18: what the version steps 19 onwards find in place.
// The expectations below are written from what the steps do (the tables they
// create, the columns they add, rename or drop, the keys and references they
// drop by name or point at), not from the base schema's own definition.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/schema/apply.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "support/db_checks.h"
#include "support/test_env.h"

namespace bp::schema {
namespace {

using Names = std::vector<std::string>;

Model BuildV18() {
  Model model;
  for (const auto& op : BaseSchemaV18()) model.Apply(op);
  for (const auto& op : SeedV18()) model.Apply(op);
  return model;
}

const Model& V18() {
  static const Model model = BuildV18();
  return model;
}

bool Has(const std::string& table, const std::string& column) {
  const Table* t = V18().Find(table);
  return t && FindColumn(*t, column);
}

const Index* IndexOf(const Table& table, const std::string& name) {
  for (const auto& index : table.indexes)
    if (SameName(index.name, name)) return &index;
  return nullptr;
}

const ForeignKey* ReferenceOf(const Table& table, const std::string& name) {
  for (const auto& fk : table.foreign_keys)
    if (SameName(fk.name, name)) return &fk;
  return nullptr;
}

TEST(BaseSchema, ReplaysWithItsSeedAndHoldsTheTablesTheStepsFind) {
  ASSERT_NO_THROW(BuildV18());
  // Present before step 19, rebuilt, dropped (and re-created), or only
  // referenced by the steps.
  for (const char* table :
       {"Parametro", "EmpresaUsuaria", "Usuario", "Pessoa", "Funcionario", "ECF",
        "MapaResumoECF", "FecDiario", "CupomFiscal", "ItemCupomFiscal", "NotaSaida",
        "ItemNotaSaida", "NotaEntrada", "ItemNotaEntrada", "CFOP", "TipoNF", "NaturezaProduto",
        "Lmc", "Bomba", "Abastecimento", "Tanque", "SisTubulacao", "Descarga",
        "EstoqueSisTubulacao", "Produto", "Cardex", "CondEspecialPreco", "Cliente",
        "ContaAReceber", "Recebimento", "ChequeEmLote", "ConsultaCheque", "TipoRecebimento",
        "ConPag", "Caixa", "TipoLanCCBancaria", "Despesa", "ItemDespesa", "ContaContabil",
        "LanCCFuncionario", "ContaAPagar", "Cartao", "Banco", "ConBan", "Fornecedor", "Funcao",
        "GrupoProduto", "TipoDespesa", "Veiculo"})
    EXPECT_NE(V18().Find(table), nullptr) << table;

  // Names PostgreSQL keeps whole (63 bytes at most).
  for (const Table* t : V18().Tables()) {
    Names names = {t->name};
    if (t->primary_key) names.push_back(t->primary_key->name);
    for (const auto& c : t->columns) names.push_back(c.name);
    for (const auto& i : t->indexes) names.push_back(i.name);
    for (const auto& f : t->foreign_keys) names.push_back(f.name);
    for (const auto& n : names) EXPECT_LE(n.size(), 63u) << t->name << "." << n;
  }
}

TEST(BaseSchema, TablesThatStepsCreateDoNotExistYet) {
  for (const char* table :
       {"ProdutoTransferencia", "ItemTransfEmbalagem", "EstoqueConsolidado", "RestricaoDeVenda",
        "ConciliacaoEstoqueTanques", "ContaDRE", "LanContaContabilConsolidado", "LanCCPessoa",
        "ContaAPagarDeDespesa", "LanCcBancaria", "Pagamento", "PagamentoDeConta",
        "PagamentoDeDespesa", "PagamentoPorCaixa", "PagamentoPorLanCcBancaria",
        "PagamentoPorLanCcPessoa", "TipoContaAPagar", "ContaAPagarDeNotaEntrada", "Empenho",
        "ItemEmpenho", "LanCaixaGeral", "RecebimentoPorLanCcBancaria", "AutomacaoBomba",
        "GrupoCliente", "GradeComissao", "TipoCartao", "TipoCartaoCliente",
        "VendaCartaoPorCupomFiscal", "LogLiberacaoBico", "IdentificacaoDoCliente",
        "ECFRegistro60Mestre", "ECFRegistro60Analitico", "TributosDespesa",
        "ConciliacaoEstoqueSisTubulacao", "TempRelPagamento1", "TempRelRecebimento4",
        "TempRelCaixa14", "TipoDivergenciaCaixa", "DivergenciaCaixa", "TempContaAReceber10",
        "ParametroLmc", "GrupoNBM", "LayoutCheque", "TempRelProduto5", "LayOutNotaFiscalSaida",
        "LayOutCamposNotaFiscalSaida", "ReducaoZ", "LogDocumentoEmitidoECF", "IdentificacaoECF",
        "PDV"})
    EXPECT_EQ(V18().Find(table), nullptr) << table;
}

TEST(BaseSchema, ColumnsThatStepsAddDoNotExistYet) {
  const std::vector<std::pair<std::string, Names>> added = {
      {"EmpresaUsuaria",
       {"Vl_DespesaBoleta", "Ic_BaixarAbastecimentoSemBaixaAutomatica",
        "Cd_ContaContabilInadiplencia", "Ic_PermitirDescontoCF", "Ic_EmpresaPagaComissao",
        "Tx_ComissaoPadrao", "Cd_GrupoClientePadrao", "Qt_MaximaTransfEmbalagem",
        "Ds_TextoFinalCF", "No_TipoTelaInicialDeVendas", "Ic_EmitirComprovanteVinculadoVendasACredito",
        "Cd_BancoEmissaoBoleta", "Ic_ExigirHodometroNaVenda", "Ic_FazerSangriaDeDinheiroPorLancamento",
        "Ic_ConfirmarDiferencaGtEcfEmCupons"}},
      {"ECF", {"Tp_T01", "Al_T01", "Al_T16", "Tp_T20", "Cd_ModeloECF", "No_SerieCriptografada",
               "Ic_EmitirComprovanteVinculadoVendasACredito", "Qt_ViasBobinaECF"}},
      {"MapaResumoECF", {"Tp_T17", "Vl_T20", "Vl_Acrescimos", "No_ContadorReinicioDeOperacao",
                         "Dt_EmissaoReducaoZ", "No_OrdemUsuario"}},
      {"CupomFiscal", {"Ic_BaixaAutomatica", "Vl_DescontoCF", "Cd_Vendedor", "Dt_Movimento",
                       "Id_Empenho", "Ic_Excluido", "Dt_Conclusao", "Vl_NaoTributadoICMS",
                       "No_ContadorCupomFiscal"}},
      {"ItemCupomFiscal", {"Qt_KmPorLitro", "Vl_ComissaoVendedor", "Vl_AltFinalCupom",
                           "Ic_Excluido", "No_SitTributaria", "No_TribIcms"}},
      {"NotaSaida", {"Vl_BasCalIcmsST", "Cd_Transportador", "Ic_Concluido", "Ic_Cancelada",
                     "Vl_OutrasDespesas", "Vl_IcmsStAnterior", "Ic_DestacadoIcmsST", "Vl_Frete"}},
      {"ItemNotaSaida", {"Cd_CfopItem", "Vl_IcmsStAnterior", "No_SitTributaria"}},
      {"ItemNotaEntrada", {"Vl_IcmsStAnterior", "Vl_BaseCalculoIcmsStAnterior", "No_SitTributaria"}},
      {"Produto", {"Vl_CustoMedioInicial", "Ic_PermitidoVenderFracaoDeUnidade", "Tx_IcmsStAnterior",
                   "Ic_Ativo", "Qt_DiferencaInventarioEstoque", "Cd_GrupoNBM",
                   "No_CalculoValorTotal", "No_TipoProducao", "No_SitTributaria", "No_TribIcms"}},
      {"Cardex", {"No_Item"}},
      {"Bomba", {"No_TipoControleResponsabilidade", "Fl_BloquearBico", "Tx_DescontoAbastecimento",
                 "No_Hodometro", "Ic_PermitirDigitacaoAbastecimento", "Qt_ReinicioAutomacao",
                 "Ds_Bomba", "Ds_Bico"}},
      {"Abastecimento", {"Ic_Afericao", "Cd_Cmc7", "Tx_DescontoAbastecimento", "No_Hodometro"}},
      {"Cliente", {"Ds_ObservacaoNfFatura", "No_RestricaoDeVenda", "Ic_DestacarIcmsST",
                   "Ic_ExigirHodometroNaVenda", "Cd_GrupoCliente", "No_LayOutArqImpCartoes"}},
      {"Caixa", {"Vl_SobraSangria", "Vl_FaltaSangria", "Vl_Suprimento", "Vl_DescontoCF",
                 "Vl_OutrosDebitos", "Vl_OutrosCreditos"}},
      {"ContaAReceber", {"Ds_Observacao", "Cd_PessoaAvalista", "Ic_Avalista"}},
      {"Recebimento", {"Ic_Suprimento", "Ic_AjusteTipoRecebimento"}},
      {"TipoRecebimento", {"Fl_PermitirTrocoNaVenda", "Ic_ExigirRecebimentoMesmoValorCompra"}},
      {"Usuario", {"Fl_DescontoAbastecimento", "FlMPermitidoAfericoes"}},
      {"Pessoa", {"Dt_Inclusao", "Cd_IMunicipal"}},
      {"Lmc", {"Ds_Observacao1", "Ds_Observacao5", "Ds_Precos"}},
      {"ConPag", {"Qt_DiasPrazo"}},
      {"TipoNF", {"No_LayOutNF"}},
      {"NaturezaProduto", {"Cd_CFOPRemessaConsertoEstadual", "Ic_DestacarIcmsST"}},
      {"ConsultaCheque", {"No_TipoConsulta0", "Ic_LiberadoComRestricoes"}},
      {"ContaContabil", {"Cd_ContaDRE"}},
      {"Despesa", {"Dt_Inclusao"}},
      {"FecDiario", {"Ds_Resultado"}},
      {"CondEspecialPreco", {"Vl_Preco"}},
      {"TipoLanCCBancaria", {"Fl_PermitirFavorecido"}},
  };
  for (const auto& [table, columns] : added)
    for (const auto& column : columns) EXPECT_FALSE(Has(table, column)) << table << "." << column;
}

TEST(BaseSchema, ColumnsThatStepsRemoveRenameOrRetypeExistInTheirOldForm) {
  const std::vector<std::pair<std::string, Names>> present = {
      {"EmpresaUsuaria",
       {"No_MetodoControleRespBomba", "Qt_MaxItens", "Qt_MaxPro", "Qt_MaxSer", "No_SeqDespesa",
        "No_SeqItemDespesa", "No_SeqLanCCFuncionario", "No_SeqLanCCBancaria",
        "No_SeqContasAPagar", "No_SeqLanBancoHoras", "Qt_DiasApNota", "Dt_UltimoDiaApNota",
        "No_MaxPagLF", "Qt_MaxConVenXCFEmitido", "Tp_ConRecFatCar", "Tp_ConRecFatBal",
        "Tp_ConRecFatBan", "Dt_InicialLmc", "Dt_UltimaVerificacaoConsistenciaDosDados",
        "Dt_UltimoDiaEnvioEMailCliente", "Qt_TamCodBarrasCracha",
        "Qt_MaximoPermitidoParaBancoHoras", "Cd_ModeloECF"}},
      {"NotaSaida", {"Cd_Funcionario", "Vl_DesAcr", "FL_Fechado", "Dt_Fechamento",
                     "Dt_EfeFechamento", "Cd_UsuarioEfeFechamento", "Tp_Nota", "Cd_Operacao"}},
      {"ItemNotaSaida", {"Vl_UnitTabela", "Vl_AltAut", "Vl_AltDig", "Fl_IssRetido",
                         "Cd_Abastecimento", "Cd_SisTubulacao", "Cd_Cfop"}},
      {"CupomFiscal", {"No_Cartao"}},
      {"TipoRecebimento", {"Cd_ContaContabilVendaAcertada", "Cd_ContaContabilVendaACredito",
                           "No_TipoPagamento"}},
      {"ContaContabil", {"Cd_Nivel4"}},
      {"Cliente", {"Cd_CarCob"}},
      {"Funcionario", {"Cd_Agencia", "Cd_Conta"}},
  };
  for (const auto& [table, columns] : present)
    for (const auto& column : columns) EXPECT_TRUE(Has(table, column)) << table << "." << column;

  // Dropping or re-typing them is refused while a key, index or reference
  // uses them; none does, except the fuelling and piping columns of
  // ItemNotaSaida, indexed and referenced until the table is rebuilt.
  for (const auto& [table, columns] : present)
    for (const auto& column : columns) {
      if (table == "ItemNotaSaida" && (column == "Cd_Abastecimento" || column == "Cd_SisTubulacao"))
        continue;
      Model copy = V18();
      EXPECT_NO_THROW(copy.Apply(DropColumn{table, column})) << table << "." << column;
    }

  // Step 19 renames the tax columns; step 21 widens the situation code of
  // three of the tables from two characters to three.
  for (const char* table : {"Produto", "ItemCupomFiscal", "ItemNotaSaida"}) {
    const Table& t = V18().Get(table);
    ASSERT_TRUE(FindColumn(t, v18::kSitTributaria)) << table;
    EXPECT_EQ(FindColumn(t, v18::kSitTributaria)->type, VarChar(2)) << table;
    EXPECT_TRUE(FindColumn(t, v18::kTribIcms)) << table;
  }
  EXPECT_TRUE(Has("ItemNotaEntrada", v18::kSitTributaria));

  // Re-typed or widened later: each holds a different, narrower type now.
  const auto type = [](const char* table, const char* column) {
    const Column* c = FindColumn(V18().Get(table), column);
    return c ? c->type : ColumnType{};
  };
  EXPECT_NE(type("Cliente", "Cd_CarCob"), Int());
  EXPECT_NE(type("Funcionario", "Cd_Agencia"), VarChar(10));
  EXPECT_NE(type("Funcionario", "Cd_Conta"), VarChar(20));
  for (auto [table, column, width] :
       {std::tuple{"ECF", "No_Serie", 100}, {"EmpresaUsuaria", "Ds_MensagemPDV", 90},
        {"Pessoa", "Ds_Complemento", 50}, {"ItemDespesa", "Nm_HistoricoComplementar", 200}}) {
    EXPECT_EQ(type(table, column).kind, ColumnType::Kind::kVarChar) << column;
    EXPECT_LT(type(table, column).length, width) << column;
  }
}

TEST(BaseSchema, KeysIndexesAndReferencesThatStepsDropOrRebuildExist) {
  const Model& m = V18();
  const Index* cardex = IndexOf(m.Get("Cardex"), "Cardex_03");
  ASSERT_TRUE(cardex);
  EXPECT_TRUE(SameNames(cardex->columns,
                        {"Cd_PessoaUsuaria", "Cd_Produto", "Dt_Emissao", "No_Tipo", "Nm_Doc"}));
  const Index* usuario = IndexOf(m.Get("Usuario"), "Usuario_02");
  ASSERT_TRUE(usuario);
  EXPECT_FALSE(usuario->unique);  // step 297 rebuilds it as unique

  // Step 21 rebuilds Produto: besides the two item tables it rebuilds first,
  // exactly the nine references it re-creates point to Produto.
  std::vector<std::pair<std::string, std::string>> to_produto;
  for (const Table* t : m.Tables())
    for (const auto& fk : t->foreign_keys)
      if (SameName(fk.ref_table, "Produto")) to_produto.emplace_back(t->name, fk.name);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Bomba", "Prod_Bom"},         {"Cardex", "R_149"},
      {"CondEspecialPreco", "Pro_ConEspPre"}, {"Descarga", "R_163"},
      {"EstoqueSisTubulacao", "Pro_EstSisTub"}, {"ItemCupomFiscal", "Pro_IteCupFis"},
      {"ItemNotaEntrada", "Pro_IteNotEnt"}, {"ItemNotaSaida", "Pro_IteNotSai"},
      {"Lmc", "Pro_Lmc"},            {"SisTubulacao", "Pro_SisTub"},
      {"Tanque", "R_199"}};
  EXPECT_EQ(to_produto, expected);

  // Tables that steps drop whole, or rebuild, are referenced by no other table.
  for (const Table* t : m.Tables())
    for (const auto& fk : t->foreign_keys)
      for (const char* dropped : {"ContaAPagar", "Cartao", "LanCCFuncionario", "ItemCupomFiscal",
                                  "ItemNotaSaida", "ItemNotaEntrada"})
        EXPECT_FALSE(SameName(fk.ref_table, dropped)) << t->name << "." << fk.name;

  // Keys, indexes and references that steps 19, 21, 117, 120, 121 and 157
  // drop and re-create by name.
  const std::vector<std::tuple<std::string, std::string, Names, Names>> named = {
      {"Abastecimento", "Abastecimento_01",
       {"XIF1Abastecimento", "XIF11Abastecimento", "XIF123Abastecimento", "XIF13Abastecimento",
        "XIF5Abastecimento", "Abastecimento_03", "Abastecimento_04"},
       {"R_161", "ConChe_Abas", "Cai_Aba", "Vei_Aba", "EmpUsu_Abas"}},
      {"ContaContabil", "ContaContabil_02",
       {"XIF138ContaContabil", "XIF26ContaContabil", "ContaContabil_01"},
       {"R_177", "EmpUsu_ConCon"}},
      {"ItemNotaEntrada", "ItemNotaEntrada_01",
       {"XIF143ItemNotaEntrada", "XIF146ItemNotaEntrada", "XIF79ItemNotaEntrada",
        "XIF80ItemNotaEntrada", "XIF81ItemNotaEntrada"},
       {"Pro_IteNotEnt", "R_207", "R_194", "Car_IteNotEnt", "NotEnt_IteNotEnt"}},
      {"ItemNotaSaida", "XPKItemNotaSaida",
       {"XIF70ItemNotaSaida", "XIF71ItemNotaSaida", "XIF74ItemNotaSaida"},
       {"Car_IteNotFis", "Pro_IteNotSai", "FK_ItemNotaSaida_NotaSaida"}},
      {"ItemCupomFiscal", "XPKItemCupomFiscal",
       {"XIF126ItemCupomFiscal", "XIF39ItemCupomFiscal", "XIF76ItemCupomFiscal",
        "XIF77ItemCupomFiscal", "XIF78ItemCupomFiscal"},
       {"R_165", "SisTub_IteCupFis", "Aba_IteCupFis", "CupFis_IteCupFis", "Pro_IteCupFis"}},
      {"Produto", "Produto_01",
       {"XIF105Produto", "XIF140Produto", "XIF260Produto", "XIF44Produto"},
       {"R_191", "R_148", "GruPro_Pro", "EmpUsu_Produto"}},
      {"LanCCFuncionario", "LanCCFuncionario_01", {"LanCCFuncionario_02"}, {"Des_LanCCFun"}},
  };
  for (const auto& [table, key, indexes, references] : named) {
    const Table& t = m.Get(table);
    ASSERT_TRUE(t.primary_key) << table;
    EXPECT_EQ(t.primary_key->name, key);
    for (const auto& i : indexes) EXPECT_TRUE(IndexOf(t, i)) << table << " " << i;
    for (const auto& r : references) EXPECT_TRUE(ReferenceOf(t, r)) << table << " " << r;
  }

  // ... while those that later steps add are not there yet.
  for (auto [table, name] :
       {std::pair{"Abastecimento", "Abastecimento_05"}, {"Abastecimento", "Abastecimento_11"},
        {"Abastecimento", "XIE4Abastecimento"}, {"CupomFiscal", "CupomFiscal_09"},
        {"CupomFiscal", "CupomFiscal_11"}, {"Cliente", "XIF153Cliente"},
        {"ContaContabil", "XIF162ContaContabil"}, {"ItemNotaSaida", "ItemNotaSaida_02"}})
    EXPECT_FALSE(IndexOf(m.Get(table), name)) << name;
  for (auto [table, name] :
       {std::pair{"EmpresaUsuaria", "R_279"}, {"Cliente", "R_215"}, {"ContaAReceber", "R_223"},
        {"ChequeEmLote", "R_229"}, {"ContaContabil", "R_226"}, {"NotaSaida", "R_221"},
        {"CupomFiscal", "R_263"}})
    EXPECT_FALSE(ReferenceOf(m.Get(table), name)) << name;
}

// A key that a reference of a later step points at: the referenced columns
// (with the referencing columns' types) must form the table's primary key or
// a unique index.
struct Target {
  const char* table;
  std::vector<std::pair<std::string, ColumnType>> columns;
};

TEST(BaseSchema, ReferencesOfLaterStepsFindTheirKeys) {
  const ColumnType kInt = Int();
  const std::string emp = "Cd_PessoaUsuaria";
  const std::vector<Target> targets = {
      {"EmpresaUsuaria", {{emp, kInt}}},
      {"ECF", {{emp, kInt}, {"No_Impressora", TinyInt()}}},
      {"Bomba", {{emp, kInt}, {"Cd_Bomba", TinyInt()}}},
      {"Veiculo", {{emp, kInt}, {"Cd_Veiculo", VarChar(8)}}},
      {"Funcionario", {{emp, kInt}, {"Cd_Funcionario", kInt}}},
      {"Tanque", {{emp, kInt}, {"No_Tanque", TinyInt()}}},
      {"SisTubulacao", {{emp, kInt}, {"Cd_SisTubulacao", TinyInt()}}},
      {"Produto", {{emp, kInt}, {"Cd_Produto", kInt}}},
      {"Cardex", {{emp, kInt}, {"Cd_LancamentoCardex", kInt}}},
      {"Cliente", {{emp, kInt}, {"Cd_Cliente", kInt}}},
      {"ConPag", {{emp, kInt}, {"Cd_Pag", kInt}}},
      {"CupomFiscal", {{emp, kInt}, {"No_Impressora", TinyInt()}, {"No_CupomFiscal", kInt},
                       {"Dt_Emissao", DateTimeType()}}},
      {"Recebimento", {{emp, kInt}, {"No_Recebimento", kInt}}},
      {"Caixa", {{"Cd_Caixa", kInt}}},
      {"Pessoa", {{"Cd_Pessoa", kInt}}},
      {"CFOP", {{"Cd_Cfop", kInt}}},
      {"Banco", {{"Cd_Banco", SmallInt()}}},
      {"ConBan", {{emp, kInt}, {"Cd_Banco", SmallInt()}, {"Cd_Agencia", SmallInt()},
                  {"Cd_Conta", kInt}}},
      {"TipoLanCCBancaria", {{"Cd_TipoLanCCBancaria", TinyInt()}}},
      {"Fornecedor", {{emp, kInt}, {"Cd_Fornecedor", kInt}}},
      {"Despesa", {{emp, kInt}, {"No_Despesa", kInt}}},
      {"Despesa", {{"Cd_SeqDespesa", kInt}}},
      {"NotaEntrada", {{emp, kInt}, {"Cd_Fornecedor", kInt}, {"Cd_TipoNF", TinyInt()},
                       {"No_Nota", kInt}}},
      {"ContaContabil", {{emp, kInt}, {"Cd_ContaContabil", kInt}}},
      {"Funcao", {{"Cd_Funcao", kInt}}},
      {"GrupoProduto", {{"Cd_GrupoProduto", kInt}}},
  };
  for (const auto& target : targets) {
    const Table& t = V18().Get(target.table);
    Names names;
    for (const auto& [name, type] : target.columns) {
      names.push_back(name);
      const Column* c = FindColumn(t, name);
      ASSERT_TRUE(c) << target.table << "." << name;
      EXPECT_EQ(c->type, type) << target.table << "." << name;
    }
    const auto same_set = [&](const Names& key) {
      if (key.size() != names.size()) return false;
      for (const auto& n : names)
        if (std::none_of(key.begin(), key.end(), [&](const auto& k) { return SameName(k, n); }))
          return false;
      return true;
    };
    bool found = t.primary_key && same_set(t.primary_key->columns);
    for (const auto& index : t.indexes) found = found || (index.unique && same_set(index.columns));
    EXPECT_TRUE(found) << target.table << " has no key on " << names.front() << "...";
  }
}

// CNPJ check digits: weights 5..2,9..2 then 6..2,9..2, remainder below 2 -> 0.
bool ValidCnpj(const std::string& masked) {
  std::string d;
  for (char c : masked)
    if (c >= '0' && c <= '9') d += c;
  if (d.size() != 14) return false;
  const auto digit = [&](size_t n) {
    int sum = 0;
    for (size_t i = 0; i < n; ++i) sum += (d[i] - '0') * static_cast<int>((n - 1 - i) % 8 + 2);
    return sum % 11 < 2 ? 0 : 11 - sum % 11;
  };
  return digit(12) == d[12] - '0' && digit(13) == d[13] - '0';
}

// State registration of São Paulo: twelve digits, check digits 9 and 12.
bool ValidIeSp(const std::string& masked) {
  std::string d;
  for (char c : masked)
    if (c >= '0' && c <= '9') d += c;
  if (d.size() != 12) return false;
  const auto digit = [&](std::vector<int> weights) {
    int sum = 0;
    for (size_t i = 0; i < weights.size(); ++i) sum += (d[i] - '0') * weights[i];
    return sum % 11 % 10;
  };
  return digit({1, 3, 4, 5, 6, 7, 8, 10}) == d[8] - '0' &&
         digit({3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2}) == d[11] - '0';
}

TEST(BaseSchema, SeedWritesVersion18AndAValidDemoCompany) {
  EXPECT_TRUE(ValidCnpj("11.222.333/0001-81"));  // the checks themselves
  EXPECT_FALSE(ValidCnpj("11.222.333/0001-82"));
  EXPECT_TRUE(ValidIeSp("110.042.490.114"));
  EXPECT_FALSE(ValidIeSp("110.042.490.115"));

  const SeedOptions options;
  EXPECT_TRUE(ValidCnpj(options.cnpj)) << options.cnpj;
  EXPECT_TRUE(ValidIeSp(options.state_registration)) << options.state_registration;

  const auto seeds = SeedV18(options);
  const auto* parametro = std::get_if<SeedRows>(&seeds.front());
  ASSERT_TRUE(parametro);
  EXPECT_EQ(parametro->table, "Parametro");
  ASSERT_EQ(parametro->rows.size(), 1u);
  EXPECT_EQ(parametro->rows[0][0].ToInt32(), 18);
  bool company = false;
  for (const auto& op : seeds)
    if (const auto* rows = std::get_if<SeedRows>(&op); rows && rows->table == "EmpresaUsuaria")
      company = rows->rows.size() == 1 && rows->rows[0][0].ToInt32() == options.company;
  EXPECT_TRUE(company);
}

TEST(BaseSchema, CreatesARealSQLiteDatabaseEqualToTheModel) {
  testing::TestEnv env;
  auto db = db::Connection::Open(env.Path("v18.db"));
  Model model;
  db->BeginTrans("BaseSchemaV18");
  for (const auto& op : BaseSchemaV18()) Apply(*db, model, op);
  for (const auto& op : SeedV18()) Apply(*db, model, op);
  db->CommitTrans("BaseSchemaV18");

  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db), db->Kind()), "");
  auto version = db->Query("SELECT No_VersaoBD FROM Parametro");
  ASSERT_EQ(version.RecordCount(), 1);
  EXPECT_EQ(version.Field("No_VersaoBD").ToInt32(), 18);
  auto company = db->Query(
      "SELECT p.Cd_CgcCpf FROM EmpresaUsuaria e JOIN Pessoa p ON p.Cd_Pessoa = e.Cd_PessoaUsuaria");
  ASSERT_EQ(company.RecordCount(), 1);
  EXPECT_EQ(company.Field("Cd_CgcCpf").ToText(), SeedOptions{}.cnpj);
  // References hold: a nozzle of an unknown product is refused.
  const Erro refused = testing::FailureOf([&] {
    db->Execute("INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
                "VALUES (1, 1, '01', 99)");
  });
  EXPECT_EQ(refused.number, db::kErroIntegridade) << refused.description;
}

}  // namespace
}  // namespace bp::schema
