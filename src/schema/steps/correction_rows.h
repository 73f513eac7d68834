// Pieces shared by the version steps that correct data row by row and by the
// steps that rebuild a table into a new shape: literals for statements built
// from recordset values, the row walk with its progress window and its retry
// after a closed connection, and the table rebuild that keeps column order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"
#include "bp/value.h"

namespace bp::schema::correction {

// A value pasted into statement text: numbers in plain decimal whatever the
// regional settings, texts between single quotes with quotes doubled, dates
// in the data-access object's format between single quotes. Null (and
// Empty) become NULL.
std::string Number(const Value& value);
std::string Text(const Value& value);
std::string Date(StepContext& c, const Value& value);
std::string Date(StepContext& c, DateTime value);
// A number under one of the system's patterns ("######.0#"), always with a
// '.' decimal point and no grouping, so it reads as a numeric literal.
std::string Decimal(double value, std::string_view pattern);
std::string Decimal(const Value& value, std::string_view pattern);

// A set-based data statement in the text all three databases accept, or
// with its own text for SQL Server.
DataStatement Statement(std::string sql);
DataStatement Statement(std::string sql, std::string sqlserver);

// How a row-by-row correction walks its selection.
struct RowWalk {
  // The progress window's text line; empty shows no window.
  std::string progress;
  // Retries after error 3704 (the connection was closed), resuming at the
  // row whose statement failed.
  bool retry_closed_connection = false;
};

// Runs `statement` for each row of `rows` from its current position, the
// recordset positioned on that row. An empty selection does nothing and
// shows no window; otherwise the window shows the share of rows done.
void ForEachRow(StepContext& c, db::Recordset& rows, const RowWalk& how,
                const std::function<void(const db::Recordset&)>& statement);

// The values of one row's statements, or none when the row has nothing to
// change.
using RowValues = std::function<std::optional<std::vector<Value>>(const db::Recordset&)>;

// The same statements for many rows: `values` gives, for each row of `rows`
// from its current position, the values of the "?" marks of `statements`,
// and the rows run many at a time (db::ExecuteEach), which makes the same
// changes as one Execute per row at a fraction of the round trips. Window
// and retry as ForEachRow; a retry resumes at the failing row. For steps
// that fail at their first failing statement: no failure is skipped.
void ExecuteForEachRow(StepContext& c, db::Recordset& rows, const RowWalk& how,
                       const std::vector<std::string>& statements, const RowValues& values);

// Runs `work` with a temporary index on `columns` of `table`, for per-row
// statements that find their rows by columns that no index of the table
// leads with (each would otherwise read the whole table). The index is named
// "Tmp_<table>_<columns joined by _>" and dropped afterwards, so the schema
// is left as it was.
void WithTemporaryIndex(StepContext& c, const std::string& table,
                        const std::vector<std::string>& columns, const std::function<void()>& work);

// Runs the host's stock recomputation (BORecalculoEstoque) for the user
// company and the product in field `product_field` of each row, from `from`
// (empty: the product's first movement). When the host reports a failure,
// `on_failure` is called on that row (none: the failure is ignored).
void RecomputeStock(StepContext& c, db::Recordset& rows, std::string_view product_field,
                    DateTime from, const RowWalk& how,
                    const std::function<void(const db::Recordset&)>& on_failure = {});

// Gives `table` the shape `reshape` makes of it while keeping its rows and
// its column order (which a temporary-column walk would not): the rows go
// into a copy "Tmp_<table>" of the new shape, the table is dropped and
// created again in that shape with its key, indexes and references, the
// rows come back and the copy is dropped. The references of other tables to
// it are dropped first and created again at the end.
void RebuildTable(StepContext& c, std::string_view table,
                  const std::function<void(Table&)>& reshape);

}  // namespace bp::schema::correction
