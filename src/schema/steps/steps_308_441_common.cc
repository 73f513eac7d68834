#include "schema/steps/steps_308_441_common.h"

#include "schema/steps/steps.h"

namespace bp::schema {

void AddSteps308To441(StepTable& table) {
  s308::AddSteps308To331(table);
  s308::AddSteps354To389(table);
  s308::AddSteps395To441(table);
}

namespace s308 {

Column NullableWithDefault(std::string name, ColumnType type, Value value) {
  Column column = Nullable(std::move(name), std::move(type));
  column.default_value = std::move(value);
  return column;
}

ColumnType CaseInsensitive(ColumnType type) {
  type.collation = "Latin1_General_CI_AS";
  return type;
}

void Update(StepContext& c, const std::string& table, const std::vector<Assignment>& assignments,
            const std::string& where) {
  std::string sql = "UPDATE " + table + "\r\n";
  for (size_t i = 0; i < assignments.size(); ++i) {
    sql += (i == 0 ? "SET    " : "       ") + assignments[i].first + " = " +
           assignments[i].second + (i + 1 < assignments.size() ? ",\r\n" : "\r\n");
  }
  if (!where.empty()) sql += "WHERE  " + where + "\r\n";
  c.Run(DataStatement{sql, {}, {}, {}});
}

void SeedCfop(StepContext& c, const std::vector<std::pair<int32_t, std::string>>& codes) {
  SeedRows seed{"CFOP", {"Cd_Cfop", "Ds_Cfop"}, {}};
  for (const auto& [code, description] : codes) seed.rows.push_back({Value(code), Value(description)});
  c.Run(seed);
}

}  // namespace s308
}  // namespace bp::schema
