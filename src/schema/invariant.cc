#include "bp/names.h"
#include "schema/invariant.h"

#include <fmt/format.h>

#include <charconv>
#include <optional>

#include "bp/erro.h"

namespace bp::schema::invariant {
namespace {

using bp::Overloaded;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Reads `count` digits at `pos` of `text`, advancing `pos`.
std::optional<int> Digits(std::string_view text, size_t& pos, size_t count) {
  if (pos + count > text.size()) return std::nullopt;
  int out = 0;
  const auto [end, error] = std::from_chars(text.data() + pos, text.data() + pos + count, out);
  if (error != std::errc() || end != text.data() + pos + count) return std::nullopt;
  pos += count;
  return out;
}

bool Skip(std::string_view text, size_t& pos, char c) {
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

}  // namespace

double Number(const Value& value) {
  return std::visit(Overloaded{
                        [](bool v) { return v ? 1.0 : 0.0; },
                        [](const std::string& v) {
                          const std::string_view text = Trim(v);
                          double out = 0;
                          const auto [end, error] =
                              std::from_chars(text.data(), text.data() + text.size(), out);
                          if (error != std::errc() || end != text.data() + text.size())
                            RaiseRuntime(rt::kTypeMismatch, v);
                          return out;
                        },
                        [&](const auto&) { return value.ToDouble(); },
                    },
                    value.data());
}

Money ToMoney(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value.data())) return Money::Parse(Trim(*text));
  if (const auto* money = std::get_if<Money>(&value.data())) return *money;
  return Money::FromDouble(Number(value));
}

std::optional<DateTime> ReadDate(std::string_view text) {
  text = Trim(text);
  size_t pos = 0;
  const auto year = Digits(text, pos, 4);
  const bool dashed = Skip(text, pos, '-');
  const auto month = Digits(text, pos, 2);
  if (dashed != Skip(text, pos, '-')) return std::nullopt;
  const auto day = Digits(text, pos, 2);
  if (!year || !month || !day) return std::nullopt;
  int hour = 0, minute = 0, second = 0;
  if (Skip(text, pos, ' ') || Skip(text, pos, 'T')) {
    const auto h = Digits(text, pos, 2);
    const auto m = Skip(text, pos, ':') ? Digits(text, pos, 2) : std::nullopt;
    if (!h || !m) return std::nullopt;
    hour = *h;
    minute = *m;
    if (Skip(text, pos, ':')) {
      const auto s = Digits(text, pos, 2);
      if (!s) return std::nullopt;
      second = *s;
      // Fractions of a second (PostgreSQL and SQL Server may show them) are dropped.
      if (Skip(text, pos, '.'))
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    }
  }
  if (pos != text.size()) return std::nullopt;
  return DateTime::Make(*year, *month, *day, hour, minute, second);
}

DateTime ToDate(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value.data())) {
    const auto date = ReadDate(*text);
    if (!date) RaiseRuntime(rt::kTypeMismatch, *text);
    return *date;
  }
  return value.ToDate();
}

std::string DateText(DateTime date) {
  return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", date.Year(), date.Month(), date.Day(),
                     date.Hour(), date.Minute(), date.Second());
}

std::string Text(const Value& value) {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::string(); },
                        [](Null) { return std::string(); },
                        [](bool v) { return std::string(v ? "1" : "0"); },
                        [](double v) { return SqlNumber(v); },
                        [](Money v) { return v.ToSql(); },
                        [](DateTime v) { return DateText(v); },
                        [](const std::string& v) { return v; },
                        [](auto v) { return std::to_string(v); },
                    },
                    value.data());
}

}  // namespace bp::schema::invariant
