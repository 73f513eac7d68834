// The version steps 308 to 441 on a real PostgreSQL database, where bit
// columns are smallint, re-typed columns take the temporary-column walk and
// a True written as -1 must still read True.
#include <gtest/gtest.h>

#include "steps_308_441_walk.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

class Steps308To441Pg : public testing::PgTest {};

TEST_F(Steps308To441Pg, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  testing::StepWalk walk(testing::steps308::Range(Url()));
  testing::steps308::WalkWithRows(walk);
}

}  // namespace
}  // namespace bp
