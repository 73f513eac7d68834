// The SQLite table rebuild: how a table takes a shape that SQLite's ALTER
// TABLE cannot give it (a new or dropped key or reference, a new type, a NOT
// NULL column without default).
#pragma once

#include <string>
#include <vector>

#include "bp/schema/dialect.h"

namespace bp::schema {

// The statements that turn table `before` into `after` (same name) inside the
// caller's transaction, keeping every row:
//   1. PRAGMA defer_foreign_keys = ON, so the table may be absent for a while
//      although other tables reference it;
//   2. its rows are copied aside into a temporary table;
//   3. the table is dropped and created again with the new shape, under its
//      own name (no rename: other tables keep referencing it by that name);
//   4. the rows come back, column by column for the columns both shapes have
//      (SQLite's type affinity converts the values of a re-typed column);
//      the column `rewritten` names, if any, gets the value of its
//      expression over the row instead;
//   5. the temporary table is dropped and the indexes are created again;
//   6. when `verify` is given (a new reference that must hold for the
//      existing rows), a statement fails with an integrity error naming it
//      when any row breaks it;
//   7. PRAGMA defer_foreign_keys = OFF, which also forgets what SQLite
//      counted while the table was away: the rows are the very rows that
//      were there, so a reference added unchecked keeps SQL Server's WITH
//      NOCHECK meaning (old rows are not judged, new ones are).
struct RewrittenColumn {
  std::string column;      // empty: none
  std::string expression;  // over the row's columns, as they were
};
std::vector<std::string> RebuildTable(const Dialect& dialect, const Table& before,
                                      const Table& after, const ForeignKey* verify = nullptr,
                                      const RewrittenColumn& rewritten = {});

}  // namespace bp::schema
