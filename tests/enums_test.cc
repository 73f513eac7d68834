// The published enumerations are exchanged with hosts and stored in database
// columns, so every member keeps its name and number. The expected members
// below are written out by hand from the published list, in its order, and
// checked against the library's reflection of its enumerations.
#include "bp/enums.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>

#include <gtest/gtest.h>

namespace bp {
namespace {

// The two port enumerations share member names but must never convert into
// each other: a printer port is not a serial port.
static_assert(!std::is_same_v<No_PortaECFEnum, No_PortaSerialEnum>);
static_assert(!std::is_convertible_v<No_PortaECFEnum, No_PortaSerialEnum>);
static_assert(!std::is_convertible_v<No_PortaECFEnum, int32_t>);
static_assert(std::is_same_v<std::underlying_type_t<No_PortaSerialEnum>, int32_t>);
static_assert(std::is_same_v<std::underlying_type_t<Tp_BytesimNao>, int32_t>);
enum class NotPublished : int32_t { kOne = 1 };
static_assert(PublishedEnum<Tp_ImpNfEnum> && !PublishedEnum<int> && !PublishedEnum<NotPublished>);

struct EnumRow {
  const char* name;
  const char* members;  // "Member=value" in published order, separated by one blank
};

constexpr EnumRow kEnumRows[] = {
    {"CdBancoDadosEnum",
     "BancoDadosAcess1997=11 BancoDadosAcess2000=12 BancoDadosSqlServer2000=21"},
    {"NmDllDALEnum", "DALnv4AdoSqlAnsiEnum=1"},
    {"NmModeloECFEnum", "ModeloECFNenhum=0 ModeloECFBematechMP20FI=1 ModeloECFBematechMP20FI2=2"},
    {"CdModeloAutomacaoBombasEnum", "ModeloAutomacaoBombasNenhuma=0 ModeloAutomacaoBombasCBC04=1"},
    {"TpAlteracaoPreco", "TpAlteracaoPrecoDesconto=0 TpAlteracaoPrecoAcrescimo=1"},
    {"TpDesconto", "TpDescontoEmPercentual=0 TpDescontoEmValor=1"},
    {"TpAcrescimo", "TpAcrescimoEmPercentual=0 TpAcrescimoEmValor=1"},
    {"Tp_EdicaoEnum",
     "Tp_EdicaoOmitido=0 Tp_EdicaoInclusao=1 Tp_EdicaoAlteracao=2 Tp_EdicaoConsulta=3 "
     "Tp_EdicaoExclusao=4"},
    {"Tp_PessoaEnum", "Tp_PessoaNaoDefinida=0 Tp_PessoaFisica=1 Tp_PessoaJuridica=2"},
    {"Fl_OpcaoSenhaEnum", "Fl_OpcaoPermitida=1 Fl_OpcaoProibida=0"},
    {"Cd_SituacaoEnum", "Cd_SituacaoAberto=1 Cd_SituacaoFechado=2 Cd_SituacaoConferido=3"},
    {"Tp_IndiceColecaoBombaEnum", "Tp_IndiceColecaoBombaCdBomba=1 Tp_IndiceColecaoBombaDeLogica=2"},
    {"Fl_TipoPedidoFeitoAutomacaoEnum", "Fl_FoiPedidoOProximo=1 Fl_FoiPedidoPorNumero=2"},
    {"Tp_OrigemRegistroEnum",
     "Tp_OrigemRegistroAutomacao=1 Tp_OrigemRegistroGerado=2 Tp_OrigemRegistroDigitado=3"},
    {"Tp_TotalizadorECFEnum", "No_TotalizadorECFIcms=0 No_TotalizadorECFIss=1"},
    {"Tp_SaidaEnum", "Tp_SaidaEncerranteInicial=0 Tp_SaidaVendas=11 Tp_SaidaAfericoes=91"},
    {"Ic_TipoAliquotaEnum", "Ic_TipoAliquotaICMS=0 Ic_TipoAliquotaISS=1"},
    {"No_ImpactoImpressaoEnum",
     "No_ImpactoImpressaoFraco=1 No_ImpactoImpressaoMedio=2 No_ImpactoImpressaoForte=3"},
    {"No_TotalizadorECFEnum",
     "No_TotalizadorECF01=1 No_TotalizadorECF02=2 No_TotalizadorECF03=3 "
     "No_TotalizadorECF04=4 No_TotalizadorECF05=5 No_TotalizadorECF06=6 "
     "No_TotalizadorECF07=7 No_TotalizadorECF08=8 No_TotalizadorECF09=9 "
     "No_TotalizadorECF10=10 No_TotalizadorECF11=11 No_TotalizadorECF12=12 "
     "No_TotalizadorECF13=13 No_TotalizadorECF14=14 No_TotalizadorECF15=15 "
     "No_TotalizadorECF16=16 No_TotalizadorECFIsencao=17 No_TotalizadorECFNaoInsidencia=18 "
     "No_TotalizadorECFSubstituicao=19 No_TotalizadorECFSangria=20 "
     "No_TotalizadorECFSuprimento=21 No_TotalizadorECFGrandeTotal=22"},
    {"Tp_EstadoPapelEnum",
     "Tp_EstadoPapelFimPapel=1 Tp_EstadoPapelPoucoPapel=2 Tp_EstadoPapelPapelSuficiente=3"},
    {"Tp_EstadoGavetaEnum", "Tp_EstadoGavetaAberta=0 Tp_EstadoGavetaFechada=1"},
    {"Tp_ECFEnum",
     "Tp_ECFEnum_Imp_Gav_Aut=1 Tp_ECFEnum_Imp_Gav_Cut=2 Tp_ECFEnum_Imp_Pre_Cut_Aut=3 "
     "Tp_ECFEnum_Imp_Pre_Cut=4"},
    {"No_PortaECFEnum", "Com1=1 Com2=2 Com3=3 Com4=4"},
    {"Tp_ConsultaCredClienteEnum",
     "CheckCheck=1 DataChequeDtcExe=2 DataChequeDiretoMdb=3 DataChequeDtcDll=4 "
     "CheckExpressTCP=5 ConsultaChequeTEF=6"},
    {"Tp_BytesimNao", "sim=1 Nao=0"},
    {"Tp_OperacaoEnum", "Tp_OperacaoChequeEmitente=1 Tp_OperacaoChequeTerceiro=3"},
    {"Tp_VendaEnum",
     "Tp_VendaACreditoCartao=11 Tp_VendaACreditoPlaca=12 Tp_VendaACreditoRequisicao=13 "
     "Tp_VendaAcertadaSemEmissaoNF=21 Tp_VendaAcertadaComEmissaoNF=22"},
    {"No_TipoCardexEnum",
     "TipoCardexInvalido=0 EntradaCompras=10 Sobras=11 EntradaDevVendas=12 "
     "EntradaTransfEmbalagem=13 AjusteEntradaKardexLmc=14 SaidaVendas=20 Perdas=21 "
     "SaidaTransfEmbalagem=23 AjusteSaidaKardexLmc=24"},
    {"Tp_ImpNfEnum", "Tp_ImpNfEnumNao=1 Tp_ImpNfEnumNaVenda=11 Tp_ImpNfEnumNaFatura=12"},
    {"TipoConsultaItensEnum", "TodosItens=1 SomenteProdutos=2 SomenteServicos=3"},
    {"TipoEdicaoRegistro",
     "EdicaoInclusao=1 EdicaoAlteracao=2 EdicaoConsulta=3 EdicaoExclusao=4 "
     "EdicaoSalvacao=5"},
    {"Tp_CondicaoEnum",
     "Tp_CondicaoDescontoPercentual=11 Tp_CondicaoDescontoValor=12 "
     "Tp_CondicaoAcrescimoPercentual=21 Tp_CondicaoAcrescimoValor=22 "
     "Tp_CondicaoPrecoFixo=30"},
    {"Nm_PortaImpressoraEnum", "Nm_PortaLPT1=1 Nm_PortaLPT2=2 Nm_PortaLPT3=3 Nm_PortaLPT4=4"},
    {"No_PortaSerialEnum", "Com1=1 Com2=2 Com3=3 Com4=4"},
    {"TipoConsultaCheckExpress", "CheckExpressConsultaExpress=120"},
    {"TipoConsultaSerasa", "SerasaAcheiRecheque=1"},
    {"TipoConsultaCheckCheck",
     "CheckCheckConsultaCheckCadastro=5 CheckCheckConsultaCheckCheck=55 "
     "CheckCheckConsultaCheckPlus=56 CheckCheckConsultaCheckMaster=57 "
     "CheckCheckConsultaCheckGold=58 CheckCheckConsultaCheckMasterLite=86 "
     "CheckCheckConsultaCheckGoldLite=87"},
    {"OrdemObjetoConsultaCheque", "ObjetoPrimario=1 ObjetoSecundario=2"},
    {"TipoPagamentoEnum",
     "PagamentoIndefinido=0 PagamentoCredito=1 PagamentoCheque=2 PagamentoDinheiro=3 "
     "PagamentoCartao=4"},
    {"OperacaoNotaSaida",
     "OperacaoIndefinida=0 OperacaoVendaComercializacao=10 OperacaoVendaImobilizado=11 "
     "OperacaoDevolucaoCompras=30 OperacaoDevolucaoComodato=31 "
     "OperacaoDevolucaoMercParaDemo=32 OperacaoOutrasSaidas=90 OperacaoNotaCupom=91 "
     "OperacaoRemessaParaConserto=92"},
    {"TipoOperacaoTEF",
     "OperacaoATV_TEF=1 OperacaoADM_TEF=2 OperacaoCHQ_TEF=3 OperacaoCRT_TEF=4 "
     "OperacaoCNC_TEF=5 OperacaoCNF_TEF=6 OperacaoNCN_TEF=7"},
    {"OperacaoVendaTEF", "ProcessarVendaTEF=1 ImprimirVendaTEF=2"},
    {"ResultadoImpressaoTEF",
     "SucessoImpressaoTEF=1 FracassoImpressaoTEFNaoTentarNovamente=2 "
     "FracassoImpressaoTEFTentarNovamente=3"},
    {"TipoOperacaoTecBan",
     "OperacaoATV_TecBan=1 OperacaoADM_TecBan=2 OperacaoCHQ_TecBan=3 OperacaoCRT_TecBan=4 "
     "OperacaoCNC_TecBan=5 OperacaoCNF_TecBan=6 OperacaoNCN_TecBan=7 OperacaoPAG_TecBan=8"},
    {"OperacaoVendaTecBan", "ProcessarVendaTecBan=1 ImprimirVendaTecBan=2"},
    {"ResultadoImpressaoTecBan",
     "SucessoImpressaoTecBan=1 FracassoImpressaoTecBanNaoTentarNovamente=2 "
     "FracassoImpressaoTecBanTentarNovamente=3"},
    {"TipoDocumentoEcfEnum",
     "IndefinidoEnum=0 ConferenciaMesaEnum=1 RegistroDeVendaEnum=2 "
     "ComprovanteCreditoOuDebitoEnum=3 ComprovanteNaoFiscalEnum=4 "
     "ComprovanteNaoFiscalCancelamentoEnum=5 RelatorioGerencialEnum=6"},
};

std::string MembersText(const EnumInfo& e) {
  std::string text;
  for (const EnumMember& m : e.members)
    text += (text.empty() ? "" : " ") + std::string(m.name) + "=" + std::to_string(m.value);
  return text;
}

TEST(PublishedEnums, EveryEnumerationHasExactlyItsMembersAndValuesInOrder) {
  ASSERT_EQ(std::size(kPublishedEnums), std::size(kEnumRows));
  for (size_t i = 0; i < std::size(kEnumRows); ++i) {
    const EnumRow& row = kEnumRows[i];
    const EnumInfo& e = kPublishedEnums[i];
    EXPECT_EQ(e.name, row.name);
    const std::string_view expected(row.members);
    EXPECT_EQ(e.members.size(), std::count(expected.begin(), expected.end(), '=') + 0u) << row.name;
    EXPECT_EQ(MembersText(e), expected) << row.name;
  }
}

TEST(PublishedEnums, LookUpByNameAndMember) {
  EXPECT_EQ(MemberName(TipoPagamentoEnum::PagamentoCheque), "PagamentoCheque");
  EXPECT_EQ(MemberName(static_cast<Tp_ImpNfEnum>(2)), "");
  const EnumInfo* found = FindEnum("tp_edicaoenum");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, "Tp_EdicaoEnum");
  EXPECT_EQ(FindEnum("Tp_Inexistente"), nullptr);
}

}  // namespace
}  // namespace bp
