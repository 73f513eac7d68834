// Exact decimal numbers: the common ground of Money, the formatter and the
// readings of typed text. Doubles enter through their shortest round-trip
// text, so 2.675 is the decimal 2.675 and not the binary value just below it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bp/format.h"

namespace bp::decimal {

enum class Rounding { kHalfEven, kHalfAwayFromZero };

// sign * 0.d1 d2 ... dn * 10^exponent. `digits` has no leading or trailing
// zeros; an empty `digits` is zero (and then `negative` only remembers the
// sign the number had before rounding).
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.empty(); }

  // Rounds to `places` digits after the decimal point (negative `places`
  // rounds to tens, hundreds ...).
  Decimal Rounded(int places, Rounding mode) const;
  // Multiplied by 10^power.
  Decimal Shifted(int power) const;

  // The digits left of the decimal point, "" when the integer part is zero.
  std::string IntegerDigits() const;
  // The first `count` digits right of the decimal point, zero padded.
  std::string FractionDigits(int count) const;
  // Plain text without exponent or grouping: "-1234.5", "0.001", "0".
  std::string Plain(char decimal_separator = '.') const;

  // value * 10^scale as a 64-bit integer; the caller rounds to `scale`
  // places first. Nothing when it does not fit.
  std::optional<int64_t> ToScaled(int scale) const;
  // The nearest double; raises 6 "Overflow" when beyond the double range.
  double ToDouble() const;
};

// Builds a number from its integer digits, fraction digits and a power of ten
// (each string holds only '0'..'9').
Decimal Make(bool negative, std::string_view integer_digits, std::string_view fraction_digits,
             int64_t power = 0);

// The decimal whose text is the shortest that reads back as `value`
// (raises 6 "Overflow" for NaN and infinities).
Decimal FromDouble(double value);
Decimal FromInt(int64_t value);
// value / 10^scale, as for Money's ten-thousandths.
Decimal FromScaled(int64_t value, int scale);

// The platform's general text of a double: 15 significant digits, trailing
// zeros dropped, scientific ("1,5E+20", "1E-05") below 1E-4 or from 1E15 on.
std::string GeneralText(double value, char decimal_separator);

// Reads a whole text as a number in the regional form (sign, digits with
// group separators, one decimal separator, blanks around); nothing when the
// text is anything else.
std::optional<Decimal> ReadRegional(std::string_view text, const RegionalSettings& settings);

}  // namespace bp::decimal
