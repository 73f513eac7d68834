// The same statements for many rows: what a row-by-row correction runs once
// per row, sent so that a server does not wait for a round trip per row.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "bp/value.h"

namespace bp::db {

// Runs `statements` for each parameter set of `rows` from row `next` on, as
// one Execute per statement and row would, in order: each set is shared out
// among the statements by their "?" marks, in order. The library's own
// connections prepare each statement once, and a server receives the rows
// in pipelined runs; any other connection gets one Execute per statement.
// `next` moves past each row done, so after a failure, raised as Execute
// raises it with what the rows before it did kept, it names the failing row.
void ExecuteEach(Connection& connection, const std::vector<std::string>& statements,
                 const std::vector<std::vector<Value>>& rows, size_t& next);

}  // namespace bp::db
