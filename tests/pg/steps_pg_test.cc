// The version steps on a real PostgreSQL database, range by range: the same
// walks and corrections as on SQLite, where bit columns are smallint, texts
// keep to their widths, re-typed columns take the temporary-column walk,
// indexes carry their included columns and a True written as -1 must still
// read True.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "catalogue/catalogue.h"
#include "dividing_steps.h"
#include "steps_019_071_scenario.h"
#include "steps_073_133_walk.h"
#include "steps_142_197_walk.h"
#include "steps_200_297_walk.h"
#include "steps_308_441_walk.h"
#include "steps_445_500_walk.h"
#include "support/pg_cluster.h"

namespace bp::testing {
namespace {

class StepsPg : public PgTest {};

// Every step of the library from version 18 to the end leaves the database
// the catalogue describes, on what PostgreSQL keeps.
TEST_F(StepsPg, LibraryWalkReachesTheCatalogue) {
  StepWalkOptions options;
  options.banco = Url();
  options.steps = &schema::LibrarySteps();
  StepWalk walk(options);
  walk.To(500);
  EXPECT_EQ(walk.compared.back(), 500);
  EXPECT_EQ(CatalogueDifferences(schema::Introspect(walk.Db()),
                                 schema::DialectFor(walk.Db().Kind()), true),
            "");
}

TEST_F(StepsPg, From19To71KeepTheModelAndCorrectTheRowsMadeForThem) {
  StepWalk walk(Steps019To071(Url()));
  InsertVersion18Rows(walk);
  WalkAndCheckCorrections(walk);
}

TEST_F(StepsPg, ZeroDivisorFailsTheTurn) {
  for (const DividingStep& step : DividingSteps())
    ExpectZeroDivisorFailsTheTurn(step, PgCluster::Shared().CreateDatabase());
}

TEST_F(StepsPg, From73To133KeepTheModelAndCorrectTheRows) {
  StepWalk w(s073::Range(Url()));
  s073::WalkWithRows(w);
}

TEST_F(StepsPg, From142To197KeepTheModelAndCorrectTheData) {
  StepWalk walk(steps142::Range(Url()));
  steps142::WalkWithRows(walk);
}

TEST_F(StepsPg, From200To297KeepTheModelAndCorrectTheData) {
  StepWalk w(steps200::Range(Url()));
  steps200::WalkWithRows(w);
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

TEST_F(StepsPg, From308To441KeepTheModelAndCorrectTheData) {
  StepWalk walk(steps308::Range(Url()));
  steps308::WalkWithRows(walk);
}

// Steps 445 to 500 correct their rows; the widened texts take their new
// widths, and no more.
TEST_F(StepsPg, From445To500KeepTheModelAndCorrectTheData) {
  StepWalk walk(steps445::Range(Url()));
  steps445::WalkWithRows(walk);

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

}  // namespace
}  // namespace bp::testing
