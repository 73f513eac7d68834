// The statement templates shared by every dialect.
#include "bp/names.h"
#include "bp/schema/dialect.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "schema/invariant.h"

namespace bp::schema {
namespace {

using bp::Overloaded;

std::string Names(const std::vector<std::string>& names) {
  return fmt::format("{}", fmt::join(names, ", "));
}

std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

const ForeignKey& FindReference(const Table& table, const std::string& name) {
  for (const auto& fk : table.foreign_keys)
    if (SameName(fk.name, name)) return fk;
  return table.foreign_keys.back();  // unreachable: the model has just added it
}

}  // namespace

// ---- Values and pieces ------------------------------------------------------

std::string Dialect::TypeName(const ColumnType& type) const {
  return BareTypeName(type) + CollationClause(type.collation);
}

std::string Dialect::DateLiteral(DateTime date) const { return Quoted(invariant::DateText(date)); }

std::string Dialect::Literal(const Value& value) const {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::string("NULL"); },
                        [](Null) { return std::string("NULL"); },
                        [&](DateTime v) { return DateLiteral(v); },
                        [](const std::string& v) { return Quoted(v); },
                        [&](const auto&) { return invariant::Text(value); },
                    },
                    value.data());
}

std::string Dialect::DefaultClause(const Column& column) const {
  if (column.default_value.IsEmpty()) return {};
  return " DEFAULT " + Literal(column.default_value);
}

std::string Dialect::ColumnDefinition(const Column& column) const {
  std::string out = column.name + " " + TypeName(column.type);
  if (column.nullability == Nullability::kNull) out += " NULL";
  if (column.nullability == Nullability::kNotNull) out += " NOT NULL";
  return out + DefaultClause(column);
}

std::string Dialect::AddColumnStatement(const std::string& table, const Column& column) const {
  return fmt::format("ALTER TABLE {} {} {}", TableName(table), AddColumnWords(),
                     ColumnDefinition(column));
}

std::string Dialect::ReferenceClause(const ForeignKey& fk) const {
  return fmt::format("CONSTRAINT {} FOREIGN KEY ({}) REFERENCES {} ({})", fk.name,
                     Names(fk.columns), TableName(fk.ref_table), Names(fk.ref_columns));
}

std::string Dialect::LockingSelect(const std::string& columns, const std::string& table) const {
  return fmt::format("SELECT {} FROM {} FOR UPDATE", columns, TableName(table));
}

std::string Dialect::Quotient(const std::string& dividend, const std::string& divisor) const {
  return dividend + " / " + divisor;
}

std::string Dialect::CreateTableStatement(const Table& table) const {
  std::vector<std::string> items;
  for (const auto& column : table.columns) items.push_back(ColumnDefinition(column));
  if (const auto& pk = table.primary_key)
    items.push_back(fmt::format("CONSTRAINT {} PRIMARY KEY {}({})", pk->name,
                                Clustering(pk->clustered), Names(pk->columns)));
  for (const auto& fk : table.foreign_keys) items.push_back(ReferenceClause(fk));
  return fmt::format("CREATE TABLE {} (\n  {}\n){}", TableName(table.name),
                     fmt::join(items, ",\n  "), Storage());
}

std::string Dialect::CreateIndexStatement(const std::string& table, const Index& index) const {
  std::string out =
      fmt::format("CREATE {}{}INDEX {} ON {} ({})", index.unique ? "UNIQUE " : "",
                  Clustering(index.clustered), index.name, TableName(table), Names(index.columns));
  if (const auto included = Included(index); !included.empty())
    out += fmt::format(" INCLUDE ({})", Names(included));
  return out + Storage();
}

// ---- Primitives ----------------------------------------------------------------

std::string Dialect::SetNotNull(const std::string& table, const Column& column) const {
  return fmt::format("ALTER TABLE {} ALTER COLUMN {} SET NOT NULL", TableName(table), column.name);
}

std::string Dialect::SetDefault(const std::string& table, const Column& column) const {
  return fmt::format("ALTER TABLE {} ALTER COLUMN {} SET DEFAULT {}", TableName(table), column.name,
                     Literal(column.default_value));
}

std::vector<std::string> Dialect::AddNullableWithDefault(const std::string& table,
                                                         const Column& column) const {
  Column bare = column;
  bare.default_value = Value();
  return {AddColumnStatement(table, bare), SetDefault(table, column)};
}

// ---- Templates ------------------------------------------------------------------

std::vector<std::string> Dialect::CreateTableSql(const CreateTable& op, const Context& c) const {
  const Table& table = c.after.Get(op.table.name);
  std::vector<std::string> out = {CreateTableStatement(table)};
  for (const auto& index : table.indexes) out.push_back(CreateIndexStatement(table.name, index));
  return out;
}

std::vector<std::string> Dialect::DropTableSql(const DropTable& op, const Context&) const {
  return {"DROP TABLE " + TableName(op.table)};
}

std::vector<std::string> Dialect::AddColumnSql(const AddColumn& op, const Context& c) const {
  const Column& column = c.after.Get(op.table).columns.back();
  std::vector<std::string> out;
  if (column.nullability != Nullability::kNotNull && !column.default_value.IsEmpty()) {
    out = AddNullableWithDefault(op.table, column);
  } else {
    out = {AddColumnStatement(op.table, column)};
  }
  if (!op.fill.empty())
    out.push_back(
        fmt::format("UPDATE {} SET {} = {}", TableName(op.table), column.name, op.fill));
  return out;
}

std::vector<std::string> Dialect::DropColumnSql(const DropColumn& op, const Context& c) const {
  std::vector<std::string> out =
      DropDefault(op.table, *FindColumn(c.before.Get(op.table), op.column));
  out.push_back(fmt::format("ALTER TABLE {} DROP COLUMN {}", TableName(op.table), op.column));
  return out;
}

std::vector<std::string> Dialect::RenameColumnSql(const RenameColumn& op, const Context&) const {
  return {
      fmt::format("ALTER TABLE {} RENAME COLUMN {} TO {}", TableName(op.table), op.from, op.to)};
}

// The temporary-column walk: add the temporary column (nullable, without
// default), copy the values with a cast, drop the old column, give the
// temporary one its name, then make it NOT NULL and give it its default.
std::vector<std::string> Dialect::RetypeColumnSql(const RetypeColumn& op, const Context& c) const {
  const Column& target = c.after.Get(op.table).columns.back();
  Column temporary;
  temporary.name = op.temporary_name.empty() ? op.column.name + "_Temp" : op.temporary_name;
  temporary.type = target.type;
  temporary.nullability = Nullability::kNull;
  std::vector<std::string> out = {AddColumnStatement(op.table, temporary)};
  out.push_back(fmt::format("UPDATE {} SET {} = CAST({} AS {})", TableName(op.table),
                            temporary.name, target.name, BareTypeName(target.type)));
  for (auto& s : DropColumnSql(DropColumn{op.table, target.name}, c)) out.push_back(std::move(s));
  for (auto& s : RenameColumnSql(RenameColumn{op.table, temporary.name, target.name}, c))
    out.push_back(std::move(s));
  if (target.nullability == Nullability::kNotNull) out.push_back(SetNotNull(op.table, target));
  if (!target.default_value.IsEmpty()) out.push_back(SetDefault(op.table, target));
  return out;
}

// SQL Server restates the column's nullability when it alters it.
std::vector<std::string> Dialect::WidenColumnSql(const WidenColumn& op, const Context& c) const {
  Column column = *FindColumn(c.after.Get(op.table), op.column);
  column.default_value = Value{};  // the default stays as it is
  std::vector<std::string> out = {fmt::format("ALTER TABLE {} ALTER COLUMN {}",
                                              TableName(op.table), ColumnDefinition(column))};
  if (!op.rewrite_sqlserver.empty())
    out.push_back(fmt::format("UPDATE {} SET {} = {}", TableName(op.table), op.column,
                              op.rewrite_sqlserver));
  return out;
}

std::vector<std::string> Dialect::CreateIndexSql(const CreateIndex& op, const Context&) const {
  return {CreateIndexStatement(op.table, op.index)};
}

std::vector<std::string> Dialect::DropIndexSql(const DropIndex& op, const Context&) const {
  return {"DROP INDEX " + op.index};
}

std::vector<std::string> Dialect::AddPrimaryKeySql(const AddPrimaryKey& op, const Context&) const {
  return {fmt::format("ALTER TABLE {} ADD CONSTRAINT {} PRIMARY KEY {}({}){}", TableName(op.table),
                      op.key.name, Clustering(op.key.clustered), Names(op.key.columns), Storage())};
}

std::vector<std::string> Dialect::DropPrimaryKeySql(const DropPrimaryKey& op,
                                                    const Context&) const {
  return {fmt::format("ALTER TABLE {} DROP CONSTRAINT {}", TableName(op.table), op.name)};
}

std::vector<std::string> Dialect::AddForeignKeySql(const AddForeignKey& op,
                                                   const Context& c) const {
  const ForeignKey& fk = FindReference(c.after.Get(op.table), op.key.name);
  return {fmt::format("ALTER TABLE {}{} ADD {}{}", TableName(op.table),
                      op.no_check ? UncheckedBeforeAdd() : "", ReferenceClause(fk),
                      op.no_check ? UncheckedAtEnd() : "")};
}

std::vector<std::string> Dialect::DropForeignKeySql(const DropForeignKey& op,
                                                    const Context&) const {
  return {fmt::format("ALTER TABLE {} DROP CONSTRAINT {}", TableName(op.table), op.name)};
}

std::vector<std::string> Dialect::SeedRowsSql(const SeedRows& op, const Context&) const {
  std::vector<std::string> out;
  for (const auto& row : op.rows) {
    std::vector<std::string> values;
    for (const auto& value : row) values.push_back(Literal(value));
    out.push_back(fmt::format("INSERT INTO {} ({}) VALUES ({})", TableName(op.table),
                              Names(op.columns), Names(values)));
  }
  return out;
}

std::vector<std::string> Dialect::DataSql(const DataStatement& op, const Context&) const {
  return {OwnText(op).value_or(op.sql)};
}

// ---- Dispatch and what survives ----------------------------------------------------

struct Dialect::Dispatch {
  const Dialect& d;
  const Context& c;
  auto operator()(const CreateTable& op) const { return d.CreateTableSql(op, c); }
  auto operator()(const DropTable& op) const { return d.DropTableSql(op, c); }
  auto operator()(const AddColumn& op) const { return d.AddColumnSql(op, c); }
  auto operator()(const DropColumn& op) const { return d.DropColumnSql(op, c); }
  auto operator()(const RenameColumn& op) const { return d.RenameColumnSql(op, c); }
  auto operator()(const RetypeColumn& op) const { return d.RetypeColumnSql(op, c); }
  auto operator()(const WidenColumn& op) const { return d.WidenColumnSql(op, c); }
  auto operator()(const CreateIndex& op) const { return d.CreateIndexSql(op, c); }
  auto operator()(const DropIndex& op) const { return d.DropIndexSql(op, c); }
  auto operator()(const AddPrimaryKey& op) const { return d.AddPrimaryKeySql(op, c); }
  auto operator()(const DropPrimaryKey& op) const { return d.DropPrimaryKeySql(op, c); }
  auto operator()(const AddForeignKey& op) const { return d.AddForeignKeySql(op, c); }
  auto operator()(const DropForeignKey& op) const { return d.DropForeignKeySql(op, c); }
  auto operator()(const SeedRows& op) const { return d.SeedRowsSql(op, c); }
  auto operator()(const DataStatement& op) const { return d.DataSql(op, c); }
};

std::vector<std::string> Dialect::Render(const Operation& op, const Model& before) const {
  Model after = before;
  after.Apply(op);
  const Context context{before, after};
  return std::visit(Dispatch{*this, context}, op);
}

Model Dialect::Kept(const Model& model) const {
  Model out;
  for (const Table* source : model.Tables()) {
    Table table = *source;
    for (auto& column : table.columns) {
      column.type = Kept(column.type);
      if (column.nullability == Nullability::kNotStated) column.nullability = Nullability::kNull;
      column.default_value = NormalizeDefault(column.type, column.default_value);
      if (!KeepsServerDetails()) column.default_name.clear();
    }
    if (table.primary_key && !KeepsServerDetails()) table.primary_key->clustered = false;
    for (auto& index : table.indexes) {
      index.include = Included(index);
      if (!KeepsServerDetails()) index.clustered = false;
    }
    out.Put(std::move(table));
  }
  return out;
}

const Dialect& DialectFor(db::DialectKind kind) {
  switch (kind) {
    case db::DialectKind::kSqlServer:
      return SqlServerDialect();
    case db::DialectKind::kPostgreSQL:
      return PostgreSQLDialect();
    case db::DialectKind::kSQLite:
      break;
  }
  return SQLiteDialect();
}

}  // namespace bp::schema
