// Carrying out schema operations on a real database while a model follows.
#pragma once

#include "bp/db/connection.h"
#include "bp/schema/model.h"
#include "bp/schema/operations.h"

namespace bp::schema {

// Renders `op` with the connection's dialect against `model`, runs each
// statement in order on `connection`, then replays `op` on `model`, so a
// caller walking many steps keeps the model equal to the database.
//
// The statements of one operation stand or fall together: they are sent as
// one batch, which the connection undoes as a whole when a statement of it
// fails inside a transaction, and in a transaction of their own when the
// caller holds none. An operation the model refuses raises before any
// statement runs; a failing statement raises the database's error, the
// statements already run are undone and `model` stays as it was.
void Apply(db::Connection& connection, Model& model, const Operation& op);

}  // namespace bp::schema
