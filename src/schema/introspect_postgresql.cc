// PostgreSQL introspection from pg_catalog, for the current schema. Every
// value is asked for as text or integer so that no PostgreSQL-only type
// (name, int2vector, arrays) has to cross the connection; column lists come
// joined with commas in their key order.
#include <algorithm>
#include <map>

#include "bp/schema/introspect.h"
#include "schema/invariant.h"

namespace bp::schema {
namespace {

std::string Str(const Value& v) { return v.IsNull() ? std::string() : invariant::Text(v); }
int Int(const Value& v) { return v.IsNull() ? 0 : static_cast<int>(invariant::Number(v)); }

std::vector<std::string> Split(const std::string& joined) {
  std::vector<std::string> out;
  if (joined.empty()) return out;
  size_t start = 0;
  for (size_t comma; (comma = joined.find(',', start)) != std::string::npos; start = comma + 1)
    out.push_back(joined.substr(start, comma - start));
  out.push_back(joined.substr(start));
  return out;
}

// The names of the attributes numbered in `array` of relation `relation`, in
// the array's order.
std::string AttributeNames(const char* array, const char* relation) {
  return std::string("(SELECT string_agg(a.attname::text, ',' ORDER BY u.ord) FROM unnest(") +
         array +
         ") WITH ORDINALITY AS u(att, ord) JOIN pg_attribute a ON a.attrelid = " + relation +
         " AND a.attnum = u.att)";
}

constexpr const char* kTables =
    "SELECT c.relname::text FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
    "WHERE c.relkind IN ('r', 'p') AND n.nspname = current_schema() ORDER BY 1";

constexpr const char* kColumns =
    "SELECT c.relname::text, a.attname::text, format_type(a.atttypid, a.atttypmod), "
    "a.attnotnull::int, pg_get_expr(d.adbin, d.adrelid) "
    "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
    "JOIN pg_namespace n ON n.oid = c.relnamespace "
    "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
    "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') AND a.attnum > 0 "
    "AND NOT a.attisdropped ORDER BY c.relname, a.attnum";

std::string ConstraintsQuery() {
  return "SELECT c.relname::text, k.conname::text, k.contype::text, " +
         AttributeNames("k.conkey", "k.conrelid") + ", f.relname::text, " +
         AttributeNames("k.confkey", "k.confrelid") +
         " FROM pg_constraint k JOIN pg_class c ON c.oid = k.conrelid "
         "JOIN pg_namespace n ON n.oid = c.relnamespace LEFT JOIN pg_class f ON f.oid = "
         "k.confrelid "
         "WHERE n.nspname = current_schema() AND k.contype IN ('p', 'f') ORDER BY 1, 2";
}

std::string IndexesQuery() {
  return "SELECT c.relname::text, i.relname::text, x.indisunique::int, x.indnkeyatts::int, " +
         AttributeNames("x.indkey::int2[]", "x.indrelid") +
         " FROM pg_index x JOIN pg_class c ON c.oid = x.indrelid "
         "JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
         "WHERE n.nspname = current_schema() AND NOT x.indisprimary ORDER BY 1, 2";
}

}  // namespace

Model IntrospectPostgreSQL(db::Connection& connection) {
  std::map<std::string, Table> tables;
  const auto names = connection.Query(kTables);
  for (const auto& row : names.Rows()) tables[Str(row[0])].name = Str(row[0]);

  const auto columns = connection.Query(kColumns);
  for (const auto& row : columns.Rows()) {
    Column column;
    column.name = Str(row[1]);
    column.type = ReadTypeName(Str(row[2]));
    column.nullability = Int(row[3]) ? Nullability::kNotNull : Nullability::kNull;
    column.default_value = ReadDefault(column.type, Str(row[4]));
    tables[Str(row[0])].columns.push_back(std::move(column));
  }
  const auto constraints = connection.Query(ConstraintsQuery());
  for (const auto& row : constraints.Rows()) {
    Table& table = tables[Str(row[0])];
    if (Str(row[2]) == "p") {
      table.primary_key = PrimaryKey{Str(row[1]), Split(Str(row[3])), false};
    } else {
      table.foreign_keys.push_back(
          ForeignKey{Str(row[1]), Split(Str(row[3])), Str(row[4]), Split(Str(row[5]))});
    }
  }
  const auto indexes = connection.Query(IndexesQuery());
  for (const auto& row : indexes.Rows()) {
    Index index;
    index.name = Str(row[1]);
    index.unique = Int(row[2]) != 0;
    const auto all = Split(Str(row[4]));
    const size_t keys = std::min(all.size(), static_cast<size_t>(Int(row[3])));
    index.columns.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(keys));
    index.include.assign(all.begin() + static_cast<std::ptrdiff_t>(keys), all.end());
    tables[Str(row[0])].indexes.push_back(std::move(index));
  }

  Model model;
  for (auto& [name, table] : tables) model.Put(std::move(table));
  return model;
}

}  // namespace bp::schema
