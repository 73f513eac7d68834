// One real walk of a version-18 station database over every step of the
// library, run alike on SQLite and PostgreSQL: at the version before each
// data correction it writes the rows that correction works on, and after it
// checks what the correction made of them (and what it had to leave alone).
// The rows of every stretch stay in the database for the stretches after it.
#pragma once

#include <string>
#include <vector>

#include "support/step_walk.h"

namespace bp::testing {

// Rows at version 18 for the corrections of steps 19 to 71: companies 1 and
// 2, product group 1 and ledger account 1, products 1 to 6, their stock
// card, coupons, invoices, printer summaries, a pump and its fuelings.
void InsertRowsFor019To071(StepWalk& w);
// Rows at version 211 for the corrections of steps 212 to 295 (on top of
// the rows above): package transfers and their products, persons with their
// first records, coupons and printer summaries of printer 3 and company 9.
void InsertRowsFor200To297(StepWalk& w);

// The rows and checks of each stretch of the walk, planned on it (StepWalk::At)
// for the versions where they belong; a walk may take every stretch from
// the first on, in order.
void PlanCorrections019To071(StepWalk& plan);
void PlanCorrections073To133(StepWalk& plan);
void PlanCorrections142To197(StepWalk& plan);
void PlanCorrections200To297(StepWalk& plan);
void PlanCorrections308To441(StepWalk& plan);
void PlanCorrections445To500(StepWalk& plan);

// The whole walk, in one run of the driver from 18 to 500, with every
// stretch's rows and checks.
inline void WalkWithCorrectionRows(StepWalk& w) {
  InsertRowsFor019To071(w);
  PlanCorrections019To071(w);
  PlanCorrections073To133(w);
  PlanCorrections142To197(w);
  PlanCorrections200To297(w);
  PlanCorrections308To441(w);
  PlanCorrections445To500(w);
  w.To(500);
}

// The default invoice layout step 451 seeds, as stored for `company`:
// "name left top" per field, sorted by name.
std::vector<std::string> StoredLayoutFields(StepWalk& walk, int32_t company);
// The form row of `company`: width, length, last item, first item, remarks,
// stub.
std::vector<int32_t> StoredLayoutForm(StepWalk& walk, int32_t company);

}  // namespace bp::testing
