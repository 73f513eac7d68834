// SQL Server: the catalogue's own types and names, the owner prefix "dbo.",
// clustering, filegroups, sp_rename and named default constraints.
#include <fmt/format.h>

#include "bp/schema/dialect.h"
#include "schema/invariant.h"

namespace bp::schema {
namespace {

class SqlServer final : public Dialect {
 public:
  db::DialectKind Kind() const override { return db::DialectKind::kSqlServer; }
  std::string TableName(const std::string& table) const override { return "dbo." + table; }
  // The update lock is held to the end of the transaction (HOLDLOCK).
  std::string LockingSelect(const std::string& columns, const std::string& table) const override {
    return fmt::format("SELECT {} FROM {} WITH (UPDLOCK, HOLDLOCK)", columns, TableName(table));
  }

 protected:
  std::string BareTypeName(const ColumnType& type) const override {
    ColumnType bare = type;
    bare.collation.clear();
    return CatalogueName(bare);
  }
  std::string CollationClause(const std::string& collation) const override {
    return collation.empty() ? std::string() : " COLLATE " + collation;
  }
  std::string DefaultClause(const Column& column) const override {
    if (column.default_value.IsEmpty() || column.default_name.empty())
      return Dialect::DefaultClause(column);
    return fmt::format(" CONSTRAINT {} DEFAULT {}", column.default_name,
                       Literal(column.default_value));
  }
  // 'yyyymmdd hh:mm:ss' is the one form that datetime reads alike under every
  // language and DATEFORMAT setting of the server.
  std::string DateLiteral(DateTime date) const override {
    return fmt::format("'{:04}{:02}{:02} {:02}:{:02}:{:02}'", date.Year(), date.Month(), date.Day(),
                       date.Hour(), date.Minute(), date.Second());
  }
  std::string Clustering(bool clustered) const override {
    return clustered ? "CLUSTERED " : "NONCLUSTERED ";
  }
  std::string Storage() const override { return " ON [PRIMARY]"; }
  std::string AddColumnWords() const override { return "ADD"; }
  std::string UncheckedBeforeAdd() const override { return " WITH NOCHECK"; }
  std::string UncheckedAtEnd() const override { return {}; }
  bool KeepsServerDetails() const override { return true; }
  const std::optional<std::string>& OwnText(const DataStatement& op) const override {
    return op.sqlserver;
  }

  std::string SetNotNull(const std::string& table, const Column& column) const override {
    return fmt::format("ALTER TABLE {} ALTER COLUMN {} {} NOT NULL", TableName(table), column.name,
                       TypeName(column.type));
  }
  std::string SetDefault(const std::string& table, const Column& column) const override {
    const std::string name =
        column.default_name.empty() ? std::string() : "CONSTRAINT " + column.default_name + " ";
    return fmt::format("ALTER TABLE {} ADD {}DEFAULT {} FOR {}", TableName(table), name,
                       Literal(column.default_value), column.name);
  }
  // A column with a default constraint cannot be dropped until the constraint
  // is; an unnamed one is found by its column in sys.default_constraints.
  std::vector<std::string> DropDefault(const std::string& table,
                                       const Column& column) const override {
    if (column.default_value.IsEmpty()) return {};
    const std::string owner = TableName(table);
    if (!column.default_name.empty())
      return {fmt::format("ALTER TABLE {} DROP CONSTRAINT {}", owner, column.default_name)};
    return {fmt::format(
        "DECLARE @sql nvarchar(400);\n"
        "SELECT @sql = N'ALTER TABLE {0} DROP CONSTRAINT ' + QUOTENAME(d.name)\n"
        "FROM sys.default_constraints AS d\n"
        "WHERE d.parent_object_id = OBJECT_ID(N'{0}')\n"
        "AND d.parent_column_id = COLUMNPROPERTY(OBJECT_ID(N'{0}'), '{1}', 'ColumnId');\n"
        "IF @sql IS NOT NULL EXEC sp_executesql @sql;",
        owner, column.name)};
  }
  // The server fills only NOT NULL columns with their default; a nullable
  // column added with a default keeps NULL in the existing rows by itself.
  std::vector<std::string> AddNullableWithDefault(const std::string& table,
                                                  const Column& column) const override {
    return {AddColumnStatement(table, column)};
  }

  std::vector<std::string> RenameColumnSql(const RenameColumn& op, const Context&) const override {
    return {
        fmt::format("EXEC sp_rename '{}.{}', '{}', 'COLUMN'", TableName(op.table), op.from, op.to)};
  }
  std::vector<std::string> DropIndexSql(const DropIndex& op, const Context&) const override {
    return {fmt::format("DROP INDEX {} ON {}", op.index, TableName(op.table))};
  }
};

}  // namespace

const Dialect& SqlServerDialect() {
  static const SqlServer dialect;
  return dialect;
}

}  // namespace bp::schema
