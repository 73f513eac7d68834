// The version steps 200 to 297 on a real SQLite station database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bp/schema/model.h"
#include "steps_200_297_walk.h"

namespace bp {
namespace {

using testing::RowTexts;
using testing::StepWalk;
using testing::steps200::Day;
using testing::steps200::Range;

TEST(Steps200To297, CorrectTheData) {
  StepWalk w(Range());
  testing::steps200::WalkWithRows(w);
  db::Connection& db = w.Db();

  // 229: receipts up to 500 000 get False, the others stay empty.
  EXPECT_EQ(
      RowTexts(db, "SELECT No_Recebimento, Ic_AjusteTipoRecebimento FROM Recebimento ORDER BY 1"),
      (std::vector<std::string>{"1|Falso", "10000|Falso", "500000|Falso", "500001|-", "750000|-"}));

  // 245: the earliest record of each person; the server's date for the rest.
  const auto pessoas = db.Query("SELECT Cd_Pessoa, Dt_Inclusao FROM Pessoa ORDER BY 1");
  ASSERT_EQ(pessoas.Rows().size(), 6u);                // persons 1 to 5 and 9
  EXPECT_EQ(Day(pessoas.Rows()[1][1]), "2006-03-01");  // coupon before receivable
  EXPECT_EQ(Day(pessoas.Rows()[2][1]), "2007-01-02");  // receipt under its CPF
  EXPECT_EQ(Day(pessoas.Rows()[3][1]), "2005-07-07");  // cash register it opened
  for (const size_t i : {0u, 4u, 5u}) {
    ASSERT_FALSE(pessoas.Rows()[i][1].IsNull()) << i;
    EXPECT_GE(pessoas.Rows()[i][1].ToDate().Year(), 2025) << i;
  }

  // 240, 255, 256, 266: the new settings in every row.
  EXPECT_EQ(RowTexts(db, "SELECT Qt_DiferencaInventarioEstoque FROM Produto"),
            (std::vector<std::string>{"0", "0"}));
  EXPECT_EQ(RowTexts(db, "SELECT No_TipoTelaInicialDeVendas, Cd_ModeloECF FROM EmpresaUsuaria"),
            (std::vector<std::string>{"1|2", "1|2"}));
  EXPECT_EQ(db.Query("SELECT Vl_DescontoCF FROM Caixa").Field(0).ToDouble(), 0.0);
}

}  // namespace
}  // namespace bp
