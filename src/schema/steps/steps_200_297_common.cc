#include "schema/steps/steps_200_297_common.h"

#include <utility>

#include "schema/steps/steps.h"

namespace bp::schema {

namespace s200 {

void AddColumnSetInEveryRow(StepContext& c, const std::string& table, const Column& column,
                            const std::string& value) {
  c.Run(AddColumn{table, column});
  c.Run(Data(Sql({"UPDATE " + table, "SET    " + column.name + " = " + value})));
}

std::vector<DateTime> RangeStarts(DateTime today, int days) {
  std::vector<DateTime> starts;
  for (DateTime start = DateTime::Of(2005, 1, 1); start <= today; start = start.AddDays(days)) {
    starts.push_back(start);
  }
  return starts;
}

std::string Quoted(StepContext& c, DateTime date) { return "'" + c.Dal().FormatDate(date) + "'"; }

}  // namespace s200

void AddSteps200To297(StepTable& table) {
  s200::AddSteps200To229(table);
  s200::AddSteps240To272(table);
  s200::AddSteps275To297(table);
}

}  // namespace bp::schema
