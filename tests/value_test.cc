#include "bp/value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "bp/erro.h"
#include "support/db_checks.h"

namespace bp {
namespace {

int32_t ErrorOf(const std::function<void()>& f) { return testing::FailureOf(f).number; }

TEST(ValueTest, WholeNumbersRoundHalfToEvenThenCheckRange) {
  EXPECT_EQ(Value(2.5).ToInt16(), 2);
  EXPECT_EQ(Value(3.5).ToInt16(), 4);
  EXPECT_EQ(Value(-2.5).ToInt32(), -2);
  EXPECT_EQ(Value(2.5000001).ToInt32(), 3);
  EXPECT_EQ(Value(Money::FromDouble(2.5)).ToInt32(), 2);
  EXPECT_EQ(Value(Money::FromDouble(3.5)).ToByte(), 4);
  EXPECT_EQ(Value(-32768.4).ToInt16(), -32768);
  EXPECT_EQ(Value(-0.5).ToByte(), 0);
  EXPECT_EQ(Value(true).ToByte(), 255);
  EXPECT_EQ(Value(true).ToInt32(), -1);
  EXPECT_EQ(Value(uint8_t{200}).ToInt16(), 200);
  EXPECT_EQ(Value(2147483647.4).ToInt32(), 2147483647);
  EXPECT_EQ(ErrorOf([] { Value(32767.5).ToInt16(); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Value(256.0).ToByte(); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Value(-1).ToByte(); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Value(2147483647.5).ToInt32(); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Value(1e300).ToMoney(); }), rt::kOverflow);
}

TEST(ValueTest, TextReadsWithTheRegionalSettings) {
  EXPECT_EQ(Value("1.234,5").ToDouble(), 1234.5);
  EXPECT_EQ(Value("1.5").ToDouble(), 15);  // the dot groups thousands here
  EXPECT_EQ(Value(" 12 ").ToInt32(), 12);
  EXPECT_EQ(Value("2,5").ToInt32(), 2);
  EXPECT_EQ(Value("0,00015").ToMoney().Raw(), 2);
  EXPECT_EQ(Value("Verdadeiro").ToBool(), true);
  EXPECT_EQ(Value("false").ToBool(), false);
  EXPECT_EQ(Value("0").ToBool(), false);
  EXPECT_EQ(Value(0.5).ToBool(), true);
  for (const char* bad : {"abc", "", "1,2,3", "12a", "1e5"})
    EXPECT_EQ(ErrorOf([&] { Value(bad).ToDouble(); }), rt::kTypeMismatch) << bad;
  EXPECT_EQ(ErrorOf([] { Value("x").ToBool(); }), rt::kTypeMismatch);
}

TEST(ValueTest, DatesFromTextAndNumbers) {
  EXPECT_EQ(Value("07/03/2024").ToDate(), DateTime::Of(2024, 3, 7));
  EXPECT_EQ(Value("7/3/2024 09:05:03").ToDate(), DateTime::Of(2024, 3, 7, 9, 5, 3));
  EXPECT_EQ(Value("07/03/2024 9:05").ToDate(), DateTime::Of(2024, 3, 7, 9, 5));
  EXPECT_EQ(Value("09:05:03").ToDate(), DateTime::Of(1899, 12, 30, 9, 5, 3));
  EXPECT_EQ(Value(2.5).ToDate(), DateTime::Of(1900, 1, 1, 12));
  EXPECT_EQ(Value().ToDate(), DateTime());
  for (const char* bad :
       {"31/02/2024", "07/03/2024 25:00:00", "2024-03-07", "07/03/24", "07/03/2024x", "", "abc"})
    EXPECT_EQ(ErrorOf([&] { Value(bad).ToDate(); }), rt::kTypeMismatch) << bad;
  EXPECT_EQ(ErrorOf([] { Value(1e9).ToDate(); }), rt::kOverflow);
}

TEST(ValueTest, NullAndEmpty) {
  const Value null(Null{});
  EXPECT_TRUE(null.IsNull());
  EXPECT_EQ(null.ToText(), "");
  const std::function<void()> conversions[] = {[&] { null.ToBool(); },   [&] { null.ToByte(); },
                                               [&] { null.ToInt16(); },  [&] { null.ToInt32(); },
                                               [&] { null.ToDouble(); }, [&] { null.ToMoney(); },
                                               [&] { null.ToDate(); }};
  for (const auto& convert : conversions) EXPECT_EQ(ErrorOf(convert), rt::kInvalidUseOfNull);

  const Value empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.ToInt32(), 0);
  EXPECT_EQ(empty.ToDouble(), 0.0);
  EXPECT_EQ(empty.ToMoney(), Money());
  EXPECT_EQ(empty.ToText(), "");
  EXPECT_EQ(empty.ToDate(), DateTime());
  EXPECT_FALSE(empty.ToBool());
}

TEST(ValueTest, TextOfEachKind) {
  const std::pair<Value, const char*> cases[] = {
      {Value(1234.5), "1234,5"}, {Value(0.1 + 0.2), "0,3"}, {Value(-2.5), "-2,5"},
      {Value(123456789012345.0), "123456789012345"}, {Value(1e15), "1E+15"},
      {Value(1.5e20), "1,5E+20"}, {Value(0.0001), "0,0001"}, {Value(0.00001), "1E-05"},
      {Value(Money::FromDouble(1234.5)), "1234,5"}, {Value(int16_t{-7}), "-7"},
      {Value(uint8_t{7}), "7"}, {Value(true), "Verdadeiro"}, {Value(false), "Falso"},
      {Value(DateTime::Of(2024, 3, 7)), "07/03/2024"},
      {Value(DateTime::Of(2024, 3, 7, 9, 5, 3)), "07/03/2024 09:05:03"},
      {Value(DateTime()), "00:00:00"}, {Value(DateTime::Of(1899, 12, 30, 9, 5)), "09:05:00"}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(value.ToText(), expected) << expected;
  const RegionalSettings us{'.', ',', '-', '.', "True", "False"};
  EXPECT_EQ(Value(1234.5).ToText(us), "1234.5");
  EXPECT_EQ(Value(true).ToText(us), "True");
  EXPECT_EQ(Value(DateTime::Of(2024, 3, 7, 9, 5, 3)).ToText(us), "07-03-2024 09.05.03");
}

TEST(ValueTest, KindsAndEquality) {
  EXPECT_EQ(Value().Type(), ValueType::kEmpty);
  EXPECT_EQ(Value(Null{}).Type(), ValueType::kNull);
  EXPECT_EQ(Value(int16_t{1}).Type(), ValueType::kInteger);
  EXPECT_EQ(Value(1).Type(), ValueType::kLong);
  EXPECT_EQ(Value(Money()).Type(), ValueType::kCurrency);
  EXPECT_EQ(Value("x").Type(), ValueType::kString);
  EXPECT_EQ(Value(uint8_t{1}).Type(), ValueType::kByte);
  EXPECT_EQ(Value(1), Value(1));
  EXPECT_NE(Value(int16_t{1}), Value(1));
  EXPECT_EQ(Value("a"), Value(std::string("a")));
  EXPECT_NE(Value(), Value(Null{}));
}

TEST(ValueTest, ValReadsTheLeadingNumber) {
  // Never the regional comma.
  const std::pair<const char*, double> cases[] = {
      {"  12 34.5e1xyz", 12345}, {"-3.7abc", -3.7}, {"+ 4", 4}, {".5", 0.5}, {"1.2.3", 1.2},
      {"1,5", 1}, {"1e", 1}, {"1D2", 100}, {"2e-3", 0.002}, {"abc", 0}, {"", 0}, {"-", 0}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(Val(text), expected) << text;
  EXPECT_EQ(ErrorOf([] { Val("1e400"); }), rt::kOverflow);
}

TEST(ValueTest, ParseDecimalIsStrict) {
  EXPECT_EQ(ParseDecimal("1.234,56"), 1234.56);
  EXPECT_EQ(ParseDecimal(" -7 "), -7);
  EXPECT_EQ(ParseDecimal(",5"), 0.5);
  EXPECT_EQ(ParseDecimal("1,234.5", RegionalSettings{'.', ',', '/', ':'}), 1234.5);
  for (const char* bad : {"1,2,3", "12a", "", " ", "-", "1e5", "- 5", ".5", "1 000"})
    EXPECT_EQ(ErrorOf([&] { ParseDecimal(bad); }), rt::kTypeMismatch) << bad;
}

}  // namespace
}  // namespace bp
