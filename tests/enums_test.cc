// The published enumerations are exchanged with hosts and stored in database
// columns, so every member keeps its name and number. The expected members
// are written out by hand from the published list, in its order
// (contracts/enums.txt), and checked against the library's reflection of its
// enumerations.
#include "bp/enums.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "support/table_file.h"

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

std::string MembersText(const EnumInfo& e) {
  std::string text;
  for (const EnumMember& m : e.members)
    text += (text.empty() ? "" : " ") + std::string(m.name) + "=" + std::to_string(m.value);
  return text;
}

TEST(PublishedEnums, EveryEnumerationHasExactlyItsMembersAndValuesInOrder) {
  const std::vector<std::string> rows = testing::TableRows("contracts/enums.txt");
  ASSERT_EQ(std::size(kPublishedEnums), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const EnumInfo& e = kPublishedEnums[i];
    const std::string& expected = rows[i];
    EXPECT_EQ(e.members.size(), std::count(expected.begin(), expected.end(), '=') + 0u) << expected;
    EXPECT_EQ(std::string(e.name) + " " + MembersText(e), expected);
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
