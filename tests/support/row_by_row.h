// The row-by-row forms that the faster data corrections replace, as the
// reference they must equal: each row's statements run as their own Execute
// (with the values written into the text where the step wrote them so).
#pragma once

#include <string>

#include "bp/db/connection.h"

namespace bp::testing {

// Two statements for 2 500 rows through db::ExecuteEach, in a transaction
// and outside one, with a row that breaks a key: what one Execute per
// statement and row leaves.
void ExpectExecuteEachActsAsExecute(db::Connection& c);

// The same small history generated into both version-18 databases, walked
// with the library's steps and with the row-by-row forms (whose connection
// is found closed once on the way); the tables each row-by-row step touches
// must be equal after it.
void ExpectFasterStepsEqualRowByRow(const std::string& fast, const std::string& reference);

}  // namespace bp::testing
