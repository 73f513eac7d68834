// The version steps 142 to 197 on a real PostgreSQL database, where bit
// columns are smallint and a True written as -1 must still read True.
#include <gtest/gtest.h>

#include "steps_142_197_walk.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

class Steps142To197Pg : public testing::PgTest {};

TEST_F(Steps142To197Pg, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  testing::StepWalk walk(testing::steps142::Range(Url()));
  testing::steps142::WalkWithRows(walk);
}

}  // namespace
}  // namespace bp
