// The schema operations run for real on PostgreSQL.
#include <gtest/gtest.h>

#include "bp/schema/introspect.h"
#include "support/pg_cluster.h"
#include "support/schema_walk.h"

namespace bp::schema {
namespace {

class SchemaPostgreSQLTest : public testing::PgTest {};

TEST_F(SchemaPostgreSQLTest, WalkKeepsDatabaseEqualToModelAndRowsAlong) {
  auto db = Connect();
  testing::RunSchemaWalk(*db);
}

TEST_F(SchemaPostgreSQLTest, ReferencesJudgeExistingRowsUnlessUnchecked) {
  auto db = Connect();
  testing::CheckReferencesJudgeExistingRows(*db);
  // Names fold to lower case on PostgreSQL, yet hand-written SQL finds them.
  EXPECT_EQ(db->Query("SELECT Cd FROM Filho").RecordCount(), 2);
  EXPECT_EQ(Introspect(*db).Get("FILHO").foreign_keys.at(0).name, "r_9");
}

}  // namespace
}  // namespace bp::schema
