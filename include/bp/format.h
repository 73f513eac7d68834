// The one formatter of numbers and dates, following the original platform's
// Format function and its patterns, under regional settings (Brazilian by
// default). Text meant for SQL never goes through here: see SqlNumber and
// Money::ToSql.
//
// Number patterns:
//   0   a digit, or 0 when the number has none there
//   #   a digit, or nothing
//   .   the decimal point (printed as the regional decimal separator; always
//       printed when present, so 0.5 under "######.0#" gives ",5")
//   ,   between digit placeholders left of the decimal point: group the
//       integer part by thousands (regional group separator); right after the
//       last of them: divide by 1000 per comma
//   %   multiplies by 100 and prints '%'
//   \x  the character x;  "text"  the text as it is; other characters print as
//       they are
//   ;   separates the sections positive;negative;zero;null
// Rounding is half away from zero on the decimal form of the number.
//
// Date patterns (case-insensitive): d dd m mm yy yyyy h hh n nn s ss; "m" and
// "mm" mean minutes right after an hour token or right before a seconds token;
// '/' prints the regional date separator and ':' the regional time separator.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

#include "bp/datetime.h"
#include "bp/money.h"

namespace bp {

class Value;

struct RegionalSettings {
  char decimal = ',';
  char group = '.';
  char date = '/';
  char time = ':';
  // How booleans read as text.
  std::string true_text = "Verdadeiro";
  std::string false_text = "Falso";

  // Brazilian Portuguese: decimal comma, dot grouping, dd/mm/yyyy, hh:mm:ss.
  static RegionalSettings Brazil();
  // Settings for text pasted into SQL statements: '.' decimal point, ','
  // grouping, ISO-like dates; never changed by SetCurrent.
  static RegionalSettings Invariant();
  // The settings used when none are given: Brazil() until SetCurrent.
  static const RegionalSettings& Current();
  static void SetCurrent(const RegionalSettings& settings);
};

std::string Format(const Value& value, std::string_view pattern,
                   const RegionalSettings& settings = RegionalSettings::Current());
std::string Format(double value, std::string_view pattern,
                   const RegionalSettings& settings = RegionalSettings::Current());
std::string Format(Money value, std::string_view pattern,
                   const RegionalSettings& settings = RegionalSettings::Current());
std::string Format(int64_t value, std::string_view pattern,
                   const RegionalSettings& settings = RegionalSettings::Current());
std::string Format(DateTime value, std::string_view pattern,
                   const RegionalSettings& settings = RegionalSettings::Current());

// Other integer types (int, short, unsigned ...) format as int64_t.
template <std::integral I>
requires(!std::same_as<I, bool> && !std::same_as<I, int64_t>) std::string
    Format(I value, std::string_view pattern,
           const RegionalSettings& settings = RegionalSettings::Current()) {
  return Format(static_cast<int64_t>(value), pattern, settings);
}

// Invariant plain decimal for SQL statements: '.' as decimal point, no
// grouping, no exponent, the shortest digits that read back as `value`
// ("0.1", "-1234.5", "100000000000000000000", "0"). Raises 6 "Overflow" for
// NaN and infinities.
std::string SqlNumber(double value);

}  // namespace bp
