#include "bp/enums.h"

#include <set>
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
static_assert(ToInt32(No_PortaECFEnum::Com3) == 3 && ToInt32(No_PortaSerialEnum::Com4) == 4);
enum class NotPublished : int32_t { kOne = 1 };
static_assert(PublishedEnum<Tp_ImpNfEnum> && !PublishedEnum<int> && !PublishedEnum<NotPublished>);

TEST(PublishedEnums, NonContiguousValuesKeepTheirNumbers) {
  EXPECT_EQ(ToInt32(Tp_SaidaEnum::Tp_SaidaVendas), 11);
  EXPECT_EQ(ToInt32(Tp_SaidaEnum::Tp_SaidaAfericoes), 91);
  EXPECT_EQ(ToInt32(Tp_VendaEnum::Tp_VendaAcertadaSemEmissaoNF), 21);
  EXPECT_EQ(ToInt32(No_TipoCardexEnum::SaidaTransfEmbalagem), 23);
  EXPECT_EQ(ToInt32(No_TipoCardexEnum::AjusteSaidaKardexLmc), 24);
  EXPECT_EQ(ToInt32(Tp_ImpNfEnum::Tp_ImpNfEnumNao), 1);
  EXPECT_EQ(ToInt32(Tp_ImpNfEnum::Tp_ImpNfEnumNaFatura), 12);
  EXPECT_EQ(ToInt32(Tp_CondicaoEnum::Tp_CondicaoPrecoFixo), 30);
  EXPECT_EQ(ToInt32(OperacaoNotaSaida::OperacaoRemessaParaConserto), 92);
  EXPECT_EQ(ToInt32(TipoConsultaCheckCheck::CheckCheckConsultaCheckMasterLite), 86);
  EXPECT_EQ(ToInt32(Tp_OperacaoEnum::Tp_OperacaoChequeTerceiro), 3);
  EXPECT_EQ(ToInt32(CdBancoDadosEnum::BancoDadosSqlServer2000), 21);
  EXPECT_EQ(ToInt32(TipoConsultaCheckExpress::CheckExpressConsultaExpress), 120);
  EXPECT_EQ(ToInt32(No_TotalizadorECFEnum::No_TotalizadorECF16), 16);
  EXPECT_EQ(ToInt32(No_TotalizadorECFEnum::No_TotalizadorECFGrandeTotal), 22);
  EXPECT_EQ(ToInt32(Tp_TotalizadorECFEnum::No_TotalizadorECFIss), 1);
}

TEST(PublishedEnums, YesNoEnumerationsListYesFirstWithOne) {
  const EnumInfo& senha = EnumTraits<Fl_OpcaoSenhaEnum>::info;
  ASSERT_EQ(senha.members.size(), 2u);
  EXPECT_EQ(senha.members[0].name, "Fl_OpcaoPermitida");
  EXPECT_EQ(senha.members[0].value, 1);
  EXPECT_EQ(senha.members[1].name, "Fl_OpcaoProibida");
  EXPECT_EQ(senha.members[1].value, 0);

  const EnumInfo& sim_nao = EnumTraits<Tp_BytesimNao>::info;
  ASSERT_EQ(sim_nao.members.size(), 2u);
  EXPECT_EQ(sim_nao.members[0].name, "sim");
  EXPECT_EQ(sim_nao.members[0].value, 1);
  EXPECT_EQ(sim_nao.members[1].name, "Nao");
  EXPECT_EQ(sim_nao.members[1].value, 0);
}

TEST(PublishedEnums, ReflectionMatchesTheTypes) {
  ASSERT_EQ(std::size(kPublishedEnums), 47u);
  EXPECT_EQ(kPublishedEnums[0].name, "CdBancoDadosEnum");
  EXPECT_EQ(kPublishedEnums[46].name, "TipoDocumentoEcfEnum");

  std::set<std::string_view> names;
  for (const EnumInfo& e : kPublishedEnums) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_FALSE(e.members.empty()) << e.name;
    std::set<std::string_view> members;
    for (const EnumMember& m : e.members) EXPECT_TRUE(members.insert(m.name).second) << m.name;
  }

  EXPECT_EQ(EnumTraits<No_TotalizadorECFEnum>::info.members.size(), 22u);
  EXPECT_EQ(EnumTraits<No_TotalizadorECFEnum>::info.members[8].name, "No_TotalizadorECF09");
  EXPECT_EQ(MemberName(TipoPagamentoEnum::PagamentoCheque), "PagamentoCheque");
  EXPECT_EQ(MemberName(static_cast<Tp_ImpNfEnum>(2)), "");

  const EnumInfo* found = FindEnum("tp_edicaoenum");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, "Tp_EdicaoEnum");
  EXPECT_EQ(found->members[0].name, "Tp_EdicaoOmitido");
  EXPECT_EQ(FindEnum("Tp_Inexistente"), nullptr);
}

}  // namespace
}  // namespace bp
