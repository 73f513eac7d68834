#include "bp/names.h"
#include "db/column_values.h"

#include <cctype>
#include <charconv>
#include <limits>

#include <fmt/format.h>

namespace bp::db {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Reads exactly `width` digits at `pos`; advances `pos` on success.
bool Digits(std::string_view text, size_t& pos, size_t width, int& out) {
  if (pos + width > text.size()) return false;
  int value = 0;
  for (size_t i = 0; i < width; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  out = value;
  pos += width;
  return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// A zone offset ("Z", "+00", "-03:30", "+0530") or nothing at all.
bool ZoneOrEnd(std::string_view text, size_t pos) {
  if (pos == text.size()) return true;
  if (text[pos] == 'Z' && pos + 1 == text.size()) return true;
  if (text[pos] != '+' && text[pos] != '-') return false;
  ++pos;
  int ignored = 0;
  if (!Digits(text, pos, 2, ignored)) return false;
  if (pos < text.size() && text[pos] == ':') ++pos;
  if (pos < text.size() && !Digits(text, pos, 2, ignored)) return false;
  return pos == text.size();
}


}  // namespace

std::string DateText(DateTime date) {
  return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", date.Year(), date.Month(), date.Day(),
                     date.Hour(), date.Minute(), date.Second());
}

std::optional<DateTime> ParseDateText(std::string_view text) {
  text = TrimSpace(text);
  size_t pos = 0;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(text, pos, 4, year) || !Expect(text, pos, '-') || !Digits(text, pos, 2, month) ||
      !Expect(text, pos, '-') || !Digits(text, pos, 2, day))
    return std::nullopt;
  if (pos < text.size() && (text[pos] == ' ' || text[pos] == 'T')) {
    ++pos;
    if (!Digits(text, pos, 2, hour) || !Expect(text, pos, ':') || !Digits(text, pos, 2, minute))
      return std::nullopt;
    if (pos < text.size() && text[pos] == ':') {
      ++pos;
      if (!Digits(text, pos, 2, second)) return std::nullopt;
      if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const size_t start = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        if (pos == start) return std::nullopt;
      }
    }
  }
  if (!ZoneOrEnd(text, pos)) return std::nullopt;
  return DateTime::Make(year, month, day, hour, minute, second);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return SameName(a, b); }

ColumnKind KindOfDeclaredType(std::string_view declared) {
  std::string base;
  std::string_view args;
  const size_t open = declared.find('(');
  for (char c : declared.substr(0, open)) base += Lower(c);
  if (open != std::string_view::npos) {
    const size_t close = declared.find(')', open);
    args = declared.substr(open + 1, close == std::string_view::npos ? std::string_view::npos
                                                                      : close - open - 1);
  }
  // Collapse runs of blanks so "double  precision" and "character varying" match.
  std::string name;
  for (char c : TrimSpace(base)) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!name.empty() && name.back() != ' ') name += ' ';
    } else {
      name += c;
    }
  }
  auto is = [&](std::initializer_list<std::string_view> names) {
    for (auto n : names)
      if (name == n) return true;
    return false;
  };
  if (is({"int", "integer", "int4", "mediumint", "bigint", "int8", "unsigned big int"}))
    return ColumnKind::kInt32;
  if (is({"smallint", "int2"})) return ColumnKind::kInt16;
  if (is({"tinyint"})) return ColumnKind::kByte;
  if (is({"bit", "boolean", "bool"})) return ColumnKind::kBool;
  if (is({"money", "smallmoney"})) return ColumnKind::kMoney;
  if (is({"numeric", "decimal"})) {
    // Scale is the second argument; SQL Server's default scale is 0.
    int scale = 0;
    const size_t comma = args.find(',');
    if (comma != std::string_view::npos) {
      const auto digits = TrimSpace(args.substr(comma + 1));
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), scale);
      if (ec != std::errc() || end != digits.data() + digits.size()) return ColumnKind::kDouble;
    }
    return scale <= 4 ? ColumnKind::kMoney : ColumnKind::kDouble;
  }
  if (is({"float", "real", "double", "double precision", "float4", "float8"}))
    return ColumnKind::kDouble;
  if (is({"datetime", "smalldatetime", "datetime2", "date", "timestamp", "time"}))
    return ColumnKind::kDate;
  if (is({"char", "varchar", "nchar", "nvarchar", "text", "ntext", "character",
          "character varying", "varying character", "native character", "clob"}))
    return ColumnKind::kText;
  return ColumnKind::kAny;
}

Value WholeNumber(int64_t number) {
  if (number >= std::numeric_limits<int32_t>::min() &&
      number <= std::numeric_limits<int32_t>::max())
    return Value(static_cast<int32_t>(number));
  return Value(static_cast<double>(number));
}

}  // namespace bp::db
