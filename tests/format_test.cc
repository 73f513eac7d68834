#include "bp/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "bp/erro.h"
#include "bp/value.h"
#include "support/db_checks.h"

namespace bp {
namespace {

struct Case {
  double value;
  const char* expected;
};

void ExpectAll(const char* pattern, std::initializer_list<Case> cases) {
  for (const Case& c : cases)
    EXPECT_EQ(Format(c.value, pattern), c.expected) << pattern << " of " << c.value;
}

TEST(FormatTest, GroupedWholeNumbers) {
  ExpectAll("###,#", {{0, ""},
                      {100, "100"},
                      {1234.5, "1.235"},
                      {-1234.5, "-1.235"},
                      {1234567890, "1.234.567.890"},
                      {0.4, ""},
                      {-0.4, ""},
                      {0.5, "1"}});
  ExpectAll("###,###,###", {{0, ""},
                            {1234567, "1.234.567"},
                            {1234567.5, "1.234.568"},
                            {-999.5, "-1.000"},
                            {123456789012.0, "123.456.789.012"}});
}

TEST(FormatTest, FixedDecimals) {
  ExpectAll("##0.00", {{0, "0,00"},
                       {-5.5, "-5,50"},
                       {1234567.891, "1234567,89"},
                       {2.675, "2,68"},
                       {1.005, "1,01"},
                       {0.125, "0,13"},
                       {-0.004, "0,00"}});
  ExpectAll("###,###,##0.00", {{0, "0,00"},
                               {-1234.567, "-1.234,57"},
                               {1e12, "1.000.000.000.000,00"},
                               {999999.995, "1.000.000,00"},
                               {-0.005, "-0,01"}});
  ExpectAll("###,###,##0.0", {{0, "0,0"}, {1234.56, "1.234,6"}, {0.05, "0,1"}, {-0.04, "0,0"}});
  ExpectAll(
      "###########0.00",
      {{0, "0,00"}, {1234.5, "1234,50"}, {99999999999.999, "100000000000,00"}, {-7, "-7,00"}});
}

TEST(FormatTest, OptionalDecimals) {
  ExpectAll("###,###,##0.00#", {{0, "0,00"},
                                {1234.5, "1.234,50"},
                                {1234.5678, "1.234,568"},
                                {0.0005, "0,001"},
                                {-2, "-2,00"}});
  ExpectAll("###,###,##0.0##", {{0, "0,0"},
                                {1234.5, "1.234,5"},
                                {1.23456, "1,235"},
                                {-1.2, "-1,2"},
                                {1e9, "1.000.000.000,0"}});
  ExpectAll("######.0#", {{0.5, ",5"},
                          {0, ",0"},
                          {3, "3,0"},
                          {1234567.891, "1234567,89"},
                          {-2.5, "-2,5"},
                          {-0.001, ",0"}});
  ExpectAll("########0.00########", {{1.5, "1,50"},
                                     {0.123456789, "0,123456789"},
                                     {0, "0,00"},
                                     {1.0 / 3, "0,3333333333"},
                                     {-2.00000000005, "-2,0000000001"},
                                     {123456789012.5, "123456789012,50"}});
}

TEST(FormatTest, ZeroPadded) {
  ExpectAll("00000000", {{123, "00000123"},
                         {0, "00000000"},
                         {-123, "-00000123"},
                         {123456789, "123456789"},
                         {12.5, "00000013"},
                         {-0.2, "00000000"}});
  ExpectAll("00000000000", {{12345678901.0, "12345678901"}, {42, "00000000042"}});
  EXPECT_EQ(Format(5, "00000000"), "00000005");
  EXPECT_EQ(Format(int64_t{-9876543210}, "###,###,###"), "-9.876.543.210");
}

TEST(FormatTest, SectionsLiteralsAndScaling) {
  EXPECT_EQ(Format(-5.0, "0.00;(0.00)"), "(5,00)");
  EXPECT_EQ(Format(5.0, "0.00;(0.00)"), "5,00");
  EXPECT_EQ(Format(0.0, "0.00;(0.00);\"zero\""), "zero");
  EXPECT_EQ(Format(-0.001, "0.00;(0.00);\"zero\""), "zero");
  EXPECT_EQ(Format(-1.0, "0;;"), "-1");
  EXPECT_EQ(Format(0.256, "0.0%"), "25,6%");
  EXPECT_EQ(Format(1234.0, "\"R$ \"#,##0.00"), "R$ 1.234,00");
  EXPECT_EQ(Format(7.0, "0\\;0"), "0;7");
  EXPECT_EQ(Format(17.0, "#3"), "173");
  EXPECT_EQ(Format(1234567.0, "#,##0,"), "1.235");
  EXPECT_EQ(Format(1234.5, "###,###,##0.00", RegionalSettings{'.', ',', '-', '.'}), "1,234.50");
}

TEST(FormatTest, ValuesOfEveryKind) {
  EXPECT_EQ(Format(Money::FromRaw(12345678), "###,###,##0.00"), "1.234,57");
  EXPECT_EQ(Format(Money::FromRaw(-5), "##0.00"), "0,00");
  EXPECT_EQ(Format(Value(Money::FromDouble(2.675)), "##0.00"), "2,68");
  EXPECT_EQ(Format(Value(int16_t{42}), "00000000"), "00000042");
  EXPECT_EQ(Format(Value("1.234,5"), "##0.00"), "1234,50");
  EXPECT_EQ(Format(Value("abc"), "##0.00"), "abc");
  EXPECT_EQ(Format(Value(Null{}), "##0.00"), "");
  EXPECT_EQ(Format(Value(Null{}), "0;0;0;\"nada\""), "nada");
  EXPECT_EQ(Format(Value(), "##0.00"), "0,00");
  EXPECT_EQ(Format(Value(true), "0"), "-1");
  EXPECT_EQ(Format(Value(2.5), ""), "2,5");
  EXPECT_EQ(Format(Value("07/03/2024"), "yyyymmdd"), "20240307");
}

TEST(FormatTest, DatePatterns) {
  const DateTime t = DateTime::Of(2024, 3, 7, 9, 5, 3);
  const std::pair<const char*, const char*> cases[] = {
      {"dd/mm/yyyy hh:Nn:ss", "07/03/2024 09:05:03"}, {"dd/mm/yyyy", "07/03/2024"},
      {"yyyy-mm-dd", "2024-03-07"}, {"ddmmyyyy", "07032024"}, {"ddmmyy", "070324"},
      {"yyyymmdd", "20240307"}, {"hh:Nn:ss", "09:05:03"}, {"HH:NN", "09:05"}, {"hh:mm", "09:05"},
      {"mm:ss", "05:03"}, {"d/m/yy h:n:s", "7/3/24 9:5:3"}, {"y", "67"},
      {"dd \"de\" mm \\d\\e yyyy", "07 de 03 de 2024"}};
  for (const auto& [pattern, expected] : cases) EXPECT_EQ(Format(t, pattern), expected) << pattern;
  EXPECT_EQ(Format(DateTime(), "dd/mm/yyyy hh:Nn:ss"), "30/12/1899 00:00:00");
  EXPECT_EQ(Format(DateTime::Of(2023, 12, 31, 23, 59, 59), "ddmmyy hhnnss"), "311223 235959");
  EXPECT_EQ(Format(t, "dd/mm/yyyy hh:Nn", RegionalSettings{'.', ',', '-', '.'}),
            "07-03-2024 09.05");
  EXPECT_EQ(Format(Value(t), "dd/mm/yyyy"), "07/03/2024");
  EXPECT_EQ(Format(t.ToSerial(), "dd/mm/yyyy"), "07/03/2024");
  EXPECT_EQ(Format(t, ""), "07/03/2024 09:05:03");
}

TEST(FormatTest, SqlNumberIsInvariant) {
  RegionalSettings::SetCurrent(RegionalSettings{'.', ',', '/', ':'});
  EXPECT_EQ(SqlNumber(0.1), "0.1");
  RegionalSettings::SetCurrent(RegionalSettings::Brazil());
  EXPECT_EQ(SqlNumber(-1234.5), "-1234.5");
  EXPECT_EQ(SqlNumber(1e20), "100000000000000000000");
  EXPECT_EQ(SqlNumber(1e-7), "0.0000001");
  EXPECT_EQ(SqlNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(SqlNumber(-0.0), "0");
  EXPECT_EQ(SqlNumber(42), "42");
  EXPECT_EQ(testing::FailureOf([] { SqlNumber(std::nan("")); }).number, rt::kOverflow);
}

}  // namespace
}  // namespace bp
