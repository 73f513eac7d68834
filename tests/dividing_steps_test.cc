// Divisions in the version steps on SQLite, whose own x / 0 is NULL: a zero
// divisor must fail the turn as SQL Server fails it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/schema/dialect.h"
#include "dividing_steps.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

TEST(DividingSteps, ZeroDivisorFailsTheTurn) {
  for (const DividingStep& step : DividingSteps()) ExpectZeroDivisorFailsTheTurn(step, {});
}

// The division keeps SQLite's arithmetic otherwise: whole numbers divide as
// whole numbers and a NULL divisor gives NULL.
TEST(DividingSteps, SqliteQuotientFailsOnlyOnZero) {
  TestEnv env;
  const auto db = db::Connection::Open(env.Path("divisao.db"));
  const schema::Dialect& dialect = schema::DialectFor(db->Kind());
  const auto quotient = [&](const char* dividend, const char* divisor) {
    return "SELECT " + dialect.Quotient(dividend, divisor);
  };
  EXPECT_EQ(RowTexts(*db, quotient("7", "2")), (std::vector<std::string>{"3"}));
  EXPECT_EQ(RowTexts(*db, quotient("7", "NULL")), (std::vector<std::string>{"-"}));
  for (const char* zero : {"0", "0.0", "-0.0", "'0'"}) {
    const Erro e = FailureOf([&] { db->Query(quotient("7", zero)); });
    EXPECT_EQ(e.number, db::kErroComando) << zero;
    EXPECT_EQ(e.description, "division by zero") << zero;
  }
}

}  // namespace
}  // namespace bp::testing
