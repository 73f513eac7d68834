// The version steps on a real PostgreSQL database: the same walk from
// version 18 with the rows of every data correction as on SQLite, where bit
// columns are smallint, texts keep to their widths, re-typed columns take
// the temporary-column walk, indexes carry their included columns and a True
// written as -1 must still read True.
#include <gtest/gtest.h>

#include <string>

#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "catalogue/catalogue.h"
#include "dividing_steps.h"
#include "support/correction_walk.h"
#include "support/pg_cluster.h"

namespace bp::testing {
namespace {

class StepsPg : public PgTest {};

// Every step of the library from version 18 to the end corrects its rows
// and leaves the database the catalogue describes, on what PostgreSQL keeps;
// the widened texts take their new widths, and no more.
TEST_F(StepsPg, LibraryWalkReachesTheCatalogue) {
  StepWalk walk({.banco = Url()});
  WalkWithCorrectionRows(walk);
  EXPECT_EQ(walk.compared.back(), 500);
  EXPECT_EQ(CatalogueDifferences(schema::Introspect(walk.Db()),
                                 schema::DialectFor(walk.Db().Kind()), true),
            "");

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

TEST_F(StepsPg, ZeroDivisorFailsTheTurn) {
  for (const DividingStep& step : DividingSteps())
    ExpectZeroDivisorFailsTheTurn(step, PgCluster::Shared().CreateDatabase());
}

}  // namespace
}  // namespace bp::testing
