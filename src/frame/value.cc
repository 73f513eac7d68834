#include "bp/names.h"
#include "bp/value.h"

#include <limits>
#include <string>
#include <type_traits>

#include "bp/erro.h"
#include "frame/decimal.h"
#include "frame/format_parts.h"

namespace bp {
namespace {

using decimal::Decimal;

using bp::Overloaded;

[[noreturn]] void RaiseNull() { RaiseRuntime(rt::kInvalidUseOfNull); }

Decimal ReadNumber(const std::string& text) {
  auto number = decimal::ReadRegional(text, RegionalSettings::Current());
  if (!number) RaiseRuntime(rt::kTypeMismatch);
  return *number;
}

// The exact decimal of any numeric value; true counts as -1.
Decimal AsDecimal(const Value::Variant& data) {
  return std::visit(Overloaded{
                        [](std::monostate) { return Decimal{}; },
                        [](Null) -> Decimal { RaiseNull(); },
                        [](bool v) { return decimal::FromInt(v ? -1 : 0); },
                        [](double v) { return decimal::FromDouble(v); },
                        [](Money v) { return decimal::FromScaled(v.Raw(), 4); },
                        [](DateTime v) { return decimal::FromDouble(v.ToSerial()); },
                        [](const std::string& v) { return ReadNumber(v); },
                        [](auto v) { return decimal::FromInt(v); },
                    },
                    data);
}

// A whole number in the range of T: rounded half to even, then checked.
template <class T>
T ToWhole(const Value::Variant& data) {
  // The platform's Byte takes true as 255, the low byte of -1.
  if constexpr (std::is_same_v<T, uint8_t>) {
    if (const bool* b = std::get_if<bool>(&data)) return *b ? 255 : 0;
  }
  const auto whole = AsDecimal(data).Rounded(0, decimal::Rounding::kHalfEven).ToScaled(0);
  if (!whole || *whole < std::numeric_limits<T>::min() || *whole > std::numeric_limits<T>::max())
    RaiseRuntime(rt::kOverflow);
  return static_cast<T>(*whole);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

ValueType Value::Type() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return ValueType::kEmpty; },
                        [](Null) { return ValueType::kNull; },
                        [](bool) { return ValueType::kBoolean; },
                        [](uint8_t) { return ValueType::kByte; },
                        [](int16_t) { return ValueType::kInteger; },
                        [](int32_t) { return ValueType::kLong; },
                        [](double) { return ValueType::kDouble; },
                        [](Money) { return ValueType::kCurrency; },
                        [](DateTime) { return ValueType::kDate; },
                        [](const std::string&) { return ValueType::kString; },
                    },
                    data_);
}

bool Value::ToBool() const {
  if (const auto* text = std::get_if<std::string>(&data_)) {
    const auto& settings = RegionalSettings::Current();
    if (EqualsIgnoringCase(*text, "True") || EqualsIgnoringCase(*text, settings.true_text))
      return true;
    if (EqualsIgnoringCase(*text, "False") || EqualsIgnoringCase(*text, settings.false_text))
      return false;
  }
  if (const bool* b = std::get_if<bool>(&data_)) return *b;
  return !AsDecimal(data_).IsZero();
}

uint8_t Value::ToByte() const { return ToWhole<uint8_t>(data_); }
int16_t Value::ToInt16() const { return ToWhole<int16_t>(data_); }
int32_t Value::ToInt32() const { return ToWhole<int32_t>(data_); }

double Value::ToDouble() const {
  if (const double* d = std::get_if<double>(&data_)) return *d;
  if (const Money* m = std::get_if<Money>(&data_)) return m->ToDouble();
  if (const DateTime* t = std::get_if<DateTime>(&data_)) return t->ToSerial();
  return AsDecimal(data_).ToDouble();
}

Money Value::ToMoney() const {
  if (const Money* m = std::get_if<Money>(&data_)) return *m;
  const auto raw = AsDecimal(data_).Rounded(4, decimal::Rounding::kHalfEven).ToScaled(4);
  if (!raw) RaiseRuntime(rt::kOverflow);
  return Money::FromRaw(*raw);
}

DateTime Value::ToDate() const {
  return std::visit(
      Overloaded{
          [](std::monostate) { return DateTime(); },
          [](Null) -> DateTime { RaiseNull(); },
          [](DateTime v) { return v; },
          [](const std::string& v) { return format::ReadDate(v, RegionalSettings::Current()); },
          [this](auto) { return format::DateOfSerial(ToDouble()); },
      },
      data_);
}

std::string Value::ToText(const RegionalSettings& settings) const {
  return std::visit(
      Overloaded{
          [](std::monostate) { return std::string(); },
          [](Null) { return std::string(); },
          [&](bool v) { return v ? settings.true_text : settings.false_text; },
          [&](double v) { return decimal::GeneralText(v, settings.decimal); },
          [&](Money v) { return decimal::FromScaled(v.Raw(), 4).Plain(settings.decimal); },
          [&](DateTime v) { return format::DateText(v, settings); },
          [](const std::string& v) { return v; },
          [](auto v) { return std::to_string(v); },
      },
      data_);
}

double Val(std::string_view text) {
  std::string whole, fraction;
  bool negative = false, has_sign = false, in_fraction = false, any_digit = false;
  size_t i = 0;
  const auto skip_blanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  };
  for (;; ++i) {
    skip_blanks();
    if (i >= text.size()) break;
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      (in_fraction ? fraction : whole) += c;
      any_digit = true;
    } else if ((c == '+' || c == '-') && !has_sign && !any_digit && !in_fraction) {
      negative = c == '-';
      has_sign = true;
    } else if (c == '.' && !in_fraction) {
      in_fraction = true;
    } else {
      break;
    }
  }
  // An exponent counts only when digits follow its letter (and sign).
  int64_t power = 0;
  if (any_digit && i < text.size() &&
      (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    const auto skip = [&] {
      while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\n')) ++j;
    };
    skip();
    bool exp_negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      exp_negative = text[j] == '-';
      ++j;
    }
    for (skip(); j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j, skip()) {
      if (power < 1000000) power = power * 10 + (text[j] - '0');
    }
    if (exp_negative) power = -power;
  }
  if (!any_digit) return 0.0;
  return decimal::Make(negative, whole, fraction, power).ToDouble();
}

double ParseDecimal(std::string_view text, const RegionalSettings& settings) {
  const auto number = decimal::ReadRegional(text, settings);
  if (!number) RaiseRuntime(rt::kTypeMismatch);
  return number->ToDouble();
}

}  // namespace bp
