// Number patterns of the formatter, the regional settings and the entry
// points that send each kind of value to the number or the date half.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/format.h"
#include "bp/value.h"
#include "frame/decimal.h"
#include "frame/format_parts.h"

namespace bp {

RegionalSettings RegionalSettings::Brazil() { return RegionalSettings{}; }

RegionalSettings RegionalSettings::Invariant() {
  RegionalSettings s;
  s.decimal = '.';
  s.group = ',';
  s.date = '-';
  s.time = ':';
  s.true_text = "True";
  s.false_text = "False";
  return s;
}

namespace {
RegionalSettings& CurrentSettings() {
  static RegionalSettings current = RegionalSettings::Brazil();
  return current;
}
}  // namespace

const RegionalSettings& RegionalSettings::Current() { return CurrentSettings(); }
void RegionalSettings::SetCurrent(const RegionalSettings& settings) {
  CurrentSettings() = settings;
}

namespace format {
namespace {

using decimal::Decimal;

// Splits a pattern at the ';' that are not quoted or escaped.
std::vector<std::string_view> Sections(std::string_view pattern) {
  std::vector<std::string_view> out;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && !quoted) {
      ++i;
    } else if (c == ';' && !quoted) {
      out.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(pattern.substr(std::min(start, pattern.size())));
  return out;
}

// One section of a number pattern, read into the items it prints.
struct NumberPattern {
  enum class Kind { kLiteral, kDigit, kPoint, kComma };
  struct Item {
    Kind kind;
    std::string text;       // kLiteral
    bool fraction = false;  // kDigit: right of the decimal point
  };
  std::vector<Item> items;
  int integer_count = 0;   // placeholders left of the point
  int integer_min = 0;     // digits always printed: from the first '0' on
  int fraction_count = 0;  // placeholders right of the point
  int fraction_min = 0;    // digits always printed: up to the last '0'
  bool grouping = false;
  int thousands_scale = 0;  // commas after the last integer placeholder
  bool percent = false;
};

NumberPattern ReadNumberPattern(std::string_view section) {
  using Kind = NumberPattern::Kind;
  NumberPattern p;
  bool seen_point = false;
  int first_zero = -1;
  const auto literal = [&](std::string text) {
    p.items.push_back({Kind::kLiteral, std::move(text)});
  };
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '"') {
      const size_t end = section.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? section.size() : end;
      literal(std::string(section.substr(i + 1, stop - i - 1)));
      i = stop;
    } else if (c == '\\') {
      if (++i < section.size()) literal(std::string(1, section[i]));
    } else if (c == '0' || c == '#') {
      p.items.push_back({Kind::kDigit, {}, seen_point});
      if (seen_point) {
        ++p.fraction_count;
        if (c == '0') p.fraction_min = p.fraction_count;
      } else {
        if (c == '0' && first_zero < 0) first_zero = p.integer_count;
        ++p.integer_count;
      }
    } else if (c == '.' && !seen_point) {
      seen_point = true;
      p.items.push_back({Kind::kPoint, {}});
    } else if (c == ',' && !seen_point) {
      p.items.push_back({Kind::kComma, {}});
    } else {
      if (c == '%') p.percent = true;
      literal(std::string(1, c));
    }
  }
  p.integer_min = first_zero < 0 ? 0 : p.integer_count - first_zero;

  // A comma between integer placeholders asks for grouping; commas after the
  // last one divide by a thousand each; any other comma prints as itself.
  int placeholders_seen = 0;
  for (auto& item : p.items) {
    if (item.kind == Kind::kDigit && !item.fraction) ++placeholders_seen;
    if (item.kind != Kind::kComma) continue;
    if (placeholders_seen == 0) {
      item = {Kind::kLiteral, ","};
    } else if (placeholders_seen < p.integer_count) {
      p.grouping = true;
      item = {Kind::kLiteral, ""};
    } else {
      ++p.thousands_scale;
      item = {Kind::kLiteral, ""};
    }
  }
  return p;
}

// The value as the section will print it: scaled and rounded.
Decimal Prepare(const Decimal& value, const NumberPattern& p) {
  Decimal scaled = value.Shifted((p.percent ? 2 : 0) - 3 * p.thousands_scale);
  return scaled.Rounded(p.fraction_count, decimal::Rounding::kHalfAwayFromZero);
}

std::string Render(const Decimal& rounded, const NumberPattern& p, bool minus,
                   const RegionalSettings& settings) {
  using Kind = NumberPattern::Kind;
  std::string whole = rounded.IntegerDigits();
  if (static_cast<int>(whole.size()) < p.integer_min)
    whole.insert(0, static_cast<size_t>(p.integer_min) - whole.size(), '0');
  const std::string fraction = rounded.FractionDigits(p.fraction_count);
  const auto last_nonzero = fraction.find_last_not_of('0');
  const int fraction_shown = std::max(
      p.fraction_min, last_nonzero == std::string::npos ? 0 : static_cast<int>(last_nonzero) + 1);

  const int length = static_cast<int>(whole.size());
  std::string out = minus ? "-" : "";
  // Prints the digit `index` of the integer part, with a group separator
  // after it when thousands follow.
  const auto digit = [&](int index) {
    out += whole[static_cast<size_t>(index)];
    const int position = length - 1 - index;  // 0 = units
    if (p.grouping && position > 0 && position % 3 == 0) out += settings.group;
  };

  int integer_seen = 0, fraction_seen = 0;
  for (const auto& item : p.items) {
    switch (item.kind) {
      case Kind::kLiteral:
      case Kind::kComma:
        out += item.text;
        break;
      case Kind::kPoint:
        // With no integer placeholder, the integer digits go before the point.
        if (p.integer_count == 0)
          for (int i = 0; i < length; ++i) digit(i);
        out += settings.decimal;
        break;
      case Kind::kDigit:
        if (item.fraction) {
          if (fraction_seen < fraction_shown) out += fraction[static_cast<size_t>(fraction_seen)];
          ++fraction_seen;
        } else {
          const int from_right = p.integer_count - 1 - integer_seen;
          if (integer_seen == 0)  // digits beyond the placeholders go to the first
            for (int i = 0; i < length - p.integer_count; ++i) digit(i);
          if (from_right < length) digit(length - 1 - from_right);
          ++integer_seen;
        }
        break;
    }
  }
  return out;
}

}  // namespace

// Picks the section by the sign of the value. A negative number that rounds
// to zero under its section prints as zero (the zero section when there is
// one, otherwise the first section without a minus sign): a "-0,00" on a
// coupon or a fixed-width record would be read as a different value.
std::string FormatNumber(const Decimal& value, std::string_view pattern,
                         const RegionalSettings& settings) {
  const auto sections = Sections(pattern);
  const auto has = [&](size_t i) { return sections.size() > i && !sections[i].empty(); };
  const auto zero = [&] {
    const NumberPattern p = ReadNumberPattern(has(2) ? sections[2] : sections[0]);
    return Render(Decimal{}, p, false, settings);
  };
  if (value.IsZero()) return zero();
  if (value.negative) {
    const bool own_section = has(1);
    const NumberPattern p = ReadNumberPattern(own_section ? sections[1] : sections[0]);
    Decimal magnitude = Prepare(value, p);
    if (magnitude.IsZero()) return zero();
    magnitude.negative = false;
    return Render(magnitude, p, !own_section, settings);
  }
  const NumberPattern p = ReadNumberPattern(sections[0]);
  return Render(Prepare(value, p), p, false, settings);
}

std::string FormatNull(std::string_view pattern, const RegionalSettings& settings) {
  const auto sections = Sections(pattern);
  if (sections.size() < 4 || sections[3].empty()) return {};
  return Render(Decimal{}, ReadNumberPattern(sections[3]), false, settings);
}

bool IsDatePattern(std::string_view pattern) {
  bool date_letter = false;
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c == '\\') {
      ++i;
    } else if (c == '0' || c == '#') {
      return false;
    } else {
      const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      if (std::string_view("dmyhns").find(lower) != std::string_view::npos) date_letter = true;
    }
  }
  return date_letter;
}

}  // namespace format

namespace {

std::string FormatDecimal(const decimal::Decimal& value, std::string_view pattern,
                          const RegionalSettings& settings) {
  if (format::IsDatePattern(pattern))
    return format::FormatDate(format::DateOfSerial(value.ToDouble()), pattern, settings);
  return format::FormatNumber(value, pattern, settings);
}

}  // namespace

std::string Format(const Value& value, std::string_view pattern, const RegionalSettings& settings) {
  if (pattern.empty()) return value.ToText(settings);
  switch (value.Type()) {
    case ValueType::kNull:
      return format::IsDatePattern(pattern) ? std::string() : format::FormatNull(pattern, settings);
    case ValueType::kDate:
      return Format(value.ToDate(), pattern, settings);
    case ValueType::kString: {
      // Text that reads as a number or a date formats as one; any other text
      // is returned as it is.
      const auto& text = std::get<std::string>(value.data());
      if (auto number = decimal::ReadRegional(text, settings))
        return FormatDecimal(*number, pattern, settings);
      try {
        return Format(format::ReadDate(text, settings), pattern, settings);
      } catch (const Erro&) {
        return text;
      }
    }
    case ValueType::kDouble:
      return Format(value.ToDouble(), pattern, settings);
    case ValueType::kCurrency:
      return Format(value.ToMoney(), pattern, settings);
    default:  // Empty, booleans and whole numbers
      return Format(static_cast<int64_t>(value.ToInt32()), pattern, settings);
  }
}

std::string Format(double value, std::string_view pattern, const RegionalSettings& settings) {
  if (pattern.empty()) return decimal::GeneralText(value, settings.decimal);
  return FormatDecimal(decimal::FromDouble(value), pattern, settings);
}

std::string Format(Money value, std::string_view pattern, const RegionalSettings& settings) {
  const auto exact = decimal::FromScaled(value.Raw(), 4);
  if (pattern.empty()) return exact.Plain(settings.decimal);
  return FormatDecimal(exact, pattern, settings);
}

std::string Format(int64_t value, std::string_view pattern, const RegionalSettings& settings) {
  const auto exact = decimal::FromInt(value);
  if (pattern.empty()) return exact.Plain(settings.decimal);
  return FormatDecimal(exact, pattern, settings);
}

std::string Format(DateTime value, std::string_view pattern, const RegionalSettings& settings) {
  if (pattern.empty()) return format::DateText(value, settings);
  if (format::IsDatePattern(pattern)) return format::FormatDate(value, pattern, settings);
  return format::FormatNumber(decimal::FromDouble(value.ToSerial()), pattern, settings);
}

std::string SqlNumber(double value) { return decimal::FromDouble(value).Plain('.'); }

}  // namespace bp
