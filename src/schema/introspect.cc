// What both introspections share: choosing one by the connection, reading
// type names and default expressions back, and the comparison on what a
// database can keep.
#include "bp/names.h"
#include "bp/schema/introspect.h"

#include <cctype>
#include <charconv>

#include "bp/erro.h"
#include "bp/schema/dialect.h"

namespace bp::schema {
namespace {


int Number(std::string_view text) {
  text = TrimSpace(text);
  int out = 0;
  std::from_chars(text.data(), text.data() + text.size(), out);
  return out;
}

// Removes parentheses that wrap the whole text: "((0))" -> "0".
std::string_view Unwrap(std::string_view text) {
  text = TrimSpace(text);
  while (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
    int depth = 0;
    bool wraps = true;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
      if (depth == 0) wraps = false;
    }
    if (!wraps) break;
    text = TrimSpace(text.substr(1, text.size() - 2));
  }
  return text;
}

}  // namespace

Model Introspect(db::Connection& connection) {
  switch (connection.Kind()) {
    case db::DialectKind::kSQLite:
      return IntrospectSQLite(connection);
    case db::DialectKind::kPostgreSQL:
      return IntrospectPostgreSQL(connection);
    case db::DialectKind::kSqlServer:
      break;
  }
  throw Erro(static_cast<int32_t>(0x80040E14), "No introspection for SQL Server connections.");
}

std::string DifferenceFromDatabase(const Model& expected, const Model& introspected,
                                   db::DialectKind kind) {
  const Dialect& dialect = DialectFor(kind);
  return FirstDifference(dialect.Kept(expected), dialect.Kept(introspected));
}

ColumnType ReadTypeName(std::string_view declared) {
  std::string name;
  for (char c : declared.substr(0, declared.find('(')))
    name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  name = std::string(TrimSpace(name));
  int first = 0, second = 0;
  if (const size_t open = declared.find('('); open != std::string_view::npos) {
    const std::string_view args = declared.substr(open + 1);
    first = Number(args.substr(0, args.find_first_of(",)")));
    if (const size_t comma = args.find(','); comma != std::string_view::npos)
      second = Number(args.substr(comma + 1, args.find(')') - comma - 1));
  }
  const auto is = [&](std::initializer_list<std::string_view> names) {
    for (auto n : names)
      if (name == n) return true;
    return false;
  };
  if (is({"int", "integer", "int4"})) return Int();
  if (is({"smallint", "int2"})) return SmallInt();
  if (is({"tinyint"})) return TinyInt();
  if (is({"bit", "boolean", "bool"})) return Bit();
  if (is({"money"})) return MoneyType();
  if (is({"float", "double precision", "float8", "double"})) return Float();
  if (is({"real", "float4"})) return Real();
  if (is({"numeric", "decimal"})) return Numeric(first, second);
  if (is({"datetime", "timestamp", "timestamp without time zone"})) return DateTimeType();
  if (is({"char", "character", "bpchar"})) return Char(first);
  if (is({"varchar", "character varying"})) return VarChar(first);
  if (is({"nvarchar"})) return NVarChar(first);
  return Text();
}

Value ReadDefault(const ColumnType& type, std::string_view expression) {
  std::string_view text = Unwrap(expression);
  if (text.empty()) return Value();
  std::string value;
  if (text.front() == '\'') {
    // A quoted literal, with '' for a quote, perhaps followed by "::type".
    for (size_t i = 1; i < text.size(); ++i) {
      if (text[i] == '\'') {
        if (i + 1 < text.size() && text[i + 1] == '\'') {
          value += '\'';
          ++i;
          continue;
        }
        break;
      }
      value += text[i];
    }
  } else {
    value = std::string(Unwrap(text.substr(0, text.find("::"))));
    std::string upper;
    for (char c : value) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "NULL") return Value();
  }
  return NormalizeDefault(type, Value(value));
}

}  // namespace bp::schema
