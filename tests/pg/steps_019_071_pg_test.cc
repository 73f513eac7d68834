// Steps 19 to 71 on PostgreSQL: the same walk and corrections as on SQLite.
#include <gtest/gtest.h>

#include "steps_019_071_scenario.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

class Steps019To071Pg : public testing::PgTest {};

TEST_F(Steps019To071Pg, WalkKeepsTheModelAndCorrectsTheRowsMadeForIt) {
  testing::StepWalk walk(testing::Steps019To071(Url()));
  testing::InsertVersion18Rows(walk);
  testing::WalkAndCheckCorrections(walk);
}

}  // namespace
}  // namespace bp
