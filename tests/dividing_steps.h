// The version steps that divide in their statements, each brought to the
// version before it with a zero divisor among its rows; shared by the SQLite
// (dividing_steps_test.cc) and PostgreSQL (pg/steps_pg_test.cc) tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "support/correction_walk.h"
#include "support/db_checks.h"
#include "support/step_walk.h"

namespace bp::testing {

struct DividingStep {
  int32_t number;
  // Walks to number - 1 and leaves a zero divisor for the step.
  void (*prepare)(StepWalk&);
  // Queries that read whole every table the step's turn writes.
  std::vector<std::string> tables;
};

inline std::vector<DividingStep> DividingSteps() {
  return {
      // 66: the IPI of an entry item spread over its units, and none bought.
      {66,
       [](StepWalk& w) {
         InsertRowsFor019To071(w);
         w.To(65);
         w.Exec({"UPDATE ItemNotaEntrada SET Qt_UnidadeItem = 0 WHERE No_Item = 1"});
       },
       {"SELECT * FROM ItemNotaEntrada ORDER BY No_Item", "SELECT * FROM Cardex ORDER BY 2",
        "SELECT * FROM Produto ORDER BY 2"}},
      // 225: units entered per unit withdrawn, from a transfer that withdrew
      // nothing.
      {225,
       [](StepWalk& w) {
         InsertRowsFor019To071(w);
         w.To(211);
         InsertRowsFor200To297(w);
         w.To(224);
         w.Exec({"UPDATE ItemTransfEmbalagem SET Qt_UnidadeBaixa = 0 WHERE No_Transferencia = 4"});
       },
       {"SELECT * FROM ItemTransfEmbalagem ORDER BY 2", "SELECT * FROM Cardex ORDER BY 2"}},
  };
}

// A zero divisor fails the step's turn with the database's statement error,
// as on SQL Server, and leaves the version and the tables as they were.
inline void ExpectZeroDivisorFailsTheTurn(const DividingStep& step, const std::string& banco) {
  SCOPED_TRACE("step " + std::to_string(step.number));
  StepWalk w({.banco = banco});
  step.prepare(w);
  std::vector<std::vector<std::string>> before;
  for (const auto& sql : step.tables) before.push_back(RowTexts(w.Db(), sql));

  const Erro e = FailureOf([&] { w.To(step.number); });
  EXPECT_EQ(e.number, db::kErroComando) << e.description;
  EXPECT_NE(e.description.find("division by zero"), std::string::npos) << e.description;
  EXPECT_EQ(w.Version(), step.number - 1);
  for (size_t i = 0; i < step.tables.size(); ++i)
    EXPECT_EQ(RowTexts(w.Db(), step.tables[i]), before[i]) << step.tables[i];
}

}  // namespace bp::testing
