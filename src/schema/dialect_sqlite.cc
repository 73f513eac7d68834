// SQLite: declared types that keep the catalogue's meaning when the
// connection reads values back, NOCASE for case-insensitive collations, no
// included columns, keys and references written inside CREATE TABLE, and a
// table rebuild wherever ALTER TABLE cannot make the change.
#include <fmt/format.h>

#include "bp/schema/dialect.h"
#include "bp/schema/sqlite_rebuild.h"

namespace bp::schema {
namespace {

// Whether a collation compares case-insensitively: a SQL Server name with
// "_CI" (Latin1_General_CI_AS, SQL_Latin1_General_CP1_CI_AI ...) or NOCASE.
bool CaseInsensitive(const std::string& collation) {
  return collation.find("_CI") != std::string::npos || collation.find("_ci") != std::string::npos ||
         SameName(collation, "NOCASE");
}

class SQLite final : public Dialect {
 public:
  db::DialectKind Kind() const override { return db::DialectKind::kSQLite; }

  // SQLite locks the whole database, not rows: the connection begins every
  // transaction IMMEDIATE, holding the write lock from its start, so a plain
  // read inside one is already safe from other writers.
  std::string LockingSelect(const std::string& columns, const std::string& table) const override {
    return fmt::format("SELECT {} FROM {}", columns, TableName(table));
  }

  // The divisor goes through the connection's bp_divisor, which fails on
  // zero where SQLite's own division gives NULL.
  std::string Quotient(const std::string& dividend, const std::string& divisor) const override {
    return fmt::format("{} / {}({})", dividend, db::kSqliteDivisorFunction, divisor);
  }

  ColumnType Kept(const ColumnType& type) const override {
    ColumnType out = type;
    if (out.kind == ColumnType::Kind::kFloat53) out.kind = ColumnType::Kind::kFloat;
    out.collation = CaseInsensitive(type.collation) ? "NOCASE" : "";
    return out;
  }

 protected:
  std::string BareTypeName(const ColumnType& type) const override {
    using K = ColumnType::Kind;
    switch (type.kind) {
      case K::kInt:
        return "INT";
      case K::kSmallInt:
        return "SMALLINT";
      case K::kTinyInt:
        return "TINYINT";
      case K::kBit:
        return "BIT";
      case K::kMoney:
        return "MONEY";
      case K::kFloat:
      case K::kFloat53:
        return "FLOAT";
      case K::kReal:
        return "REAL";
      case K::kNumeric:
        return fmt::format("NUMERIC({},{})", type.length, type.scale);
      case K::kDateTime:
        return "DATETIME";
      case K::kChar:
        return fmt::format("CHAR({})", type.length);
      case K::kVarChar:
        return fmt::format("VARCHAR({})", type.length);
      case K::kNVarChar:
        return fmt::format("NVARCHAR({})", type.length);
      case K::kText:
        return "TEXT";
    }
    return "TEXT";
  }
  // NOCASE folds ASCII letters only: accents still count (no "_AI").
  std::string CollationClause(const std::string& collation) const override {
    return CaseInsensitive(collation) ? " COLLATE NOCASE" : "";
  }
  std::vector<std::string> Included(const Index&) const override { return {}; }
  const std::optional<std::string>& OwnText(const DataStatement& op) const override {
    return op.sqlite;
  }

  // ADD COLUMN cannot set a default for new rows only, so the existing rows
  // are set back to NULL, as SQL Server leaves them.
  std::vector<std::string> AddNullableWithDefault(const std::string& table,
                                                  const Column& column) const override {
    return {AddColumnStatement(table, column),
            fmt::format("UPDATE {} SET {} = NULL", TableName(table), column.name)};
  }

  std::vector<std::string> AddColumnSql(const AddColumn& op, const Context& c) const override {
    const Column& column = c.after.Get(op.table).columns.back();
    // SQLite refuses NOT NULL without a default even on an empty table.
    if (column.nullability == Nullability::kNotNull && column.default_value.IsEmpty())
      return Rebuild(op.table, c);
    return Dialect::AddColumnSql(op, c);
  }
  std::vector<std::string> RetypeColumnSql(const RetypeColumn& op,
                                           const Context& c) const override {
    return Rebuild(op.table, c);
  }
  // The rows come back through the rewrite, if any, on their way into the
  // new shape.
  std::vector<std::string> WidenColumnSql(const WidenColumn& op, const Context& c) const override {
    return RebuildTable(*this, c.before.Get(op.table), c.after.Get(op.table), nullptr,
                        {op.column, op.rewrite});
  }
  std::vector<std::string> AddPrimaryKeySql(const AddPrimaryKey& op,
                                            const Context& c) const override {
    return Rebuild(op.table, c);
  }
  std::vector<std::string> DropPrimaryKeySql(const DropPrimaryKey& op,
                                             const Context& c) const override {
    return Rebuild(op.table, c);
  }
  std::vector<std::string> AddForeignKeySql(const AddForeignKey& op,
                                            const Context& c) const override {
    const Table& after = c.after.Get(op.table);
    const ForeignKey* added = nullptr;
    for (const auto& fk : after.foreign_keys)
      if (SameName(fk.name, op.key.name)) added = &fk;
    return RebuildTable(*this, c.before.Get(op.table), after, op.no_check ? nullptr : added);
  }
  std::vector<std::string> DropForeignKeySql(const DropForeignKey& op,
                                             const Context& c) const override {
    return Rebuild(op.table, c);
  }

 private:
  std::vector<std::string> Rebuild(const std::string& table, const Context& c) const {
    return RebuildTable(*this, c.before.Get(table), c.after.Get(table));
  }
};

}  // namespace

const Dialect& SQLiteDialect() {
  static const SQLite dialect;
  return dialect;
}

}  // namespace bp::schema
