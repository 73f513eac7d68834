// The performance indexes that steps 453, 459, 465, 466 and 470 add to the
// busiest tables (fuelings, the stock card, coupons and their items, entry
// and output invoices, receipts), several of them carrying non-key columns so that
// the frequent queries are answered from the index alone.
#include <algorithm>
#include <string_view>

#include "schema/steps/steps_445_500_parts.h"

namespace bp::schema::s445 {

namespace {

// The names of a comma-separated list.
std::vector<std::string> Names(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const size_t comma = std::min(list.find(','), list.size());
    std::string_view name = list.substr(0, comma);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    names.emplace_back(name);
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
  return names;
}

// Both indexes look fuelings up by nozzle, with its counter and end time.
Index NozzleFuelings(const char* name) {
  return {name, {kEmp, "De_EnderecoLogicoBico"}, {"No_Contador", "Dt_Termino", "Cd_Abastecimento"}};
}

// Every column of the coupon but its two key columns, carried by
// CupomFiscal_15 (PostgreSQL keeps the first ones that fit its limit).
const std::vector<std::string> kCupomFiscal15Included = Names(
    "Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Hr_Emissao, Vl_TotProd, "
    "Vl_BasCalIcms, Vl_Icms, Vl_TotSer, Vl_BasCalIss, Vl_Iss, Vl_Total, Vl_DesAcr, "
    "Vl_IssRetido, Tp_Venda, Cd_Veiculo, No_Km, Tp_ImpNf, No_NF, Dt_Fechamento, "
    "FL_Fechada, Cd_ContaAReceber, Dt_Vencimento, Cd_Cfop, Cd_Caixa, Dt_EfeFechamento, "
    "Cd_FuncionarioEfeFechamento, Nm_IdCliente, Tx_Iss, Fl_IssRetido, Vl_GTotal, "
    "Qt_ContReducoes, Vl_Isentas, Vl_SubTrib, Vl_Cancelamentos, Id_CampoExtraCF, "
    "Ic_CupomConcluido, Cd_SequenciaNotaServico, Cd_SequenciaNotaCupom, Cd_Cliente, "
    "No_Requisicao, Ic_BaixaAutomatica, Vl_DescontoCF, Cd_Vendedor, Dt_Movimento, "
    "Id_Empenho");

// Every column of the coupon item but its two key columns, as they stood
// when the index was made.
const std::vector<std::string> kItemCupomFiscal02Included = Names(
    "No_Impressora, No_CupomFiscal, No_Item, Cd_Produto, Qt_Unidade, Vl_UnitTabela, "
    "Vl_UnitVenda, Vl_AltAut, Vl_AltDig, No_SitTributaria, Cd_Unidade, Tx_Icms, "
    "Tx_BaseCalculo, No_TribIcms, Cd_SisTubulacao, Cd_PonVen, Cd_CFOP, Cd_CompCFOP, "
    "Cd_Abastecimento, Cd_LancamentoCardex, Cd_Bomba, Qt_KmPorLitro, Vl_ComissaoVendedor, "
    "Vl_AltFinalCupom");

const std::vector<std::string> kItemNotaSaida02Included = Names(
    "Cd_PessoaUsuaria, No_Nota, Cd_TipoNF, No_Item, Cd_Produto, Qt_Unidade, Vl_UnitVenda, "
    "No_SitTributaria, Tx_Icms, Cd_CompCFOP, Tx_BaseCalculo, No_TribIcms, "
    "Cd_LancamentoCardex, Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior");

// Every column of the entry item but the tax-situation code, in the order of
// the table as step 324 rebuilt it.
const std::vector<std::string> kItemNotaEntrada02Included = Names(
    "No_Entrada, Cd_ProdutoItem, Qt_UnidadeItem, Tx_Icms, Vl_UnitNota, Vl_Despesas, "
    "Vl_Frete, Vl_CredIcms, Vl_UnitFinal, Cd_CfopItem, Cd_LancamentoCardex, Vl_IpiItem, "
    "Tx_IPI, Vl_IcmsSTItem, No_Item, Cd_PessoaUsuaria, Vl_DescontoItem, Tx_DescontoItem, "
    "Vl_TotalItem, Vl_RateioAcrescimoGeral, Vl_RateioDescontoGeral, Cd_Cfop, "
    "Vl_IcmsStAnterior, Vl_BaseCalculoIcmsStAnterior");

const std::vector<std::string> kRecebimento06Included = Names(
    "Cd_PessoaUsuaria, No_Recebimento, Cd_TipoRecebimento, Cd_Cmc7Rec, Cd_BancoRec, "
    "Cd_AgenciaRec, Cd_ContaRec, Nm_IdDocumentoRec, Tp_Operacao, Cd_Tipo0, Cd_Tipo1, "
    "Cd_CgcCpf0, Cd_CgcCpf1, Dt_Recebimento, Vl_Recebimento, Qt_DiasAtraso, "
    "Vl_Amortizacao, Vl_JurosRec, Tx_MoraRec, Dt_Lancamento, Cd_Caixa, No_Sangria, "
    "Ic_Suprimento, Ic_AjusteTipoRecebimento");

}  // namespace

const std::vector<TableIndex>& IndexesOfStep453() {
  static const std::vector<TableIndex> list = {
      {"Abastecimento", NozzleFuelings("Abastecimento_06")},
      {"Abastecimento", {"Abastecimento_07", {kEmp, "Qt_Litros"}}},
      {"Abastecimento",
       {"Abastecimento_08", {"Tp_OrigemRegistro", "Dt_Termino"}, {"De_EnderecoLogicoBico"}}},
      {"Abastecimento",
       {"Abastecimento_09",
        {kEmp, "De_EnderecoLogicoBico", "Dt_Termino"},
        {"No_Contador", "No_EncerranteFechamento"}}},
      {"Abastecimento",
       {"Abastecimento_10", {kEmp, "Dt_Termino"}, {"Vl_Total", "De_EnderecoLogicoBico"}}},
      {"Cardex",
       {"Cardex_04", {kEmp, "No_Tipo", "Cd_Produto"}, {"Cd_LancamentoCardex", "Dt_Emissao"}}},
      {"CupomFiscal",
       {"CupomFiscal_12", {kEmp, "FL_Fechada", "Cd_Cliente", "Tp_Venda"}, {"Vl_TotalLiquido"}}},
      {"CupomFiscal",
       {"CupomFiscal_13", {kEmp, "No_Impressora", "Dt_Emissao"}, {"No_CupomFiscal", "Hr_Emissao"}}},
      {"CupomFiscal",
       {"CupomFiscal_14",
        {kEmp, "Dt_Emissao", "Vl_TotalLiquido", "Tp_Venda"},
        {"No_Impressora", "No_CupomFiscal", "Cd_Caixa"}}},
      {"CupomFiscal",
       {"CupomFiscal_15", {"Dt_Emissao", "Vl_TotalLiquido"}, kCupomFiscal15Included}},
      {"ItemCupomFiscal",
       {"CupomFiscal_16", {"Dt_Emissao"}, {kEmp, "No_Impressora", "No_CupomFiscal"}}},
      {"CupomFiscal",
       {"CupomFiscal_17",
        {"FL_Fechada", "Tp_Venda"},
        {"No_Impressora", "No_CupomFiscal", "Dt_Emissao", "Vl_TotalLiquido", "Cd_Veiculo", "No_Km",
         "Dt_Fechamento", "Cd_ContaAReceber", "Dt_Vencimento", "Nm_IdCliente", "Cd_Cliente"}}},
      {"CupomFiscal",
       {"CupomFiscal_18",
        {kEmp, "FL_Fechada", "Cd_ContaAReceber", "Tp_Venda", "Dt_Fechamento"},
        {"Vl_TotalLiquido", "Dt_Vencimento", "Cd_Cliente"}}},
      {"ItemCupomFiscal",
       {"ItemCupomFiscal_01", {"Qt_KmPorLitro"}, {kEmp, "No_CupomFiscal", "Dt_Emissao"}}},
      {"ItemCupomFiscal", {"ItemCupomFiscal_02", {kEmp, "Dt_Emissao"}, kItemCupomFiscal02Included}},
      {"ItemCupomFiscal",
       {"ItemCupomFiscal_03",
        {kEmp, "No_Impressora", "Cd_Produto"},
        {"No_CupomFiscal", "Dt_Emissao", "Qt_Unidade", "Vl_UnitVenda", "Tx_Icms", "Tx_BaseCalculo",
         "No_TribIcms"}}},
      {"ItemCupomFiscal",
       {"ItemCupomFiscal_04",
        {kEmp, "Cd_Produto"},
        {"No_Impressora", "No_CupomFiscal", "Dt_Emissao", "Qt_Unidade", "Vl_UnitVenda", "Tx_Icms",
         "Tx_BaseCalculo", "No_TribIcms"}}},
      {"ItemNotaSaida", {"Item_01", {"No_Nota"}}},
      {"ItemNotaSaida", {"Item_02", {"Cd_Produto"}}},
      {"ItemNotaSaida", {"ItemNotaSaida_01", {"Cd_LancamentoCardex"}}},
      {"NotaEntrada", {"NotaEntrada_03", {kEmp, "Dt_Entrega"}}},
      {"ItemNotaEntrada", {"ItemNotaEntrada_02", {"No_SitTributaria"}, kItemNotaEntrada02Included}},
      {"Recebimento", {"Recebimento_02", {"No_Recebimento"}, {"Vl_Recebimento"}}},
      {"Recebimento",
       {"Recebimento_03",
        {"Cd_CgcCpf0", "Dt_Recebimento"},
        {"Cd_TipoRecebimento", "Vl_Recebimento"}}},
      {"Recebimento",
       {"Recebimento_04",
        {"Cd_CgcCpf1", "Dt_Recebimento"},
        {"Cd_TipoRecebimento", "Vl_Recebimento"}}},
  };
  return list;
}

const TableIndex& IndexOfStep459() {
  static const TableIndex index{"Abastecimento", NozzleFuelings("Abastecimento_11")};
  return index;
}

const std::vector<TableIndex>& IndexesOfStep465() {
  static const std::vector<TableIndex> list = {
      {"Cardex",
       {"Cardex_05", {kEmp, "No_Tipo", "Cd_Produto"}, {"Cd_LancamentoCardex", "Dt_Emissao"}}},
      {"Cardex", {"Cardex_06", {kEmp, "No_Tipo", "Cd_Produto"}, {"Dt_Emissao", "Vl_Unitario"}}},
      {"CupomFiscal",
       {"CupomFiscal_19",
        {kEmp, "Cd_Veiculo", "Dt_Fechamento", "FL_Fechada", "Tp_Venda"},
        {"Vl_TotalLiquido"}}},
      {"ItemCupomFiscal", {"ItemCupomFiscal_05", {"Dt_Emissao", "Cd_Abastecimento"}}},
      {"Recebimento",
       {"Recebimento_05",
        {kEmp, "Tp_DocDebito", "Ic_Suprimento", "Dt_Lancamento"},
        {"No_Recebimento"}}},
  };
  return list;
}

const std::vector<TableIndex>& IndexesOfStep466() {
  static const std::vector<TableIndex> list = {
      {"Abastecimento", NozzleFuelings("Abastecimento_12")},
      {"Cardex", {"Cardex_07", {kEmp, "Dt_Emissao", "No_Tipo", "Cd_SisTubulacao"}, {"Qt_Unidade"}}},
      {"Cardex",
       {"Cardex_08",
        {kEmp, "Cd_Produto", "Dt_Emissao"},
        {"Cd_LancamentoCardex", "Qt_Estoque", "Vl_CustoMedio", "Vl_CredIcmsMedio"}}},
      {"CupomFiscal", {"CupomFiscal_20", {kEmp, "No_NF"}, {"No_Impressora", "No_CupomFiscal"}}},
      {"ItemCupomFiscal",
       {"ItemCupomFiscal_06",
        {kEmp, "No_Impressora"},
        {"No_CupomFiscal", "Dt_Emissao", "Qt_Unidade", "No_TribIcms", "Vl_AltFinalCupom"}}},
      {"ItemNotaSaida", {"ItemNotaSaida_02", {"Cd_CfopItem"}, kItemNotaSaida02Included}},
  };
  return list;
}

const std::vector<TableIndex>& IndexesOfStep470() {
  static const std::vector<TableIndex> list = {
      {"Cardex", {"Cardex_09", {kEmp, "Cd_Produto"}, {"No_Tipo", "Qt_Unidade"}}},
      {"ItemCupomFiscal", {"Cardex_10", {"Cd_LancamentoCardex"}}},
      {"CupomFiscal", {"CupomFiscal_21", {"Dt_Movimento"}, {"Qt_ContReducoes"}}},
      {"Recebimento", {"Recebimento_06", {"Tp_DocDebito", "No_DocDebito"}, kRecebimento06Included}},
  };
  return list;
}

}  // namespace bp::schema::s445
