// Schema operations: what a version step does to the database, as data. A
// model replays them in memory (model.h); a dialect renders each one as
// statements for its database (dialect.h).
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "bp/value.h"

namespace bp::schema {

// A column type of the catalogue (SQL Server names).
struct ColumnType {
  enum class Kind {
    kInt,
    kSmallInt,
    kTinyInt,
    kBit,
    kMoney,
    kFloat,
    kFloat53,
    kReal,
    kNumeric,
    kDateTime,
    kChar,
    kVarChar,
    kNVarChar,
    kText,
  };
  Kind kind = Kind::kInt;
  int length = 0;         // n of char/varchar/nvarchar, precision of numeric
  int scale = 0;          // scale of numeric
  std::string collation;  // empty: the database default

  friend bool operator==(const ColumnType&, const ColumnType&) = default;
};

// Shorthands: Int(), VarChar(40), Numeric(15, 3) ...
ColumnType Int();
ColumnType SmallInt();
ColumnType TinyInt();
ColumnType Bit();
ColumnType MoneyType();
ColumnType Float();
ColumnType Float53();
ColumnType Real();
ColumnType Numeric(int precision, int scale);
ColumnType DateTimeType();
ColumnType Char(int n);
ColumnType VarChar(int n);
ColumnType NVarChar(int n);
ColumnType Text();

enum class Nullability { kNotStated, kNull, kNotNull };

struct Column {
  std::string name;
  ColumnType type;
  Nullability nullability = Nullability::kNotStated;
  // Default as a constant value (0, 'x', a date ...); Empty when none.
  Value default_value{};
  // Name of the default constraint on SQL Server; empty lets the server name
  // it. The other databases keep no name for a default.
  std::string default_name{};

  friend bool operator==(const Column&, const Column&) = default;
};

struct PrimaryKey {
  std::string name;
  std::vector<std::string> columns;
  bool clustered = false;
  friend bool operator==(const PrimaryKey&, const PrimaryKey&) = default;
};

struct Index {
  std::string name;
  std::vector<std::string> columns;
  std::vector<std::string> include{};  // non-key columns carried by the index
  bool unique = false;
  bool clustered = false;
  friend bool operator==(const Index&, const Index&) = default;
};

struct ForeignKey {
  std::string name;
  std::vector<std::string> columns;
  std::string ref_table;
  // Empty means the referenced table's primary key; a model fills them in.
  std::vector<std::string> ref_columns{};
  friend bool operator==(const ForeignKey&, const ForeignKey&) = default;
};

struct Table {
  std::string name;
  std::vector<Column> columns;
  std::optional<PrimaryKey> primary_key{};
  std::vector<Index> indexes{};
  std::vector<ForeignKey> foreign_keys{};
  friend bool operator==(const Table&, const Table&) = default;
};

// ---- Operations -----------------------------------------------------------

// Creates a table with its columns and primary key, and with the indexes and
// references it carries (catalogue steps usually add those separately).
struct CreateTable {
  Table table;
};
struct DropTable {
  std::string table;
};
// Adds a column at the end of a table. A `fill` (a literal in statement
// text) is the value every existing row gets, as an UPDATE of the whole table
// right after would leave it; rows added later get the column's default. A
// fill is for a column that allows nulls (a NOT NULL one needs a default).
struct AddColumn {
  std::string table;
  Column column;
  std::string fill = {};
};
struct DropColumn {
  std::string table;
  std::string column;
};
struct RenameColumn {
  std::string table;
  std::string from;
  std::string to;
};
// Re-types or widens a column through a temporary column: add the temporary
// column with the new type, copy the values, drop the old column, rename the
// temporary one to the old name. The column ends up last in the table, as on
// SQL Server. An empty `temporary_name` means the column's name + "_Temp".
struct RetypeColumn {
  std::string table;
  Column column;
  std::string temporary_name;
};
// Gives a column a wider type where it stands: its position, key, indexes
// and the references to and from its table stay as they are. Its values stay
// too, unless `rewrite` gives an expression over the row's columns: then
// every value becomes that expression in the same pass over the rows, as an
// UPDATE of the whole table right after would leave it (`rewrite_sqlserver`
// is its SQL Server text).
struct WidenColumn {
  std::string table;
  std::string column;
  ColumnType type;
  std::string rewrite = {};
  std::string rewrite_sqlserver = {};
};
struct CreateIndex {
  std::string table;
  Index index;
};
struct DropIndex {
  std::string table;
  std::string index;
};
struct AddPrimaryKey {
  std::string table;
  PrimaryKey key;
};
struct DropPrimaryKey {
  std::string table;
  std::string name;
};
// `no_check`: existing rows are not checked against the new reference.
struct AddForeignKey {
  std::string table;
  ForeignKey key;
  bool no_check = false;
};
struct DropForeignKey {
  std::string table;
  std::string name;
};
struct SeedRows {
  std::string table;
  std::vector<std::string> columns;
  std::vector<std::vector<Value>> rows;
};
// A data statement; `sql` is written in the portable subset that all three
// databases accept; a dialect-specific text replaces it where given.
struct DataStatement {
  std::string sql;
  std::optional<std::string> sqlite;
  std::optional<std::string> postgresql;
  std::optional<std::string> sqlserver;
};

using Operation = std::variant<CreateTable, DropTable, AddColumn, DropColumn, RenameColumn,
                               RetypeColumn, WidenColumn, CreateIndex, DropIndex, AddPrimaryKey, DropPrimaryKey,
                               AddForeignKey, DropForeignKey, SeedRows, DataStatement>;

// A short description for reports and errors ("AddColumn Bomba.Ds_Bico").
std::string Describe(const Operation& op);

}  // namespace bp::schema
