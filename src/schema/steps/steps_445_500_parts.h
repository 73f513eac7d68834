// Shared pieces of the version steps 445 to 500: short ways to write
// columns, tables and indexes, and the few shapes of work these steps repeat
// (adding a list of columns, creating a list of indexes, setting a column in
// every row, copying the pump number into a text column).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bp/schema/shorthands.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"

namespace bp::schema::s445 {

// Shapes shared by every step (bp/schema/shorthands.h).
using bp::schema::Nullable;
using bp::schema::Unstated;
using bp::schema::Ref;
using bp::schema::AddColumns;

inline const std::string kEmp = "Cd_PessoaUsuaria";

// Columns: not null, nullable, or with the nullability left to the server;
// the last two kinds may carry a constant default.
Column NotNull(std::string name, ColumnType type, Value default_value);


// A data statement in the text all three databases accept.
DataStatement Statement(std::string sql);


// An index to create on a table.
struct TableIndex {
  std::string table;
  Index index;
};

// Creates the indexes in the order given.
void CreateIndexes(StepContext& c, const std::vector<TableIndex>& indexes);

// "UPDATE table SET column = value" for every row; `value` is SQL text.
void SetInEveryRow(StepContext& c, const std::string& table, const std::string& column,
                   const std::string& value);

// Copies each pump's number, as text, into `column` of Bomba.
void CopyPumpNumberAsText(StepContext& c, const std::string& column);

// The performance indexes of steps 453, 459, 465, 466 and 470.
const std::vector<TableIndex>& IndexesOfStep453();
const TableIndex& IndexOfStep459();
const std::vector<TableIndex>& IndexesOfStep465();
const std::vector<TableIndex>& IndexesOfStep466();
const std::vector<TableIndex>& IndexesOfStep470();

// The user company's default output-invoice layout (step 451): the form and
// the fields as (name, left, top) in millimetres.
struct LayoutField {
  const char* name;
  int32_t left;
  int32_t top;
};
const std::vector<LayoutField>& DefaultInvoiceFields();

// The fiscal-printer models and software versions seeded by step 470, in
// the order they are inserted.
struct PrinterVersion {
  int32_t model;
  int32_t version;
  const char* model_text;
  const char* version_text;
};
const std::vector<PrinterVersion>& KnownPrinterVersions();

// The steps of this range, by group.
void AddSteps445To453(StepTable& t);
void AddSteps459To468(StepTable& t);
void AddSteps469To500(StepTable& t);

}  // namespace bp::schema::s445
