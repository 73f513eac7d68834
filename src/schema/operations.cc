#include "bp/names.h"
#include "bp/schema/operations.h"

#include <fmt/format.h>

namespace bp::schema {
namespace {

ColumnType Sized(ColumnType::Kind kind, int length = 0, int scale = 0) {
  ColumnType type;
  type.kind = kind;
  type.length = length;
  type.scale = scale;
  return type;
}

using bp::Overloaded;

// The first line of a data statement, cut short for a one-line report.
std::string Headline(const std::string& sql) {
  constexpr size_t kWidth = 60;
  std::string line = sql.substr(0, sql.find_first_of("\r\n"));
  if (line.size() > kWidth) line = line.substr(0, kWidth) + "...";
  return line;
}

}  // namespace

ColumnType Int() { return Sized(ColumnType::Kind::kInt); }
ColumnType SmallInt() { return Sized(ColumnType::Kind::kSmallInt); }
ColumnType TinyInt() { return Sized(ColumnType::Kind::kTinyInt); }
ColumnType Bit() { return Sized(ColumnType::Kind::kBit); }
ColumnType MoneyType() { return Sized(ColumnType::Kind::kMoney); }
ColumnType Float() { return Sized(ColumnType::Kind::kFloat); }
ColumnType Float53() { return Sized(ColumnType::Kind::kFloat53); }
ColumnType Real() { return Sized(ColumnType::Kind::kReal); }
ColumnType Numeric(int precision, int scale) {
  return Sized(ColumnType::Kind::kNumeric, precision, scale);
}
ColumnType DateTimeType() { return Sized(ColumnType::Kind::kDateTime); }
ColumnType Char(int n) { return Sized(ColumnType::Kind::kChar, n); }
ColumnType VarChar(int n) { return Sized(ColumnType::Kind::kVarChar, n); }
ColumnType NVarChar(int n) { return Sized(ColumnType::Kind::kNVarChar, n); }
ColumnType Text() { return Sized(ColumnType::Kind::kText); }

std::string Describe(const Operation& op) {
  return std::visit(
      Overloaded{
          [](const CreateTable& o) { return "CreateTable " + o.table.name; },
          [](const DropTable& o) { return "DropTable " + o.table; },
          [](const AddColumn& o) { return fmt::format("AddColumn {}.{}", o.table, o.column.name); },
          [](const DropColumn& o) { return fmt::format("DropColumn {}.{}", o.table, o.column); },
          [](const RenameColumn& o) {
            return fmt::format("RenameColumn {}.{} -> {}", o.table, o.from, o.to);
          },
          [](const RetypeColumn& o) {
            return fmt::format("RetypeColumn {}.{}", o.table, o.column.name);
          },
          [](const WidenColumn& o) {
            return fmt::format("WidenColumn {}.{}", o.table, o.column);
          },
          [](const CreateIndex& o) {
            return fmt::format("CreateIndex {}.{}", o.table, o.index.name);
          },
          [](const DropIndex& o) { return fmt::format("DropIndex {}.{}", o.table, o.index); },
          [](const AddPrimaryKey& o) {
            return fmt::format("AddPrimaryKey {}.{}", o.table, o.key.name);
          },
          [](const DropPrimaryKey& o) {
            return fmt::format("DropPrimaryKey {}.{}", o.table, o.name);
          },
          [](const AddForeignKey& o) {
            return fmt::format("AddForeignKey {}.{} -> {}", o.table, o.key.name, o.key.ref_table);
          },
          [](const DropForeignKey& o) {
            return fmt::format("DropForeignKey {}.{}", o.table, o.name);
          },
          [](const SeedRows& o) {
            return fmt::format("SeedRows {} ({} rows)", o.table, o.rows.size());
          },
          [](const DataStatement& o) { return "DataStatement " + Headline(o.sql); },
      },
      op);
}

}  // namespace bp::schema
