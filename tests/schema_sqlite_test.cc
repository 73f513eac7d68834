// The schema operations run for real on SQLite, foreign keys enforced.
#include <gtest/gtest.h>

#include "support/schema_walk.h"
#include "support/test_env.h"

namespace bp::schema {
namespace {

class SchemaSQLiteTest : public ::testing::Test {
 protected:
  testing::TestEnv env_;
  std::unique_ptr<db::Connection> db_ = db::Connection::Open(env_.Path("schema.db"));
};

TEST_F(SchemaSQLiteTest, WalkKeepsDatabaseEqualToModelAndRowsThroughRebuilds) {
  testing::RunSchemaWalk(*db_);
  EXPECT_EQ(db_->Query("PRAGMA foreign_key_check").RecordCount(), 0);
}

// A new reference judges the existing rows unless it is added unchecked; a
// NOT NULL column without default needs a rebuild, refused where rows exist.
TEST_F(SchemaSQLiteTest, ReferencesJudgeExistingRowsUnlessUnchecked) {
  testing::CheckReferencesJudgeExistingRows(*db_);
}

}  // namespace
}  // namespace bp::schema
