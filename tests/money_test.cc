#include "bp/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <utility>

#include "bp/erro.h"
#include "support/db_checks.h"

namespace bp {
namespace {

int32_t ErrorOf(const std::function<void()>& f) { return testing::FailureOf(f).number; }

constexpr int64_t kMaxRaw = std::numeric_limits<int64_t>::max();
constexpr int64_t kMinRaw = std::numeric_limits<int64_t>::min();

TEST(MoneyTest, FromDoubleRoundsHalfToEvenOnTheShortestDecimal) {
  const std::pair<double, int64_t> cases[] = {
      {0.00005, 0}, {0.00015, 2}, {0.00025, 2}, {-0.00015, -2}, {2.50005, 25000},
      {1.23456, 12346}, {0.1 + 0.2, 3000}, {-0.0, 0}, {922337203685477.5, 9223372036854775000}};
  for (const auto& [value, raw] : cases) EXPECT_EQ(Money::FromDouble(value).Raw(), raw) << value;
  EXPECT_EQ(Money::FromRaw(12345).ToDouble(), 1.2345);
  EXPECT_EQ(Money::FromRaw(kMaxRaw).ToDouble(), 922337203685477.5807);
}

TEST(MoneyTest, OverflowRaisesSix) {
  EXPECT_EQ(ErrorOf([] { Money::FromDouble(1e15); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromDouble(-1e15); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromDouble(std::nan("")); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromDouble(INFINITY); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromInt(1000000000000000); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromRaw(kMaxRaw) + Money::FromRaw(1); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromRaw(kMinRaw) - Money::FromRaw(1); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { -Money::FromRaw(kMinRaw); }), rt::kOverflow);
  EXPECT_EQ(ErrorOf([] { Money::FromRaw(kMaxRaw / 2 + 1) * 2; }), rt::kOverflow);
  EXPECT_EQ(testing::FailureOf([] { Money::FromDouble(1e300); }).description, "Overflow");
  // A failed sum leaves the left operand as it was.
  Money m = Money::FromRaw(kMaxRaw);
  EXPECT_EQ(ErrorOf([&] { m += Money::FromRaw(1); }), rt::kOverflow);
  EXPECT_EQ(m.Raw(), kMaxRaw);
}

TEST(MoneyTest, Arithmetic) {
  const Money price = Money::FromDouble(1.25);
  EXPECT_EQ((price * 3).Raw(), 37500);
  EXPECT_EQ((3 * price).Raw(), 37500);
  EXPECT_EQ((price + price - Money::FromInt(1)).Raw(), 15000);
  EXPECT_EQ((-price).Raw(), -12500);
  EXPECT_EQ((Money::FromInt(3) * 0.5).Raw(), 15000);
  // The product is converted back with banker's rounding.
  EXPECT_EQ((Money::FromRaw(1) * 0.5).Raw(), 0);
  EXPECT_EQ((Money::FromRaw(3) * 0.5).Raw(), 2);
  EXPECT_LT(Money::FromInt(1), Money::FromDouble(1.0001));
  EXPECT_EQ(Money::FromInt(2), Money::FromRaw(20000));
}

TEST(MoneyTest, SqlTextBothWays) {
  EXPECT_EQ(Money::FromDouble(1234.5).ToSql(), "1234.5");
  EXPECT_EQ(Money::FromDouble(-0.01).ToSql(), "-0.01");
  EXPECT_EQ(Money().ToSql(), "0");
  EXPECT_EQ(Money::FromRaw(1).ToSql(), "0.0001");
  EXPECT_EQ(Money::FromInt(100).ToSql(), "100");
  EXPECT_EQ(Money::FromRaw(kMinRaw).ToSql(), "-922337203685477.5808");

  const std::pair<const char*, int64_t> texts[] = {
      {"1234.5678", 12345678}, {"-0.5", -5000}, {"12", 120000}, {".5", 5000}, {"0.00015", 2},
      {"922337203685477.5807", kMaxRaw}};
  for (const auto& [text, raw] : texts) EXPECT_EQ(Money::Parse(text).Raw(), raw) << text;
  EXPECT_EQ(Money::Parse(Money::FromRaw(kMinRaw).ToSql()).Raw(), kMinRaw);
  for (const char* bad : {"", "-", ".", "1,5", "1.2.3", " 1", "1 ", "1e5", "abc", "--1"})
    EXPECT_EQ(ErrorOf([&] { Money::Parse(bad); }), rt::kTypeMismatch) << bad;
  EXPECT_EQ(ErrorOf([] { Money::Parse("922337203685478"); }), rt::kOverflow);
}

}  // namespace
}  // namespace bp
