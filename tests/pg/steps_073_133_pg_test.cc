// The version steps 73 to 133 on PostgreSQL: the walk from version 18 with
// the schema compared to the driver's model after each step, and the data
// corrections on rows made for them.
#include <gtest/gtest.h>

#include "steps_073_133_walk.h"
#include "support/pg_cluster.h"

namespace bp::testing::s073 {
namespace {

class Steps073To133PostgreSQL : public PgTest {};

TEST_F(Steps073To133PostgreSQL, WalkFrom18KeepsTheModelAndCorrectsTheRows) {
  StepWalk w(Range(Url()));
  InsertCorrectionRows(w.Db());
  w.To(133);
  EXPECT_EQ(w.compared.size(), 20u);
  EXPECT_EQ(w.Version(), 133);
  CheckCorrections(w);
  CheckShapes(w.Db());
}

}  // namespace
}  // namespace bp::testing::s073
