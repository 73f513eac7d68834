// The schema at version 18 created on a real PostgreSQL server.
#include <gtest/gtest.h>

#include "bp/schema/apply.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/introspect.h"
#include "support/pg_cluster.h"

namespace bp::schema {
namespace {

class BaseSchemaPostgreSQLTest : public testing::PgTest {};

TEST_F(BaseSchemaPostgreSQLTest, CreatesTheDatabaseEqualToTheModel) {
  auto db = Connect();
  Model model;
  db->BeginTrans("BaseSchemaV18");
  for (const auto& op : BaseSchemaV18()) Apply(*db, model, op);
  for (const auto& op : SeedV18()) Apply(*db, model, op);
  db->CommitTrans("BaseSchemaV18");

  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db), db->Kind()), "");
  EXPECT_EQ(db->Query("SELECT No_VersaoBD FROM Parametro").Field("No_VersaoBD").ToInt32(), 18);
}

}  // namespace
}  // namespace bp::schema
