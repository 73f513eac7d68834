// SQLite introspection: the structure from sqlite_master and the PRAGMA
// table functions; the names of keys and references and the collations from
// the CREATE TABLE text, which SQLite keeps as it was written.
#include <algorithm>
#include <cctype>
#include <map>

#include "bp/schema/introspect.h"
#include "schema/invariant.h"

namespace bp::schema {
namespace {

std::string Str(const Value& v) { return v.IsNull() ? std::string() : invariant::Text(v); }
int Int(const Value& v) { return v.IsNull() ? 0 : static_cast<int>(invariant::Number(v)); }

// ---- The CREATE TABLE text ----------------------------------------------------

// Words (identifiers, unquoted from "x", [x] or `x`), string literals and
// single punctuation characters.
std::vector<std::string> Tokens(std::string_view sql) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '"' || c == '[' || c == '`') {
      const char close = c == '[' ? ']' : c;
      const size_t end = sql.find(close, i + 1);
      out.emplace_back(sql.substr(i + 1, end - i - 1));
      i = end == std::string_view::npos ? sql.size() : end + 1;
    } else if (c == '\'') {
      size_t end = i + 1;
      while (end < sql.size() &&
             !(sql[end] == '\'' && (end + 1 >= sql.size() || sql[end + 1] != '\'')))
        end += sql[end] == '\'' ? 2 : 1;
      out.emplace_back(sql.substr(i, end + 1 - i));
      i = end + 1;
    } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$') {
      size_t end = i;
      while (end < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[end])) ||
                                  sql[end] == '_' || sql[end] == '$' || sql[end] == '.'))
        ++end;
      out.emplace_back(sql.substr(i, end - i));
      i = end;
    } else {
      out.emplace_back(1, c);
      ++i;
    }
  }
  return out;
}

bool Is(const std::vector<std::string>& item, size_t at, std::string_view word) {
  return at < item.size() && SameName(item[at], word);
}

// The names inside the parentheses that open at item[at].
std::vector<std::string> NameList(const std::vector<std::string>& item, size_t& at) {
  std::vector<std::string> out;
  if (!Is(item, at, "(")) return out;
  for (++at; at < item.size() && item[at] != ")"; ++at)
    if (item[at] != ",") out.push_back(item[at]);
  ++at;
  return out;
}

struct NamedReference {
  std::string name;
  std::vector<std::string> columns;
  std::string ref_table;
};

struct TableText {
  std::string key_name;
  std::vector<NamedReference> references;
  std::map<std::string, std::string> collations;  // by lower-case column name
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TableText ReadTableText(std::string_view sql) {
  // Split the body between the outer parentheses at its top-level commas.
  const auto tokens = Tokens(sql);
  std::vector<std::vector<std::string>> items(1);
  int depth = 0;
  for (const auto& t : tokens) {
    if (t == "(" && ++depth == 1) continue;
    if (t == ")" && --depth == 0) break;
    if (depth == 0) continue;
    if (t == "," && depth == 1) {
      items.emplace_back();
    } else {
      items.back().push_back(t);
    }
  }
  TableText out;
  for (const auto& item : items) {
    if (item.empty()) continue;
    size_t at = 0;
    std::string name;
    if (Is(item, 0, "CONSTRAINT") && item.size() > 1) {
      name = item[1];
      at = 2;
    }
    if (Is(item, at, "PRIMARY") && Is(item, at + 1, "KEY")) {
      out.key_name = name;
    } else if (Is(item, at, "FOREIGN") && Is(item, at + 1, "KEY")) {
      at += 2;
      NamedReference ref{name, NameList(item, at), {}};
      if (Is(item, at, "REFERENCES") && at + 1 < item.size()) ref.ref_table = item[at + 1];
      out.references.push_back(std::move(ref));
    } else if (at == 0 && !Is(item, 0, "UNIQUE") && !Is(item, 0, "CHECK")) {
      for (size_t i = 1; i + 1 < item.size(); ++i)
        if (Is(item, i, "COLLATE")) out.collations[Lower(item[0])] = item[i + 1];
    }
  }
  return out;
}

// ---- The PRAGMA functions --------------------------------------------------------

void ReadColumns(db::Connection& db, Table& table, const TableText& text) {
  const auto rs = db.Query(
      "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid",
      {Value(table.name)});
  std::vector<std::pair<int, std::string>> key;
  for (const auto& row : rs.Rows()) {
    Column column;
    column.name = Str(row[0]);
    column.type = ReadTypeName(Str(row[1]));
    if (const auto it = text.collations.find(Lower(column.name)); it != text.collations.end())
      column.type.collation = it->second;
    column.nullability = Int(row[2]) ? Nullability::kNotNull : Nullability::kNull;
    column.default_value = ReadDefault(column.type, Str(row[3]));
    if (Int(row[4]) > 0) key.emplace_back(Int(row[4]), column.name);
    table.columns.push_back(std::move(column));
  }
  if (key.empty()) return;
  std::sort(key.begin(), key.end());
  PrimaryKey pk;
  pk.name = text.key_name;
  for (auto& [position, name] : key) pk.columns.push_back(name);
  table.primary_key = std::move(pk);
}

void ReadIndexes(db::Connection& db, Table& table) {
  const auto list = db.Query("SELECT name, \"unique\" FROM pragma_index_list(?) WHERE origin = 'c'",
                             {Value(table.name)});
  for (const auto& row : list.Rows()) {
    Index index;
    index.name = Str(row[0]);
    index.unique = Int(row[1]) != 0;
    const auto columns =
        db.Query("SELECT name FROM pragma_index_info(?) ORDER BY seqno", {Value(index.name)});
    for (const auto& c : columns.Rows()) index.columns.push_back(Str(c[0]));
    table.indexes.push_back(std::move(index));
  }
  std::sort(table.indexes.begin(), table.indexes.end(),
            [](const Index& a, const Index& b) { return Lower(a.name) < Lower(b.name); });
}

void ReadReferences(db::Connection& db, Table& table, const TableText& text) {
  const auto rs = db.Query(
      "SELECT id, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?) ORDER BY id, seq",
      {Value(table.name)});
  std::map<int, ForeignKey> by_id;
  for (const auto& row : rs.Rows()) {
    ForeignKey& fk = by_id[Int(row[0])];
    fk.ref_table = Str(row[1]);
    fk.columns.push_back(Str(row[2]));
    fk.ref_columns.push_back(Str(row[3]));
  }
  for (auto& [id, fk] : by_id) {
    for (const auto& named : text.references)
      if (SameNames(named.columns, fk.columns) && SameName(named.ref_table, fk.ref_table))
        fk.name = named.name;
    table.foreign_keys.push_back(std::move(fk));
  }
}

}  // namespace

Model IntrospectSQLite(db::Connection& connection) {
  Model model;
  const auto tables = connection.Query(
      "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
      "ORDER BY name");
  for (const auto& row : tables.Rows()) {
    Table table;
    table.name = Str(row[0]);
    const TableText text = ReadTableText(Str(row[1]));
    ReadColumns(connection, table, text);
    ReadIndexes(connection, table);
    ReadReferences(connection, table, text);
    model.Put(std::move(table));
  }
  // A reference written without columns points at the parent's primary key.
  for (const Table* table : model.Tables()) {
    Table copy = *table;
    bool changed = false;
    for (auto& fk : copy.foreign_keys) {
      const Table* parent = model.Find(fk.ref_table);
      if (!fk.ref_columns.empty() && !fk.ref_columns.front().empty()) continue;
      if (parent && parent->primary_key) fk.ref_columns = parent->primary_key->columns;
      changed = true;
    }
    if (changed) model.Put(std::move(copy));
  }
  return model;
}

}  // namespace bp::schema
