// The version steps 445 to 500 on a real PostgreSQL database, where bit
// columns are smallint, texts keep to their widths and indexes carry their
// included columns.
#include <gtest/gtest.h>

#include <string>

#include "bp/erro.h"
#include "steps_445_500_rows.h"
#include "support/pg_cluster.h"

namespace bp {
namespace {

class Steps445To500Pg : public testing::PgTest {};

TEST_F(Steps445To500Pg, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  testing::StepWalk walk(testing::steps445::Range(Url()));
  testing::steps445::WalkWithRows(walk);

  // The widened texts take their new widths, and no more.
  auto set = [&](const std::string& table, const std::string& column, size_t width) {
    walk.Db().Execute("UPDATE " + table + " SET " + column + " = '" + std::string(width, 'X') +
                      "'");
  };
  set("EmpresaUsuaria", "Ds_MensagemPDV", 90);
  set("Pessoa", "Ds_Complemento", 50);
  set("Lmc", "Ds_Precos", 40);
  set("ReducaoZ", "Ds_VersaoSoftwareBasicoECF", 20);
  EXPECT_THROW(set("EmpresaUsuaria", "Ds_MensagemPDV", 91), Erro);
  EXPECT_THROW(set("ReducaoZ", "Ds_VersaoSoftwareBasicoECF", 21), Erro);
}

// Each index of steps 453 to 470 with its key and included columns as
// documented; PostgreSQL keeps at most 32 columns per index, so
// CupomFiscal_15 carries the first 30 of its 45 included columns.
TEST_F(Steps445To500Pg, IndexesCarryTheirIncludedColumns) {
  testing::StepWalk walk(testing::steps445::Range(Url()));
  walk.To(500);
  const schema::Model m = schema::Introspect(walk.Db());
  int checked = 0;
  for (auto [table, expected] : testing::steps445::DocumentedIndexes()) {
    const size_t room = 32 - expected.columns.size();
    if (expected.include.size() > room) {
      EXPECT_EQ(expected.name, "CupomFiscal_15");
      expected.include.resize(room);
    }
    const schema::Table& t = m.Get(table);
    const schema::Index* found = testing::IndexNamed(t, expected.name);
    ASSERT_NE(found, nullptr) << expected.name;
    EXPECT_TRUE(schema::SameNames(found->columns, expected.columns)) << expected.name;
    EXPECT_TRUE(schema::SameNames(found->include, expected.include)) << expected.name;
    ++checked;
  }
  EXPECT_EQ(checked, 41);
}

}  // namespace
}  // namespace bp
