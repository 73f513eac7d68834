// Text handling of the PostgreSQL connection that needs no server: numbering
// of parameter marks and hiding the password of a URL.
#include <algorithm>
#include <cctype>

#include "db/postgres_connection.h"

namespace bp::db {

namespace {

bool IdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// Past a quoted run starting at `i` (the opening quote); `backslashes` for
// E'...' texts, where a backslash escapes the next character.
size_t SkipQuoted(std::string_view sql, size_t i, char quote, bool backslashes) {
  for (++i; i < sql.size(); ++i) {
    if (backslashes && sql[i] == '\\') {
      ++i;
    } else if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        ++i;  // doubled quote inside the text
      } else {
        return i + 1;
      }
    }
  }
  return sql.size();
}

// Past a dollar-quoted text ($$...$$ or $tag$...$tag$) when one starts at `i`;
// `i` itself when it is not one ($1 and the like).
size_t SkipDollarQuoted(std::string_view sql, size_t i) {
  size_t j = i + 1;
  while (j < sql.size() && sql[j] != '$' && IdentifierChar(sql[j]) &&
         !(j == i + 1 && std::isdigit(static_cast<unsigned char>(sql[j]))))
    ++j;
  if (j >= sql.size() || sql[j] != '$') return i;
  const std::string_view tag = sql.substr(i, j - i + 1);
  const size_t close = sql.find(tag, j + 1);
  return close == std::string_view::npos ? sql.size() : close + tag.size();
}

size_t SkipBlockComment(std::string_view sql, size_t i) {
  int depth = 0;
  while (i < sql.size()) {
    if (sql.compare(i, 2, "/*") == 0) {
      ++depth;
      i += 2;
    } else if (sql.compare(i, 2, "*/") == 0) {
      i += 2;
      if (--depth == 0) return i;
    } else {
      ++i;
    }
  }
  return sql.size();
}

}  // namespace

std::string NumberPlaceholders(std::string_view sql, size_t& count) {
  std::string out;
  out.reserve(sql.size() + 16);
  count = 0;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    size_t next = i + 1;
    if (c == '\'') {
      const bool escaped = i > 0 && (sql[i - 1] == 'E' || sql[i - 1] == 'e') &&
                           (i < 2 || !IdentifierChar(sql[i - 2]));
      next = SkipQuoted(sql, i, '\'', escaped);
    } else if (c == '"') {
      next = SkipQuoted(sql, i, '"', false);
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      next = sql.find('\n', i);
      if (next == std::string_view::npos) next = sql.size();
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      next = SkipBlockComment(sql, i);
    } else if (c == '$' && (i == 0 || !IdentifierChar(sql[i - 1]))) {
      next = std::max(SkipDollarQuoted(sql, i), i + 1);
    } else if (c == '?') {
      out += '$';
      out += std::to_string(++count);
      i = next;
      continue;
    }
    out.append(sql.substr(i, next - i));
    i = next;
  }
  return out;
}

std::string HidePassword(std::string_view url) {
  std::string out(url);
  const size_t scheme = out.find("://");
  if (scheme == std::string::npos) return out;
  const size_t start = scheme + 3;
  size_t end = out.find_first_of("/?#", start);
  if (end == std::string::npos) end = out.size();
  const size_t at = out.rfind('@', end);
  if (at != std::string::npos && at >= start) {
    const size_t colon = out.find(':', start);
    if (colon < at) out.replace(colon + 1, at - colon - 1, "***");
  }
  size_t query = out.find('?');
  while (query != std::string::npos) {
    const size_t key = query + 1;
    size_t stop = out.find('&', key);
    if (stop == std::string::npos) stop = out.size();
    if (out.compare(key, 9, "password=") == 0 && key + 9 <= stop)
      out.replace(key + 9, stop - key - 9, "***");
    query = out.find('&', key);
  }
  return out;
}

}  // namespace bp::db
