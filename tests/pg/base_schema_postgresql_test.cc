// The schema at version 18 created on a real PostgreSQL server.
#include <gtest/gtest.h>

#include "support/pg_cluster.h"
#include "support/schema_walk.h"

namespace bp::testing {
namespace {

class BaseSchemaPostgreSQLTest : public PgTest {};

TEST_F(BaseSchemaPostgreSQLTest, CreatesTheDatabaseEqualToTheModel) {
  ExpectBaseSchemaEqualsItsModel(*Connect());
}

}  // namespace
}  // namespace bp::testing
