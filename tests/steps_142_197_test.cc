// The version steps 142 to 197 on a real SQLite station database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/schema/model.h"
#include "steps_142_197_walk.h"
#include "support/db_checks.h"

namespace bp {
namespace {

using testing::StepWalk;
using testing::steps142::Range;

TEST(Steps142To197, CorrectTheDataAndKeepTheModelEqualToTheDatabase) {
  StepWalk walk(Range());
  testing::steps142::WalkWithRows(walk);
}

TEST(Steps142To197, Step164AsksTheHostAndFailsWithItsMessage) {
  StepWalk walk(Range({}, 7));
  walk.To(163);
  walk.stock.general_result = false;
  walk.stock.general_message = "Produto 10 sem movimento de abertura.";
  const Erro e = testing::FailureOf([&] { walk.To(164); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Produto 10 sem movimento de abertura.");
  EXPECT_NE(e.source.find(" -> BPAtualizarBancoDeDados.AtualizarVersao164, "), std::string::npos)
      << e.source;
  EXPECT_EQ(walk.Version(), 163);

  walk.stock.general_result = true;
  walk.To(164);
  EXPECT_EQ(walk.Version(), 164);
  ASSERT_EQ(walk.stock.general_calls.size(), 2u);
  for (const auto& [company, start] : walk.stock.general_calls) {
    EXPECT_EQ(company, 7);
    EXPECT_EQ(start, DateTime::Of(2005, 1, 1));
  }
}

TEST(Steps142To197, Step157FailsOnItsColumnsOnceTheKeysAreDone) {
  StepWalk walk(Range());
  walk.To(156);
  walk.Db().Execute("ALTER TABLE CupomFiscal ADD Vl_DescontoCF MONEY");
  EXPECT_THROW(walk.To(157), Erro);
  EXPECT_EQ(walk.Version(), 156);
  EXPECT_EQ(schema::FindColumn(walk.Read("EmpresaUsuaria"), "Ic_PermitirDescontoCF"), nullptr);
}

}  // namespace
}  // namespace bp
