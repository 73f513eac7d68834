// A walk of schema operations run for real on SQLite and on PostgreSQL: every
// kind of operation, with keys, defaults, collations, included columns and
// references, on tables that hold rows.
#pragma once

#include <vector>

#include "bp/db/connection.h"
#include "bp/schema/model.h"
#include "bp/schema/operations.h"

namespace bp::testing {

// The operations of the walk, in order: every kind of operation at least once.
std::vector<schema::Operation> SchemaWalk();

// Runs the walk on an empty database through schema::Apply. After every
// operation the database's own introspection must equal the model (on what
// the database can keep); along the way the rows must keep their values
// through rebuilds, re-typed columns and added defaults. Reports through
// gtest assertions and returns the final model.
schema::Model RunSchemaWalk(db::Connection& db);

// On an empty database: a reference added over an orphan row is refused
// with 0x80040E2F naming it, and inside the caller's transaction the failed
// operation is undone alone; added unchecked it is accepted and judges only
// new rows. A NOT NULL column without default goes into an empty table and
// is refused where rows exist. The model equals the database throughout.
void CheckReferencesJudgeExistingRows(db::Connection& db);

// Creates the version-18 schema and its seed on an empty database through
// schema::Apply, in one transaction; checks that the database equals the
// model and stands at version 18.
void ExpectBaseSchemaEqualsItsModel(db::Connection& db);

}  // namespace bp::testing
