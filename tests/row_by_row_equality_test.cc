// The data corrections that run the same statements for many rows at once
// make exactly the changes of one statement per row, on SQLite.
#include <gtest/gtest.h>

#include "support/row_by_row.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

TEST(RowByRowEquality, ExecuteEachActsAsOneExecutePerRow) {
  TestEnv env;
  ExpectExecuteEachActsAsExecute(*db::Connection::Open(env.Path("each.db")));
}

TEST(RowByRowEquality, FasterStepsChangeTheSameRows) {
  TestEnv env;
  ExpectFasterStepsEqualRowByRow(env.Path("fast.db"), env.Path("reference.db"));
}

}  // namespace
}  // namespace bp::testing
