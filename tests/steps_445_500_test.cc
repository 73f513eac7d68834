// The version steps 445 to 500 on a real SQLite station database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/model.h"
#include "steps_445_500_walk.h"

namespace bp {
namespace {

using testing::StepWalk;
using testing::steps445::Range;

TEST(Steps445To500, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps445::WalkWithRows(walk);
}

// Step 451 goes on when the form's table is already there; the seeded
// layout belongs to the session's company.
TEST(Steps445To500, Step451KeepsAnExistingFormTableAndSeedsTheSessionCompany) {
  StepWalk walk(Range({}, 7));
  walk.Db().Execute(
      "CREATE TABLE LayOutNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL, Qt_LarguraPapel INT "
      "NOT NULL, Qt_ComprimentoPapel INT NOT NULL, CONSTRAINT XPKLayOutNotaFiscalSaida "
      "PRIMARY KEY (Cd_PessoaUsuaria))");
  walk.To(451);
  EXPECT_EQ(walk.Version(), 451);
  EXPECT_EQ(walk.compared, (std::vector<int32_t>{444, 445, 451}));
  EXPECT_EQ(testing::steps445::StoredLayoutForm(walk, 7),
            (std::vector<int32_t>{8000, 0, 111, 52, 115, 1}));
  EXPECT_EQ(testing::steps445::StoredLayoutFields(walk, 7).size(), 40u);
  const schema::Table form = walk.Read("LayOutNotaFiscalSaida");
  EXPECT_EQ(form.columns.size(), 7u);
  ASSERT_EQ(form.foreign_keys.size(), 1u);
  EXPECT_EQ(form.foreign_keys[0].name, "R_188");
}

// From the fields' table on, a failure fails the step and the turn.
TEST(Steps445To500, Step451FailsWhenTheFieldsTableExists) {
  StepWalk walk(Range());
  walk.Db().Execute("CREATE TABLE LayOutCamposNotaFiscalSaida (Cd_PessoaUsuaria INT NOT NULL)");
  EXPECT_THROW(walk.To(451), Erro);
  EXPECT_EQ(walk.Version(), 450);
  EXPECT_EQ(schema::Introspect(walk.Db()).Find("LayOutNotaFiscalSaida"), nullptr);
}

}  // namespace
}  // namespace bp
