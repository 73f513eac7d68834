// The data corrections that run the same statements for many rows at once
// (pipelined on the server) make exactly the changes of one statement per
// row, on PostgreSQL.
#include <gtest/gtest.h>

#include "support/pg_cluster.h"
#include "support/row_by_row.h"

namespace bp::testing {
namespace {

class RowByRowEqualityPg : public PgTest {};

TEST_F(RowByRowEqualityPg, ExecuteEachActsAsOneExecutePerRow) {
  ExpectExecuteEachActsAsExecute(*Connect());
}

TEST_F(RowByRowEqualityPg, FasterStepsChangeTheSameRows) {
  ExpectFasterStepsEqualRowByRow(Url(), PgCluster::Shared().CreateDatabase());
}

}  // namespace
}  // namespace bp::testing
