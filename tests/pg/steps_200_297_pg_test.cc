// The version steps 200 to 297 on a real PostgreSQL database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "steps_200_297_walk.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

using testing::RowTexts;

class Steps200To297Pg : public testing::PgTest {};

TEST_F(Steps200To297Pg, WalkKeepsTheModelEqualToTheDatabaseAndCorrectsTheData) {
  testing::StepWalk w(testing::steps200::Range(Url()));
  w.To(211);
  testing::steps200::InsertCorrectionRows(w);
  w.env.now = DateTime::Of(2005, 3, 2, 10, 0, 0);
  w.To(297);
  EXPECT_EQ(w.Version(), 297);
  EXPECT_EQ(w.compared.size(), 24u);  // the stand-in of step 26 and the 23 steps

  testing::steps200::CheckTransferCorrections(w);
  testing::steps200::CheckDailyRanges(w);
  db::Connection& db = w.Db();
  // 229 on a bit kept as smallint; 245 with the server's own timestamp.
  EXPECT_EQ(RowTexts(db,
                 "SELECT No_Recebimento FROM Recebimento "
                 "WHERE Ic_AjusteTipoRecebimento IS NULL ORDER BY 1"),
            (std::vector<std::string>{"500001", "750000"}));
  EXPECT_EQ(RowTexts(db, "SELECT COUNT(*) FROM Pessoa WHERE Dt_Inclusao IS NULL"),
            (std::vector<std::string>{"0"}));
  EXPECT_GE(db.Query("SELECT Dt_Inclusao FROM Pessoa WHERE Cd_Pessoa = 5").Field(0).ToDate().Year(),
            2025);
}

}  // namespace
}  // namespace bp
