#include "schema/steps/steps_445_500_parts.h"

#include "schema/steps/steps.h"

namespace bp::schema {

namespace s445 {

Column NotNull(std::string name, ColumnType type, Value default_value) {
  return Column{std::move(name), std::move(type), Nullability::kNotNull, std::move(default_value)};
}

DataStatement Statement(std::string sql) {
  return DataStatement{std::move(sql), std::nullopt, std::nullopt, std::nullopt};
}

void CreateIndexes(StepContext& c, const std::vector<TableIndex>& indexes) {
  for (const TableIndex& i : indexes) c.Run(CreateIndex{i.table, i.index});
}

void SetInEveryRow(StepContext& c, const std::string& table, const std::string& column,
                   const std::string& value) {
  c.Run(Statement("UPDATE " + table + " SET " + column + " = " + value));
}

// The text is the number cast to the two characters the column holds.
void CopyPumpNumberAsText(StepContext& c, const std::string& column) {
  SetInEveryRow(c, "Bomba", column, "CAST(Cd_Bomba AS varchar(2))");
}

}  // namespace s445

void AddSteps445To500(StepTable& t) {
  s445::AddSteps445To453(t);
  s445::AddSteps459To468(t);
  s445::AddSteps469To500(t);
}

}  // namespace bp::schema
