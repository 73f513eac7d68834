// Checks that every database connection must pass, written once against
// db::Connection and run on SQLite and on PostgreSQL alike. Each one starts
// from an empty database.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/db/connection.h"
#include "bp/erro.h"

namespace bp::testing {

// The error `action` raises (number 0 when it raises none).
Erro FailureOf(const std::function<void()>& action);
// Every row of the tables, as text in the order `order_by` gives: values
// ended by '|', rows by a line break.
std::string TablesAsText(db::Connection& c, const std::vector<std::string>& tables,
                         const std::string& order_by = "1, 2, 3, 4");

// Batches, records affected, reopening a recordset on its source.
void CheckBatches(db::Connection& c);
// Every column kind written through parameters and through literals, and
// read back as its typed Value; accents, quotes, NULL, four-decimal money.
void CheckTypedValues(db::Connection& c);
// Key, not-null and reference violations raise 0x80040E2F and change nothing.
void CheckIntegrity(db::Connection& c);
// Nested named transactions as SQL Server counts them, schema changes
// included; a failed command inside a transaction leaves the rest of it.
void CheckTransactions(db::Connection& c);
// `long_query` runs for far longer than one second; with a one-second
// command time-out it must stop with 0x80040E31, also inside a transaction.
void CheckCommandTimeout(db::Connection& c, std::string_view long_query);
// After Close every command raises 3709; Reopen brings the data back.
void CheckClosedConnection(db::Connection& c);

}  // namespace bp::testing
