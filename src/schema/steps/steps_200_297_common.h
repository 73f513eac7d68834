// Pieces shared by the version steps 200 to 297: short ways to write
// columns and references, statements written line by line, a new column
// set to one value in every row, and the walk over date ranges from
// 1 January 2005 up to today that steps 272 and 295 make.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "bp/datetime.h"
#include "bp/schema/shorthands.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"

namespace bp::schema::s200 {

// Shapes shared by every step (bp/schema/shorthands.h).
using bp::schema::NotNull;
using bp::schema::Nullable;
using bp::schema::Unstated;
using bp::schema::Ref;
using bp::schema::Sql;
using bp::schema::Data;
using bp::schema::AddColumns;

inline const std::string kEmp = "Cd_PessoaUsuaria";






// Adds `column` to `table`, then sets it to `value` (SQL text) in every row.
void AddColumnSetInEveryRow(StepContext& c, const std::string& table, const Column& column,
                            const std::string& value);

// The first days of the date ranges that start on 1 January 2005 and follow
// each other `days` apart, as long as a start is not after `today`. Empty
// when today is before 2005.
std::vector<DateTime> RangeStarts(DateTime today, int days);

// A date in the data-access object's format, between single quotes.
std::string Quoted(StepContext& c, DateTime date);

// The steps of this range, by file.
void AddSteps200To229(StepTable& t);
void AddSteps240To272(StepTable& t);
void AddSteps275To297(StepTable& t);

}  // namespace bp::schema::s200
