// Value: the variant that recordset fields and by-name property assignment
// carry, with the original platform's conversion rules.
//
// Conversions:
//   - Null converts only to text (""); anything else raises 94
//     "Invalid use of Null".
//   - Empty is 0, "", the zero date or false.
//   - True is -1 as a number (255 as a Byte), false is 0.
//   - Doubles and Money become whole numbers by rounding half to even, then
//     a range check raises 6 "Overflow".
//   - Text becomes a number through ParseDecimal under the current regional
//     settings, and a date through "dd/mm/yyyy[ hh:mm[:ss]]" (or a time
//     alone) with the regional separators; anything else raises 13
//     "Type mismatch", as does a date that does not exist.
//   - Dates become numbers through their serial (days since 30/12/1899).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "bp/datetime.h"
#include "bp/format.h"
#include "bp/money.h"

namespace bp {

// The SQL Null marker.
struct Null {
  friend constexpr bool operator==(Null, Null) = default;
};

// Kinds of Value, numbered as the platform's VarType numbers them.
enum class ValueType {
  kEmpty = 0,
  kNull = 1,
  kInteger = 2,  // int16_t
  kLong = 3,     // int32_t
  kDouble = 5,
  kCurrency = 6,  // Money
  kDate = 7,      // DateTime
  kString = 8,    // std::string, UTF-8
  kBoolean = 11,
  kByte = 17,  // uint8_t
};

class Value {
 public:
  Value() = default;  // Empty
  Value(Null) : data_(Null{}) {}
  Value(bool v) : data_(v) {}
  Value(uint8_t v) : data_(v) {}
  Value(int16_t v) : data_(v) {}
  Value(int32_t v) : data_(v) {}
  Value(double v) : data_(v) {}
  Value(Money v) : data_(v) {}
  Value(DateTime v) : data_(v) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(std::string_view v) : data_(std::string(v)) {}
  Value(const char* v) : data_(std::string(v)) {}

  ValueType Type() const;
  bool IsEmpty() const { return std::holds_alternative<std::monostate>(data_); }
  bool IsNull() const { return std::holds_alternative<Null>(data_); }

  bool ToBool() const;
  uint8_t ToByte() const;
  int16_t ToInt16() const;
  int32_t ToInt32() const;
  double ToDouble() const;
  Money ToMoney() const;
  DateTime ToDate() const;
  // The platform's text of the value: numbers with the regional decimal
  // separator and no grouping (doubles to 15 significant digits, in
  // scientific form "1,5E+20" / "1E-05" outside 1E-4 .. 1E15), dates
  // "dd/mm/yyyy" when at midnight, "hh:mm:ss" on the zero day (the zero date
  // itself is "00:00:00") and "dd/mm/yyyy hh:mm:ss" otherwise, booleans with
  // the regional words ("Verdadeiro"/"Falso"), Null and Empty as "".
  std::string ToText(const RegionalSettings& settings = RegionalSettings::Current()) const;

  // Same kind and same content (an Integer 1 differs from a Long 1).
  friend bool operator==(const Value&, const Value&) = default;

  using Variant = std::variant<std::monostate, Null, bool, uint8_t, int16_t, int32_t, double, Money,
                               DateTime, std::string>;
  const Variant& data() const { return data_; }

 private:
  Variant data_;
};

// The platform's Val: skips blanks, tabs and line feeds anywhere, reads the
// longest leading number (optional sign, digits, one '.' as decimal point
// whatever the regional settings, optional exponent E or D) and returns 0
// when there is none. Raises 6 "Overflow" beyond the double range.
double Val(std::string_view text);

// The strict reading: the whole text must be a number in the regional form
// (optional sign, digits with optional group separators, one decimal
// separator, blanks around). Raises 13 "Type mismatch" otherwise.
double ParseDecimal(std::string_view text,
                    const RegionalSettings& settings = RegionalSettings::Current());

}  // namespace bp
