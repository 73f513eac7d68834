// Money: the fixed-point currency of the original platform, a 64-bit count of
// ten-thousandths (four decimal places), from -922337203685477.5808 to
// 922337203685477.5807. Arithmetic that leaves the range raises 6 "Overflow".
#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace bp {

class Money {
 public:
  static constexpr int64_t kScale = 10000;  // units of one ten-thousandth per unit

  constexpr Money() = default;  // zero

  static constexpr Money FromRaw(int64_t ten_thousandths) { return Money(ten_thousandths); }
  // Whole units; raises 6 when out of range.
  static Money FromInt(int64_t units);
  // Rounds half to even at the fourth decimal, judged on the shortest decimal
  // text of `value` (0.00005 -> 0, 0.00015 -> 0.0002, 2.50005 -> 2.5). Raises
  // 6 for NaN, infinities and values out of range.
  static Money FromDouble(double value);
  // Reads the plain text a database gives for a money column: optional sign,
  // digits, optional '.' and decimals ("1234.5678", "-0.5", "12"). Decimals
  // past the fourth are rounded half to even. Anything else raises 13
  // "Type mismatch"; a number out of range raises 6.
  static Money Parse(std::string_view text);

  constexpr int64_t Raw() const { return raw_; }
  double ToDouble() const;
  // Invariant text for SQL statements: '.' as decimal point, no grouping, no
  // exponent, no trailing zeros ("1234.5", "-0.01", "0").
  std::string ToSql() const;

  Money operator-() const;
  Money& operator+=(Money other);
  Money& operator-=(Money other);
  friend Money operator+(Money a, Money b) { return a += b; }
  friend Money operator-(Money a, Money b) { return a -= b; }
  // Multiplied by a whole number (quantities, counts); raises 6 on overflow.
  Money Times(int64_t factor) const;
  // Percentages and prices are applied in double precision and the product is
  // converted back with FromDouble, as the platform's arithmetic does.
  friend Money operator*(Money a, double factor);
  friend Money operator*(double factor, Money a) { return a * factor; }

  friend constexpr auto operator<=>(Money, Money) = default;

 private:
  constexpr explicit Money(int64_t raw) : raw_(raw) {}
  int64_t raw_ = 0;
};

// Integer factors take the exact path; doubles go through FromDouble.
template <std::integral I>
Money operator*(Money a, I factor) {
  return a.Times(static_cast<int64_t>(factor));
}
template <std::integral I>
Money operator*(I factor, Money a) {
  return a.Times(static_cast<int64_t>(factor));
}

}  // namespace bp
