#include "bp/schema/shorthands.h"

#include <utility>

#include "bp/schema/version_step.h"

namespace bp::schema {

Column Unstated(std::string name, ColumnType type) {
  Column column;
  column.name = std::move(name);
  column.type = std::move(type);
  return column;
}

Column NotNull(std::string name, ColumnType type) {
  Column column = Unstated(std::move(name), std::move(type));
  column.nullability = Nullability::kNotNull;
  return column;
}

Column Nullable(std::string name, ColumnType type) {
  Column column = Unstated(std::move(name), std::move(type));
  column.nullability = Nullability::kNull;
  return column;
}

Column WithDefault(Column column, Value value) {
  column.default_value = std::move(value);
  return column;
}

PrimaryKey Key(std::string name, std::vector<std::string> columns, bool clustered) {
  PrimaryKey key;
  key.name = std::move(name);
  key.columns = std::move(columns);
  key.clustered = clustered;
  return key;
}

Index Idx(std::string name, std::vector<std::string> columns, std::vector<std::string> include) {
  Index index;
  index.name = std::move(name);
  index.columns = std::move(columns);
  index.include = std::move(include);
  return index;
}

ForeignKey Ref(std::string name, std::vector<std::string> columns, std::string ref_table,
               std::vector<std::string> ref_columns) {
  return ForeignKey{std::move(name), std::move(columns), std::move(ref_table),
                    std::move(ref_columns)};
}

CreateTable NewTable(std::string name, std::vector<Column> columns,
                     std::optional<PrimaryKey> key, std::vector<Index> indexes,
                     std::vector<ForeignKey> references) {
  Table table;
  table.name = std::move(name);
  table.columns = std::move(columns);
  table.primary_key = std::move(key);
  table.indexes = std::move(indexes);
  table.foreign_keys = std::move(references);
  return CreateTable{std::move(table)};
}

std::string Sql(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

DataStatement Data(std::string sql) {
  DataStatement statement;
  statement.sql = std::move(sql);
  return statement;
}

void AddColumns(StepContext& c, const std::string& table, const std::vector<Column>& columns) {
  for (const Column& column : columns) c.Run(AddColumn{table, column});
}

}  // namespace bp::schema
