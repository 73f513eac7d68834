#include "bp/money.h"

#include "bp/erro.h"
#include "frame/decimal.h"

namespace bp {
namespace {

constexpr int kPlaces = 4;

Money FromDecimal(const decimal::Decimal& value) {
  const auto raw = value.Rounded(kPlaces, decimal::Rounding::kHalfEven).ToScaled(kPlaces);
  if (!raw) RaiseRuntime(rt::kOverflow);
  return Money::FromRaw(*raw);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

Money Money::FromInt(int64_t units) {
  int64_t raw = 0;
  if (__builtin_mul_overflow(units, kScale, &raw)) RaiseRuntime(rt::kOverflow);
  return Money(raw);
}

Money Money::FromDouble(double value) { return FromDecimal(decimal::FromDouble(value)); }

Money Money::Parse(std::string_view text) {
  std::string_view rest = text;
  bool negative = false;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  size_t i = 0;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  const std::string_view whole = rest.substr(0, i);
  std::string_view fraction;
  if (i < rest.size() && rest[i] == '.') {
    const size_t start = ++i;
    while (i < rest.size() && IsDigit(rest[i])) ++i;
    fraction = rest.substr(start, i - start);
  }
  if (i != rest.size() || (whole.empty() && fraction.empty())) RaiseRuntime(rt::kTypeMismatch);
  return FromDecimal(decimal::Make(negative, whole, fraction));
}

double Money::ToDouble() const {
  // Below 2^53 both operands are exact and the quotient is correctly rounded;
  // larger amounts go through the decimal text to stay correctly rounded.
  constexpr int64_t kExact = int64_t{1} << 53;
  if (raw_ > -kExact && raw_ < kExact) return static_cast<double>(raw_) / kScale;
  return decimal::FromScaled(raw_, kPlaces).ToDouble();
}

std::string Money::ToSql() const { return decimal::FromScaled(raw_, kPlaces).Plain('.'); }

Money Money::operator-() const {
  int64_t raw = 0;
  if (__builtin_sub_overflow(int64_t{0}, raw_, &raw)) RaiseRuntime(rt::kOverflow);
  return Money(raw);
}

Money& Money::operator+=(Money other) {
  int64_t raw = 0;
  if (__builtin_add_overflow(raw_, other.raw_, &raw)) RaiseRuntime(rt::kOverflow);
  raw_ = raw;
  return *this;
}

Money& Money::operator-=(Money other) {
  int64_t raw = 0;
  if (__builtin_sub_overflow(raw_, other.raw_, &raw)) RaiseRuntime(rt::kOverflow);
  raw_ = raw;
  return *this;
}

Money Money::Times(int64_t factor) const {
  int64_t raw = 0;
  if (__builtin_mul_overflow(raw_, factor, &raw)) RaiseRuntime(rt::kOverflow);
  return Money(raw);
}

Money operator*(Money a, double factor) { return Money::FromDouble(a.ToDouble() * factor); }

}  // namespace bp
