// Date patterns of the formatter and the platform's date text, both ways.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "frame/format_parts.h"

namespace bp::format {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

struct Token {
  char field = 0;        // 'd' 'm' 'y' 'h' 'n' 's', or 0 for literal text
  int width = 0;         // 1 or 2 letters (4 for yyyy)
  std::string text;      // literal text
  bool minutes = false;  // an 'm' field read as minutes
};

std::vector<Token> Tokens(std::string_view pattern, const RegionalSettings& settings) {
  std::vector<Token> out;
  const auto literal = [&](std::string text) { out.push_back({0, 0, std::move(text)}); };
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char lower = Lower(c);
    if (c == '"') {
      const size_t end = pattern.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? pattern.size() : end;
      literal(std::string(pattern.substr(i + 1, stop - i - 1)));
      i = stop;
    } else if (c == '\\') {
      if (++i < pattern.size()) literal(std::string(1, pattern[i]));
    } else if (c == '/') {
      literal(std::string(1, settings.date));
    } else if (c == ':') {
      literal(std::string(1, settings.time));
    } else if (std::string_view("dmyhns").find(lower) != std::string_view::npos) {
      size_t run = 1;
      while (i + run < pattern.size() && Lower(pattern[i + run]) == lower) ++run;
      i += run - 1;
      // A run splits into tokens of the longest width the letter knows:
      // yyyy / yy / y (day of the year); two letters for the others.
      while (run > 0) {
        int width = 1;
        if (lower == 'y')
          width = run >= 4 ? 4 : run >= 2 ? 2 : 1;
        else
          width = run >= 2 ? 2 : 1;
        out.push_back({lower, width, {}});
        run -= static_cast<size_t>(width);
      }
    } else {
      literal(std::string(1, c));
    }
  }
  // "m" is minutes right after an hour or right before a second.
  const Token* previous = nullptr;
  for (size_t i = 0; i < out.size(); ++i) {
    Token& t = out[i];
    if (t.field == 0) continue;
    if (t.field == 'm') {
      const Token* next = nullptr;
      for (size_t j = i + 1; j < out.size() && !next; ++j)
        if (out[j].field != 0) next = &out[j];
      t.minutes = (previous && previous->field == 'h') || (next && next->field == 's');
    }
    previous = &t;
  }
  return out;
}

std::string Number(int value, int width) { return fmt::format("{:0{}}", value, width); }

int DayOfYear(DateTime value) {
  const auto first = DateTime::Make(value.Year(), 1, 1);
  return first ? static_cast<int>(value.Days() - first->Days()) + 1 : 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one to `most` digits at `at`; -1 when there is none.
int ReadField(std::string_view text, size_t& at, size_t most) {
  int value = 0;
  size_t read = 0;
  while (at < text.size() && read < most && IsDigit(text[at])) {
    value = value * 10 + (text[at] - '0');
    ++at;
    ++read;
  }
  return read == 0 ? -1 : value;
}

}  // namespace

std::string FormatDate(DateTime value, std::string_view pattern, const RegionalSettings& settings) {
  std::string out;
  for (const Token& t : Tokens(pattern, settings)) {
    switch (t.field) {
      case 0:
        out += t.text;
        break;
      case 'd':
        out += Number(value.Day(), t.width);
        break;
      case 'm':
        out += Number(t.minutes ? value.Minute() : value.Month(), t.width);
        break;
      case 'y':
        if (t.width == 1)
          out += std::to_string(DayOfYear(value));
        else if (t.width == 2)
          out += Number(value.Year() % 100, 2);
        else
          out += Number(value.Year(), 4);
        break;
      case 'h':
        out += Number(value.Hour(), t.width);
        break;
      case 'n':
        out += Number(value.Minute(), t.width);
        break;
      case 's':
        out += Number(value.Second(), t.width);
        break;
    }
  }
  return out;
}

// The zero day prints only its time, so the empty date reads "00:00:00";
// midnight prints only its date.
std::string DateText(DateTime value, const RegionalSettings& settings) {
  const bool has_date = value.Days() != 0;
  const bool has_time = value.SecondsOfDay() != 0;
  if (has_date && !has_time) return FormatDate(value, "dd/mm/yyyy", settings);
  if (!has_date) return FormatDate(value, "hh:nn:ss", settings);
  return FormatDate(value, "dd/mm/yyyy hh:nn:ss", settings);
}

DateTime ReadDate(std::string_view text, const RegionalSettings& settings) {
  size_t at = 0;
  const auto blanks = [&] {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  };
  const auto separator = [&](char sep) {
    if (at >= text.size() || text[at] != sep) RaiseRuntime(rt::kTypeMismatch);
    ++at;
  };
  const auto field = [&](size_t most) {
    const int v = ReadField(text, at, most);
    if (v < 0) RaiseRuntime(rt::kTypeMismatch);
    return v;
  };

  blanks();
  int year = 1899, month = 12, day = 30;
  const size_t start = at;
  const int first = field(2);
  const bool date_first = at < text.size() && text[at] == settings.date;
  if (date_first) {
    day = first;
    separator(settings.date);
    month = field(2);
    separator(settings.date);
    const size_t year_at = at;
    year = field(4);
    if (at - year_at != 4) RaiseRuntime(rt::kTypeMismatch);
    blanks();
  } else {
    at = start;
  }
  int hour = 0, minute = 0, second = 0;
  if (at < text.size()) {
    hour = field(2);
    separator(settings.time);
    minute = field(2);
    if (at < text.size() && text[at] == settings.time) {
      ++at;
      second = field(2);
    }
    blanks();
  }
  if (at != text.size() || (!date_first && at == start)) RaiseRuntime(rt::kTypeMismatch);
  return DateTime::Of(year, month, day, hour, minute, second);
}

DateTime DateOfSerial(double serial) {
  // 01/01/100 and the day after 31/12/9999 as serial numbers.
  constexpr double kFirst = -657434.0;
  constexpr double kPastLast = 2958466.0;
  if (!(serial > kFirst - 1.0 && serial < kPastLast)) RaiseRuntime(rt::kOverflow);
  return DateTime::FromSerial(serial);
}

}  // namespace bp::format
