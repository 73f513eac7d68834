// Dialects: how each database is told to carry out a schema operation.
//
// The base class holds one statement template per operation, written in the
// SQL that PostgreSQL speaks; SQL Server and SQLite override only what they
// say differently (as Django's schema editors do). SQL Server text is meant to
// be run by a server elsewhere; SQLite rebuilds a table where it has no ALTER
// for a change (sqlite_rebuild.h). docs/schema.md describes every choice.
#pragma once

#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "bp/schema/model.h"
#include "bp/schema/operations.h"
#include "bp/value.h"

namespace bp::schema {

class Dialect {
 public:
  virtual ~Dialect() = default;
  virtual db::DialectKind Kind() const = 0;

  // The column type as this database declares it, with its collation clause.
  std::string TypeName(const ColumnType& type) const;
  // A constant as SQL text: NULL for Null and Empty, numbers in invariant
  // form, booleans as 1 and 0, dates and texts between single quotes (quotes
  // inside doubled).
  virtual std::string Literal(const Value& value) const;

  // The statements that carry out `op` on a database whose schema is
  // `before`. Raises what before.Apply(op) raises when the operation is
  // refused, before any statement exists.
  std::vector<std::string> Render(const Operation& op, const Model& before) const;

  // What this database keeps of a type or a whole model: the form that
  // introspection reads back (PostgreSQL has no tinyint, SQLite no INCLUDE
  // columns ...).
  virtual ColumnType Kept(const ColumnType& type) const { return type; }
  Model Kept(const Model& model) const;

  // Single statements, also used by the SQLite table rebuild.
  std::string CreateTableStatement(const Table& table) const;
  std::string CreateIndexStatement(const std::string& table, const Index& index) const;
  virtual std::string TableName(const std::string& table) const { return table; }

  // A query of `columns` of `table` whose rows stay locked against other
  // writers until the caller's transaction ends; a second writer waits.
  virtual std::string LockingSelect(const std::string& columns, const std::string& table) const;

  // `dividend` divided by `divisor` (both SQL expressions), written so that a
  // zero divisor fails the statement as it does on SQL Server.
  virtual std::string Quotient(const std::string& dividend, const std::string& divisor) const;

 protected:
  // The models on both sides of the operation being rendered.
  struct Context {
    const Model& before;
    const Model& after;
  };

  // ---- Pieces ----
  virtual std::string BareTypeName(const ColumnType& type) const = 0;
  // The clause for a catalogue collation ("" when the database keeps none).
  virtual std::string CollationClause(const std::string& collation) const = 0;
  virtual std::string DefaultClause(const Column& column) const;
  virtual std::string DateLiteral(DateTime date) const;
  // "CLUSTERED " / "NONCLUSTERED " where the database knows clustering.
  virtual std::string Clustering(bool) const { return {}; }
  // The filegroup clause after a table, key or index.
  virtual std::string Storage() const { return {}; }
  virtual std::string AddColumnWords() const { return "ADD COLUMN"; }
  // The included columns this database can carry for an index.
  virtual std::vector<std::string> Included(const Index& index) const { return index.include; }
  // Where "do not check existing rows" goes in ALTER TABLE ... ADD FOREIGN KEY.
  virtual std::string UncheckedBeforeAdd() const { return {}; }
  virtual std::string UncheckedAtEnd() const { return " NOT VALID"; }
  // Whether introspection can tell clustering and default names.
  virtual bool KeepsServerDetails() const { return false; }
  // The text of a data statement meant for this database.
  virtual const std::optional<std::string>& OwnText(const DataStatement& op) const = 0;

  std::string ColumnDefinition(const Column& column) const;
  std::string AddColumnStatement(const std::string& table, const Column& column) const;
  std::string ReferenceClause(const ForeignKey& fk) const;

  // ---- Primitives that several templates share ----
  virtual std::string SetNotNull(const std::string& table, const Column& column) const;
  virtual std::string SetDefault(const std::string& table, const Column& column) const;
  // Statements that remove the default of `column` before it is dropped.
  virtual std::vector<std::string> DropDefault(const std::string&, const Column&) const {
    return {};
  }
  // A nullable column with a default: existing rows must stay NULL, as SQL
  // Server leaves them; only new rows take the default.
  virtual std::vector<std::string> AddNullableWithDefault(const std::string& table,
                                                          const Column& column) const;

  // ---- One template per operation ----
  virtual std::vector<std::string> CreateTableSql(const CreateTable& op, const Context& c) const;
  virtual std::vector<std::string> DropTableSql(const DropTable& op, const Context& c) const;
  virtual std::vector<std::string> AddColumnSql(const AddColumn& op, const Context& c) const;
  virtual std::vector<std::string> DropColumnSql(const DropColumn& op, const Context& c) const;
  virtual std::vector<std::string> RenameColumnSql(const RenameColumn& op, const Context& c) const;
  virtual std::vector<std::string> RetypeColumnSql(const RetypeColumn& op, const Context& c) const;
  virtual std::vector<std::string> WidenColumnSql(const WidenColumn& op, const Context& c) const;
  virtual std::vector<std::string> CreateIndexSql(const CreateIndex& op, const Context& c) const;
  virtual std::vector<std::string> DropIndexSql(const DropIndex& op, const Context& c) const;
  virtual std::vector<std::string> AddPrimaryKeySql(const AddPrimaryKey& op,
                                                    const Context& c) const;
  virtual std::vector<std::string> DropPrimaryKeySql(const DropPrimaryKey& op,
                                                     const Context& c) const;
  virtual std::vector<std::string> AddForeignKeySql(const AddForeignKey& op,
                                                    const Context& c) const;
  virtual std::vector<std::string> DropForeignKeySql(const DropForeignKey& op,
                                                     const Context& c) const;
  virtual std::vector<std::string> SeedRowsSql(const SeedRows& op, const Context& c) const;
  virtual std::vector<std::string> DataSql(const DataStatement& op, const Context& c) const;

 private:
  // Dispatches one operation to its template.
  struct Dispatch;
};

// The dialect of each kind of database; they live for the whole program.
const Dialect& DialectFor(db::DialectKind kind);
const Dialect& SqlServerDialect();
const Dialect& PostgreSQLDialect();
const Dialect& SQLiteDialect();

}  // namespace bp::schema
