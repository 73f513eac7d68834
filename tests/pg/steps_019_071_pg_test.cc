// Steps 19 to 71 on PostgreSQL: the same walk and corrections as on SQLite.
#include <gtest/gtest.h>

#include <memory>

#include "station/sessao.h"
#include "steps_019_071_scenario.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"

namespace bp {
namespace {

class Steps019To071Pg : public testing::PgTest {};

TEST_F(Steps019To071Pg, WalkKeepsTheModelAndCorrectsTheRowsMadeForIt) {
  testing::TestEnv env;
  testing::Steps019To071Walk walk(std::make_shared<station::Sessao>(station::Configuracao{Url()}));
  walk.CreateVersion18WithRows();
  walk.WalkAndCheckCorrections();
}

}  // namespace
}  // namespace bp
