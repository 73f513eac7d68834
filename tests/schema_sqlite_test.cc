// The schema operations run for real on SQLite, foreign keys enforced.
#include <gtest/gtest.h>

#include "bp/schema/apply.h"
#include "bp/schema/introspect.h"
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
  const Model model = testing::RunSchemaWalk(*db_);
  EXPECT_EQ(db_->Query("PRAGMA foreign_key_check").RecordCount(), 0);
  // The names of keys and references survive rebuilds and read back.
  const Model read = Introspect(*db_);
  ASSERT_TRUE(read.Find("Produto"));
  EXPECT_EQ(read.Get("Produto").primary_key->name, "Produto_01");
  EXPECT_EQ(read.Get("Produto").foreign_keys.at(0).name, "R_1");
  EXPECT_EQ(FindColumn(read.Get("Empresa"), "Nm_Empresa")->type.collation, "NOCASE");
  EXPECT_EQ(model.size(), read.size());
}

// A new reference judges the existing rows unless it is added unchecked; a
// NOT NULL column without default needs a rebuild, refused where rows exist.
TEST_F(SchemaSQLiteTest, ReferencesJudgeExistingRowsUnlessUnchecked) {
  testing::CheckReferencesJudgeExistingRows(*db_);
}

// A table whose unique index is the parent key of another table's reference
// is rebuilt with its rows: the index must be back before the rows are.
TEST_F(SchemaSQLiteTest, RebuildKeepsAUniqueIndexThatAnotherTableReferences) {
  Model model;
  Apply(*db_, model,
        CreateTable{Table{"Bomba",
                          {Column{"Cd_Bomba", Int(), Nullability::kNotNull},
                           Column{"De_Endereco", VarChar(4), Nullability::kNotNull}},
                          PrimaryKey{"PK_Bomba", {"Cd_Bomba"}},
                          {Index{"IX_Endereco", {"De_Endereco"}, {}, true, false}},
                          {}}});
  Apply(*db_, model,
        CreateTable{Table{"Abastecimento",
                          {Column{"No_Abastecimento", Int(), Nullability::kNotNull},
                           Column{"De_Endereco", VarChar(4), Nullability::kNotNull}},
                          PrimaryKey{"PK_Abastecimento", {"No_Abastecimento"}},
                          {},
                          {ForeignKey{"FK_Bico", {"De_Endereco"}, "Bomba", {"De_Endereco"}}}}});
  Apply(*db_, model, SeedRows{"Bomba", {"Cd_Bomba", "De_Endereco"}, {{1, "01"}}});
  Apply(*db_, model, SeedRows{"Abastecimento", {"No_Abastecimento", "De_Endereco"}, {{7, "01"}}});
  db_->BeginTrans("passo");
  Apply(*db_, model, DropPrimaryKey{"Bomba", "PK_Bomba"});  // SQLite rebuilds Bomba
  db_->CommitTrans("passo");
  EXPECT_EQ(db_->Query("SELECT COUNT(*) FROM Bomba").Field(0).ToInt32(), 1);
  EXPECT_EQ(Introspect(*db_), model);
}

}  // namespace
}  // namespace bp::schema
