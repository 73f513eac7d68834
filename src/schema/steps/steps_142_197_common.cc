#include "schema/steps/steps_142_197_common.h"

#include <utility>

#include "schema/steps/steps.h"

namespace bp::schema {

void AddSteps142To197(StepTable& table) {
  steps142::AddSteps142To151(table);
  steps142::AddSteps157To164(table);
  steps142::AddSteps169To197(table);
}

namespace steps142 {

Table MakeTable(std::string name, std::vector<Column> columns, PrimaryKey key,
                std::vector<Index> indexes, std::vector<ForeignKey> references) {
  Table table;
  table.name = std::move(name);
  table.columns = std::move(columns);
  table.primary_key = std::move(key);
  table.indexes = std::move(indexes);
  table.foreign_keys = std::move(references);
  return table;
}

void ReplaceTables(StepContext& c, const std::vector<Table>& tables) {
  for (auto it = tables.rbegin(); it != tables.rend(); ++it) c.Run(DropTable{it->name});
  for (const Table& table : tables) c.Run(CreateTable{table});
}

void RecreateConstraints(StepContext& c, const Table& shape) {
  for (const ForeignKey& fk : shape.foreign_keys) c.Run(DropForeignKey{shape.name, fk.name});
  for (const Index& index : shape.indexes) c.Run(DropIndex{shape.name, index.name});
  if (shape.primary_key) c.Run(DropPrimaryKey{shape.name, shape.primary_key->name});

  if (shape.primary_key) c.Run(AddPrimaryKey{shape.name, *shape.primary_key});
  for (const Index& index : shape.indexes) c.Run(CreateIndex{shape.name, index});
  for (const ForeignKey& fk : shape.foreign_keys) c.Run(AddForeignKey{shape.name, fk});
}

DataStatement Portable(std::string sql) {
  DataStatement statement;
  statement.sql = std::move(sql);
  return statement;
}

void SetInEveryRow(StepContext& c, const std::string& table, const std::string& column,
                   const std::string& value) {
  c.Run(Portable("UPDATE " + table + " SET " + column + " = " + value));
}

}  // namespace steps142
}  // namespace bp::schema
