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

}  // namespace bp::testing
