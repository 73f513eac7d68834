// The schema operations run for real on PostgreSQL.
#include <gtest/gtest.h>

#include "bp/erro.h"
#include "bp/schema/apply.h"
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

TEST_F(SchemaPostgreSQLTest, UncheckedReferenceAcceptsOrphanRowsCheckedOneRefuses) {
  auto db = Connect();
  Model model;
  Apply(*db, model,
        CreateTable{Table{"Pai",
                          {Column{"Cd", Int(), Nullability::kNotNull}},
                          PrimaryKey{"XPKPai", {"Cd"}},
                          {},
                          {}}});
  Apply(*db, model, CreateTable{Table{"Filho", {Column{"Cd", Int()}}, {}, {}, {}}});
  Apply(*db, model, SeedRows{"Filho", {"Cd"}, {{7}}});
  // Inside the caller's transaction the failed operation is undone alone.
  db->BeginTrans("passo");
  EXPECT_THROW(Apply(*db, model, AddForeignKey{"Filho", ForeignKey{"R_1", {"Cd"}, "Pai", {}}}),
               Erro);
  Apply(*db, model, AddForeignKey{"Filho", ForeignKey{"R_1", {"Cd"}, "Pai", {}}, true});
  db->CommitTrans("passo");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db), db->Kind()), "");
  // Names fold to lower case on PostgreSQL, yet hand-written SQL finds them.
  EXPECT_EQ(db->Query("SELECT Cd FROM Filho").RecordCount(), 1);
  EXPECT_EQ(Introspect(*db).Get("FILHO").foreign_keys.at(0).name, "r_1");
}

}  // namespace
}  // namespace bp::schema
