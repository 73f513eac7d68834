// The enumerations that the BP type library publishes, with the exact member
// names and values that hosts, database columns and the station's other
// programs exchange.
//
// Each enumeration is written once, as an X-macro list of (member, value) in
// published order. That one list produces both the C++ type (a distinct
// 32-bit `enum class`, so No_PortaECFEnum::Com1 and No_PortaSerialEnum::Com1
// never mix) and its reflection record (name, members, values) used by
// `posto classes` and by the tests.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

// clang-format off
#define BP_ENUM_CdBancoDadosEnum(X) \
  X(BancoDadosAcess1997, 11) X(BancoDadosAcess2000, 12) X(BancoDadosSqlServer2000, 21)
#define BP_ENUM_NmDllDALEnum(X) \
  X(DALnv4AdoSqlAnsiEnum, 1)
#define BP_ENUM_NmModeloECFEnum(X) \
  X(ModeloECFNenhum, 0) X(ModeloECFBematechMP20FI, 1) X(ModeloECFBematechMP20FI2, 2)
#define BP_ENUM_CdModeloAutomacaoBombasEnum(X) \
  X(ModeloAutomacaoBombasNenhuma, 0) X(ModeloAutomacaoBombasCBC04, 1)
#define BP_ENUM_TpAlteracaoPreco(X) \
  X(TpAlteracaoPrecoDesconto, 0) X(TpAlteracaoPrecoAcrescimo, 1)
#define BP_ENUM_TpDesconto(X) \
  X(TpDescontoEmPercentual, 0) X(TpDescontoEmValor, 1)
#define BP_ENUM_TpAcrescimo(X) \
  X(TpAcrescimoEmPercentual, 0) X(TpAcrescimoEmValor, 1)
#define BP_ENUM_Tp_EdicaoEnum(X) \
  X(Tp_EdicaoOmitido, 0) X(Tp_EdicaoInclusao, 1) X(Tp_EdicaoAlteracao, 2) \
  X(Tp_EdicaoConsulta, 3) X(Tp_EdicaoExclusao, 4)
#define BP_ENUM_Tp_PessoaEnum(X) \
  X(Tp_PessoaNaoDefinida, 0) X(Tp_PessoaFisica, 1) X(Tp_PessoaJuridica, 2)
#define BP_ENUM_Fl_OpcaoSenhaEnum(X) \
  X(Fl_OpcaoPermitida, 1) X(Fl_OpcaoProibida, 0)
#define BP_ENUM_Cd_SituacaoEnum(X) \
  X(Cd_SituacaoAberto, 1) X(Cd_SituacaoFechado, 2) X(Cd_SituacaoConferido, 3)
#define BP_ENUM_Tp_IndiceColecaoBombaEnum(X) \
  X(Tp_IndiceColecaoBombaCdBomba, 1) X(Tp_IndiceColecaoBombaDeLogica, 2)
#define BP_ENUM_Fl_TipoPedidoFeitoAutomacaoEnum(X) \
  X(Fl_FoiPedidoOProximo, 1) X(Fl_FoiPedidoPorNumero, 2)
#define BP_ENUM_Tp_OrigemRegistroEnum(X) \
  X(Tp_OrigemRegistroAutomacao, 1) X(Tp_OrigemRegistroGerado, 2) X(Tp_OrigemRegistroDigitado, 3)
#define BP_ENUM_Tp_TotalizadorECFEnum(X) \
  X(No_TotalizadorECFIcms, 0) X(No_TotalizadorECFIss, 1)
#define BP_ENUM_Tp_SaidaEnum(X) \
  X(Tp_SaidaEncerranteInicial, 0) X(Tp_SaidaVendas, 11) X(Tp_SaidaAfericoes, 91)
#define BP_ENUM_Ic_TipoAliquotaEnum(X) \
  X(Ic_TipoAliquotaICMS, 0) X(Ic_TipoAliquotaISS, 1)
#define BP_ENUM_No_ImpactoImpressaoEnum(X) \
  X(No_ImpactoImpressaoFraco, 1) X(No_ImpactoImpressaoMedio, 2) X(No_ImpactoImpressaoForte, 3)
#define BP_ENUM_No_TotalizadorECFEnum(X) \
  X(No_TotalizadorECF01, 1) X(No_TotalizadorECF02, 2) X(No_TotalizadorECF03, 3) \
  X(No_TotalizadorECF04, 4) X(No_TotalizadorECF05, 5) X(No_TotalizadorECF06, 6) \
  X(No_TotalizadorECF07, 7) X(No_TotalizadorECF08, 8) X(No_TotalizadorECF09, 9) \
  X(No_TotalizadorECF10, 10) X(No_TotalizadorECF11, 11) X(No_TotalizadorECF12, 12) \
  X(No_TotalizadorECF13, 13) X(No_TotalizadorECF14, 14) X(No_TotalizadorECF15, 15) \
  X(No_TotalizadorECF16, 16) X(No_TotalizadorECFIsencao, 17) \
  X(No_TotalizadorECFNaoInsidencia, 18) X(No_TotalizadorECFSubstituicao, 19) \
  X(No_TotalizadorECFSangria, 20) X(No_TotalizadorECFSuprimento, 21) \
  X(No_TotalizadorECFGrandeTotal, 22)
#define BP_ENUM_Tp_EstadoPapelEnum(X) \
  X(Tp_EstadoPapelFimPapel, 1) X(Tp_EstadoPapelPoucoPapel, 2) X(Tp_EstadoPapelPapelSuficiente, 3)
#define BP_ENUM_Tp_EstadoGavetaEnum(X) \
  X(Tp_EstadoGavetaAberta, 0) X(Tp_EstadoGavetaFechada, 1)
#define BP_ENUM_Tp_ECFEnum(X) \
  X(Tp_ECFEnum_Imp_Gav_Aut, 1) X(Tp_ECFEnum_Imp_Gav_Cut, 2) \
  X(Tp_ECFEnum_Imp_Pre_Cut_Aut, 3) X(Tp_ECFEnum_Imp_Pre_Cut, 4)
#define BP_ENUM_No_PortaECFEnum(X) \
  X(Com1, 1) X(Com2, 2) X(Com3, 3) X(Com4, 4)
#define BP_ENUM_Tp_ConsultaCredClienteEnum(X) \
  X(CheckCheck, 1) X(DataChequeDtcExe, 2) X(DataChequeDiretoMdb, 3) \
  X(DataChequeDtcDll, 4) X(CheckExpressTCP, 5) X(ConsultaChequeTEF, 6)
#define BP_ENUM_Tp_BytesimNao(X) \
  X(sim, 1) X(Nao, 0)
#define BP_ENUM_Tp_OperacaoEnum(X) \
  X(Tp_OperacaoChequeEmitente, 1) X(Tp_OperacaoChequeTerceiro, 3)
#define BP_ENUM_Tp_VendaEnum(X) \
  X(Tp_VendaACreditoCartao, 11) X(Tp_VendaACreditoPlaca, 12) X(Tp_VendaACreditoRequisicao, 13) \
  X(Tp_VendaAcertadaSemEmissaoNF, 21) X(Tp_VendaAcertadaComEmissaoNF, 22)
#define BP_ENUM_No_TipoCardexEnum(X) \
  X(TipoCardexInvalido, 0) X(EntradaCompras, 10) X(Sobras, 11) X(EntradaDevVendas, 12) \
  X(EntradaTransfEmbalagem, 13) X(AjusteEntradaKardexLmc, 14) X(SaidaVendas, 20) \
  X(Perdas, 21) X(SaidaTransfEmbalagem, 23) X(AjusteSaidaKardexLmc, 24)
#define BP_ENUM_Tp_ImpNfEnum(X) \
  X(Tp_ImpNfEnumNao, 1) X(Tp_ImpNfEnumNaVenda, 11) X(Tp_ImpNfEnumNaFatura, 12)
#define BP_ENUM_TipoConsultaItensEnum(X) \
  X(TodosItens, 1) X(SomenteProdutos, 2) X(SomenteServicos, 3)
#define BP_ENUM_TipoEdicaoRegistro(X) \
  X(EdicaoInclusao, 1) X(EdicaoAlteracao, 2) X(EdicaoConsulta, 3) \
  X(EdicaoExclusao, 4) X(EdicaoSalvacao, 5)
#define BP_ENUM_Tp_CondicaoEnum(X) \
  X(Tp_CondicaoDescontoPercentual, 11) X(Tp_CondicaoDescontoValor, 12) \
  X(Tp_CondicaoAcrescimoPercentual, 21) X(Tp_CondicaoAcrescimoValor, 22) \
  X(Tp_CondicaoPrecoFixo, 30)
#define BP_ENUM_Nm_PortaImpressoraEnum(X) \
  X(Nm_PortaLPT1, 1) X(Nm_PortaLPT2, 2) X(Nm_PortaLPT3, 3) X(Nm_PortaLPT4, 4)
#define BP_ENUM_No_PortaSerialEnum(X) \
  X(Com1, 1) X(Com2, 2) X(Com3, 3) X(Com4, 4)
#define BP_ENUM_TipoConsultaCheckExpress(X) \
  X(CheckExpressConsultaExpress, 120)
#define BP_ENUM_TipoConsultaSerasa(X) \
  X(SerasaAcheiRecheque, 1)
#define BP_ENUM_TipoConsultaCheckCheck(X) \
  X(CheckCheckConsultaCheckCadastro, 5) X(CheckCheckConsultaCheckCheck, 55) \
  X(CheckCheckConsultaCheckPlus, 56) X(CheckCheckConsultaCheckMaster, 57) \
  X(CheckCheckConsultaCheckGold, 58) X(CheckCheckConsultaCheckMasterLite, 86) \
  X(CheckCheckConsultaCheckGoldLite, 87)
#define BP_ENUM_OrdemObjetoConsultaCheque(X) \
  X(ObjetoPrimario, 1) X(ObjetoSecundario, 2)
#define BP_ENUM_TipoPagamentoEnum(X) \
  X(PagamentoIndefinido, 0) X(PagamentoCredito, 1) X(PagamentoCheque, 2) \
  X(PagamentoDinheiro, 3) X(PagamentoCartao, 4)
#define BP_ENUM_OperacaoNotaSaida(X) \
  X(OperacaoIndefinida, 0) X(OperacaoVendaComercializacao, 10) X(OperacaoVendaImobilizado, 11) \
  X(OperacaoDevolucaoCompras, 30) X(OperacaoDevolucaoComodato, 31) \
  X(OperacaoDevolucaoMercParaDemo, 32) X(OperacaoOutrasSaidas, 90) \
  X(OperacaoNotaCupom, 91) X(OperacaoRemessaParaConserto, 92)
#define BP_ENUM_TipoOperacaoTEF(X) \
  X(OperacaoATV_TEF, 1) X(OperacaoADM_TEF, 2) X(OperacaoCHQ_TEF, 3) X(OperacaoCRT_TEF, 4) \
  X(OperacaoCNC_TEF, 5) X(OperacaoCNF_TEF, 6) X(OperacaoNCN_TEF, 7)
#define BP_ENUM_OperacaoVendaTEF(X) \
  X(ProcessarVendaTEF, 1) X(ImprimirVendaTEF, 2)
#define BP_ENUM_ResultadoImpressaoTEF(X) \
  X(SucessoImpressaoTEF, 1) X(FracassoImpressaoTEFNaoTentarNovamente, 2) \
  X(FracassoImpressaoTEFTentarNovamente, 3)
#define BP_ENUM_TipoOperacaoTecBan(X) \
  X(OperacaoATV_TecBan, 1) X(OperacaoADM_TecBan, 2) X(OperacaoCHQ_TecBan, 3) \
  X(OperacaoCRT_TecBan, 4) X(OperacaoCNC_TecBan, 5) X(OperacaoCNF_TecBan, 6) \
  X(OperacaoNCN_TecBan, 7) X(OperacaoPAG_TecBan, 8)
#define BP_ENUM_OperacaoVendaTecBan(X) \
  X(ProcessarVendaTecBan, 1) X(ImprimirVendaTecBan, 2)
#define BP_ENUM_ResultadoImpressaoTecBan(X) \
  X(SucessoImpressaoTecBan, 1) X(FracassoImpressaoTecBanNaoTentarNovamente, 2) \
  X(FracassoImpressaoTecBanTentarNovamente, 3)
#define BP_ENUM_TipoDocumentoEcfEnum(X) \
  X(IndefinidoEnum, 0) X(ConferenciaMesaEnum, 1) X(RegistroDeVendaEnum, 2) \
  X(ComprovanteCreditoOuDebitoEnum, 3) X(ComprovanteNaoFiscalEnum, 4) \
  X(ComprovanteNaoFiscalCancelamentoEnum, 5) X(RelatorioGerencialEnum, 6)

// Every published enumeration, in the order of the type library.
#define BP_PUBLISHED_ENUMS(E) \
  E(CdBancoDadosEnum) E(NmDllDALEnum) E(NmModeloECFEnum) E(CdModeloAutomacaoBombasEnum) \
  E(TpAlteracaoPreco) E(TpDesconto) E(TpAcrescimo) E(Tp_EdicaoEnum) E(Tp_PessoaEnum) \
  E(Fl_OpcaoSenhaEnum) E(Cd_SituacaoEnum) E(Tp_IndiceColecaoBombaEnum) \
  E(Fl_TipoPedidoFeitoAutomacaoEnum) E(Tp_OrigemRegistroEnum) E(Tp_TotalizadorECFEnum) \
  E(Tp_SaidaEnum) E(Ic_TipoAliquotaEnum) E(No_ImpactoImpressaoEnum) E(No_TotalizadorECFEnum) \
  E(Tp_EstadoPapelEnum) E(Tp_EstadoGavetaEnum) E(Tp_ECFEnum) E(No_PortaECFEnum) \
  E(Tp_ConsultaCredClienteEnum) E(Tp_BytesimNao) E(Tp_OperacaoEnum) E(Tp_VendaEnum) \
  E(No_TipoCardexEnum) E(Tp_ImpNfEnum) E(TipoConsultaItensEnum) E(TipoEdicaoRegistro) \
  E(Tp_CondicaoEnum) E(Nm_PortaImpressoraEnum) E(No_PortaSerialEnum) \
  E(TipoConsultaCheckExpress) E(TipoConsultaSerasa) E(TipoConsultaCheckCheck) \
  E(OrdemObjetoConsultaCheque) E(TipoPagamentoEnum) E(OperacaoNotaSaida) E(TipoOperacaoTEF) \
  E(OperacaoVendaTEF) E(ResultadoImpressaoTEF) E(TipoOperacaoTecBan) E(OperacaoVendaTecBan) \
  E(ResultadoImpressaoTecBan) E(TipoDocumentoEcfEnum)
// clang-format on

namespace bp {

// One member of a published enumeration.
struct EnumMember {
  std::string_view name;
  int32_t value;
};

// A published enumeration: its name and its members in published order.
struct EnumInfo {
  std::string_view name;
  std::span<const EnumMember> members;
};

// The C++ types.
#define BP_ENUM_TYPE_MEMBER(member, value) member = value,
#define BP_ENUM_TYPE(Enum) enum class Enum : int32_t { BP_ENUM_##Enum(BP_ENUM_TYPE_MEMBER) };
BP_PUBLISHED_ENUMS(BP_ENUM_TYPE)
#undef BP_ENUM_TYPE
#undef BP_ENUM_TYPE_MEMBER

// The members of each enumeration, as data.
namespace enum_members {
#define BP_ENUM_DATA_MEMBER(member, value) EnumMember{#member, value},
#define BP_ENUM_DATA(Enum) \
  inline constexpr EnumMember Enum[] = {BP_ENUM_##Enum(BP_ENUM_DATA_MEMBER)};
BP_PUBLISHED_ENUMS(BP_ENUM_DATA)
#undef BP_ENUM_DATA
#undef BP_ENUM_DATA_MEMBER
}  // namespace enum_members

// Every published enumeration, in type-library order.
inline constexpr EnumInfo kPublishedEnums[] = {
#define BP_ENUM_INFO(Enum) EnumInfo{#Enum, enum_members::Enum},
    BP_PUBLISHED_ENUMS(BP_ENUM_INFO)
#undef BP_ENUM_INFO
};

// EnumTraits<E>::info describes the published enumeration E; only published
// enumerations have it.
template <class E>
struct EnumTraits;
#define BP_ENUM_TRAITS(Enum)                                            \
  template <>                                                           \
  struct EnumTraits<Enum> {                                             \
    static constexpr EnumInfo info{#Enum, enum_members::Enum};          \
  };
BP_PUBLISHED_ENUMS(BP_ENUM_TRAITS)
#undef BP_ENUM_TRAITS

template <class E>
concept PublishedEnum = std::is_enum_v<E> && requires { EnumTraits<E>::info; };

// The number a member stands for, as stored in the database and passed to hosts.
template <PublishedEnum E>
constexpr int32_t ToInt32(E value) {
  return static_cast<int32_t>(value);
}

// The published name of a member, or "" for a number the enumeration does not
// name (a host may pass any 32-bit value).
template <PublishedEnum E>
constexpr std::string_view MemberName(E value) {
  for (const EnumMember& m : EnumTraits<E>::info.members)
    if (m.value == static_cast<int32_t>(value)) return m.name;
  return {};
}

// The enumeration with this name (ASCII case-insensitive), or nullptr.
const EnumInfo* FindEnum(std::string_view name);

}  // namespace bp
