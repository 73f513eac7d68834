#include <gtest/gtest.h>

#include "bp/erro.h"
#include "station/session/banco_inicial.h"
#include "support/pg_cluster.h"
#include "support/version_walk.h"

namespace bp::testing {
namespace {

class VersionDriverPg : public PgTest {};

TEST_F(VersionDriverPg, FailingStepRollsTheWholeTurnBackSchemaIncluded) { RunFailingTurn(Url()); }

TEST_F(VersionDriverPg, TwoUpgradersAtOnceRunEachStepOnce) { RaceTwoUpgraders(Url(), 5); }

TEST_F(VersionDriverPg, NewDatabaseStartsAtEighteen) {
  const auto db = Connect();
  station::CriarBancoVersao18(*db, 1);
  EXPECT_EQ(station::VersaoDoBanco(*db), 18);
  EXPECT_THROW(station::CriarBancoVersao18(*db, 1), Erro);
  EXPECT_EQ(station::VersaoDoBanco(*db), 18);
}

}  // namespace
}  // namespace bp::testing
