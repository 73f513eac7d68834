#include "frame/decimal.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "bp/erro.h"

namespace bp::decimal {
namespace {

// Beyond this many decimal places every double is zero or infinite; clamping
// keeps the arithmetic on exponents small.
constexpr int64_t kExponentLimit = 100000;

// Drops trailing zeros; an all-zero number becomes the canonical zero.
void Normalize(Decimal& d) {
  const auto last = d.digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.digits.clear();
    d.exponent = 0;
  } else {
    d.digits.erase(last + 1);
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

Decimal Make(bool negative, std::string_view integer_digits, std::string_view fraction_digits,
             int64_t power) {
  Decimal d;
  d.negative = negative;
  d.digits.reserve(integer_digits.size() + fraction_digits.size());
  d.digits.append(integer_digits);
  d.digits.append(fraction_digits);
  int64_t exponent = static_cast<int64_t>(integer_digits.size()) +
                     std::clamp<int64_t>(power, -kExponentLimit, kExponentLimit);
  const auto first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    d.digits.clear();
    return d;
  }
  d.digits.erase(0, first);
  exponent -= static_cast<int64_t>(first);
  d.exponent = static_cast<int>(exponent);
  Normalize(d);
  return d;
}

// Reads the text the standard library writes for a double: "-1.25e-05",
// "123", "0.001", "1e+20".
static Decimal FromScientific(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int64_t power = 0;
  if (const auto e = text.find_first_of("eE"); e != std::string_view::npos) {
    std::string_view exp = text.substr(e + 1);
    if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), power);
    text = text.substr(0, e);
  }
  std::string_view whole = text, fraction;
  if (const auto dot = text.find('.'); dot != std::string_view::npos) {
    whole = text.substr(0, dot);
    fraction = text.substr(dot + 1);
  }
  return Make(negative, whole, fraction, power);
}

Decimal Decimal::Rounded(int places, Rounding mode) const {
  if (IsZero()) return *this;
  const int64_t keep = static_cast<int64_t>(exponent) + places;
  const auto size = static_cast<int64_t>(digits.size());
  if (keep >= size) return *this;
  Decimal r;
  r.negative = negative;
  if (keep < 0) return r;  // below half of the last place kept

  const auto k = static_cast<size_t>(keep);
  const char next = digits[k];
  const bool beyond_half = size > keep + 1;  // no trailing zeros: any more digit is non-zero
  bool up = false;
  if (next > '5' || (next == '5' && beyond_half)) {
    up = true;
  } else if (next == '5') {
    const int last = k > 0 ? digits[k - 1] - '0' : 0;
    up = mode == Rounding::kHalfAwayFromZero || last % 2 == 1;
  }
  r.digits = digits.substr(0, k);
  r.exponent = exponent;
  if (up) {
    auto i = static_cast<int64_t>(k) - 1;
    while (i >= 0 && r.digits[static_cast<size_t>(i)] == '9') {
      r.digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      r.digits.insert(r.digits.begin(), '1');
      ++r.exponent;
    } else {
      ++r.digits[static_cast<size_t>(i)];
    }
  }
  Normalize(r);
  return r;
}

Decimal Decimal::Shifted(int power) const {
  Decimal r = *this;
  if (!r.IsZero()) r.exponent += power;
  return r;
}

std::string Decimal::IntegerDigits() const {
  if (IsZero() || exponent <= 0) return {};
  const auto whole = static_cast<size_t>(exponent);
  std::string out = digits.substr(0, std::min(whole, digits.size()));
  if (whole > digits.size()) out.append(whole - digits.size(), '0');
  return out;
}

std::string Decimal::FractionDigits(int count) const {
  std::string out(static_cast<size_t>(std::max(count, 0)), '0');
  if (IsZero()) return out;
  for (int j = 0; j < count; ++j) {
    const int64_t at = static_cast<int64_t>(exponent) + j;
    if (at >= 0 && at < static_cast<int64_t>(digits.size()))
      out[static_cast<size_t>(j)] = digits[static_cast<size_t>(at)];
  }
  return out;
}

std::string Decimal::Plain(char decimal_separator) const {
  if (IsZero()) return "0";
  std::string out = negative ? "-" : "";
  const std::string whole = IntegerDigits();
  out += whole.empty() ? "0" : whole;
  const int64_t places = static_cast<int64_t>(digits.size()) - exponent;
  if (places > 0) {
    out += decimal_separator;
    out += FractionDigits(static_cast<int>(places));
  }
  return out;
}

std::optional<int64_t> Decimal::ToScaled(int scale) const {
  if (IsZero()) return 0;
  const int64_t whole = static_cast<int64_t>(exponent) + scale;
  if (whole < static_cast<int64_t>(digits.size()) || whole > 19) return std::nullopt;
  uint64_t magnitude = 0;
  for (int64_t i = 0; i < whole; ++i) {
    const auto i_sz = static_cast<size_t>(i);
    const uint64_t digit = i_sz < digits.size() ? static_cast<uint64_t>(digits[i_sz] - '0') : 0;
    if (__builtin_mul_overflow(magnitude, uint64_t{10}, &magnitude) ||
        __builtin_add_overflow(magnitude, digit, &magnitude))
      return std::nullopt;
  }
  constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  if (magnitude > kMax + (negative ? 1 : 0)) return std::nullopt;
  if (!negative) return static_cast<int64_t>(magnitude);
  // Two's complement negation of the magnitude, valid down to INT64_MIN.
  return static_cast<int64_t>(~magnitude + 1);
}

double Decimal::ToDouble() const {
  if (IsZero()) return 0.0;
  std::string text = negative ? "-" : "";
  text += digits;
  text += 'e';
  text += std::to_string(static_cast<int64_t>(exponent) - static_cast<int64_t>(digits.size()));
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    if (exponent > 0) RaiseRuntime(rt::kOverflow);
    return 0.0;
  }
  if (ec != std::errc()) RaiseRuntime(rt::kTypeMismatch);
  return value;
}

Decimal FromDouble(double value) {
  if (!std::isfinite(value)) RaiseRuntime(rt::kOverflow);
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) RaiseRuntime(rt::kOverflow);
  return FromScientific(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

Decimal FromInt(int64_t value) { return FromScaled(value, 0); }

Decimal FromScaled(int64_t value, int scale) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string_view text(buffer, static_cast<size_t>(end - buffer));
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  return Make(negative, text, {}, -scale);
}

std::string GeneralText(double value, char decimal_separator) {
  if (!std::isfinite(value)) RaiseRuntime(rt::kOverflow);
  if (value == 0.0) return "0";
  const Decimal d = FromScientific(fmt::format("{:.14e}", value));
  const int power = d.exponent - 1;  // value = m * 10^power, 1 <= m < 10
  if (power >= -4 && power < 15) return d.Plain(decimal_separator);
  std::string out = d.negative ? "-" : "";
  out += d.digits.front();
  if (d.digits.size() > 1) {
    out += decimal_separator;
    out.append(d.digits, 1);
  }
  out += fmt::format("E{}{:02}", power < 0 ? '-' : '+', power < 0 ? -power : power);
  return out;
}

std::optional<Decimal> ReadRegional(std::string_view text, const RegionalSettings& settings) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::string whole, fraction;
  bool in_fraction = false;
  for (const char c : text) {
    if (IsDigit(c)) {
      (in_fraction ? fraction : whole) += c;
    } else if (c == settings.decimal && !in_fraction) {
      in_fraction = true;
    } else if (c == settings.group && !in_fraction && !whole.empty()) {
      // Group separators are taken wherever they stand between the digits of
      // the integer part, as the platform's conversions take them.
    } else {
      return std::nullopt;
    }
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  return Make(negative, whole, fraction);
}

}  // namespace bp::decimal
