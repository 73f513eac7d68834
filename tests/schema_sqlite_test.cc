// The schema operations run for real on SQLite, foreign keys enforced.
#include <gtest/gtest.h>

#include "bp/erro.h"
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
// failed rebuild inside the caller's transaction is undone alone.
TEST_F(SchemaSQLiteTest, ReferencesJudgeExistingRowsUnlessUnchecked) {
  Model model;
  Apply(*db_, model,
        CreateTable{Table{"Pai",
                          {Column{"Cd", Int(), Nullability::kNotNull}},
                          PrimaryKey{"XPKPai", {"Cd"}},
                          {},
                          {}}});
  Apply(*db_, model,
        CreateTable{Table{"Filho", {Column{"Cd", Int()}, Column{"Nm", VarChar(5)}}, {}, {}, {}}});
  Apply(*db_, model, SeedRows{"Pai", {"Cd"}, {{1}}});
  Apply(*db_, model, SeedRows{"Filho", {"Cd", "Nm"}, {{1, "a"}, {2, "b"}}});
  const Model before = model;
  db_->BeginTrans("passo");
  try {
    Apply(*db_, model, AddForeignKey{"Filho", ForeignKey{"R_9", {"Cd"}, "Pai", {}}});
    FAIL() << "the orphan row of Filho was accepted";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, static_cast<int32_t>(0x80040E2F)) << e.description;
    EXPECT_NE(e.description.find("R_9"), std::string::npos) << e.description;
  }
  EXPECT_EQ(FirstDifference(before, model), "");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db_), db_->Kind()), "");
  EXPECT_EQ(db_->Query("SELECT * FROM Filho").RecordCount(), 2);
  Apply(*db_, model, AddForeignKey{"Filho", ForeignKey{"R_9", {"Cd"}, "Pai", {}}, true});
  db_->CommitTrans("passo");
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db_), db_->Kind()), "");
  EXPECT_THROW(db_->Execute("INSERT INTO Filho (Cd, Nm) VALUES (3, 'c')"),
               Erro);  // new rows are judged

  // A NOT NULL column without default needs a rebuild: fine on an empty
  // table, refused (as SQL Server refuses it) when rows exist.
  Apply(*db_, model, CreateTable{Table{"Vazia", {Column{"Cd", Int()}}, {}, {}, {}}});
  Apply(*db_, model, AddColumn{"Vazia", Column{"Nm", VarChar(3), Nullability::kNotNull}});
  EXPECT_THROW(Apply(*db_, model, AddColumn{"Filho", Column{"Qt", Int(), Nullability::kNotNull}}),
               Erro);
  EXPECT_EQ(DifferenceFromDatabase(model, Introspect(*db_), db_->Kind()), "");
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
