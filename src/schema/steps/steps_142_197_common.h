// Shared pieces of the version steps 142 to 197: column and table
// shorthands, and the few shapes of work that several of these steps repeat
// (adding a list of columns, replacing tables, re-creating the constraints
// of a table, setting a column in every row).
#pragma once

#include <string>
#include <vector>

#include "bp/schema/shorthands.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"

namespace bp::schema::steps142 {

// Shapes shared by every step (bp/schema/shorthands.h).
using bp::schema::NotNull;
using bp::schema::Nullable;
using bp::schema::Unstated;
using bp::schema::Ref;
using bp::schema::AddColumns;



// A table with its primary key, indexes and references, created together.
Table MakeTable(std::string name, std::vector<Column> columns, PrimaryKey key,
                std::vector<Index> indexes = {}, std::vector<ForeignKey> references = {});


// Drops the tables (the last one first, so that a child goes before its
// parent) and creates them again in the shapes given (the first one first).
// Their rows do not survive.
void ReplaceTables(StepContext& c, const std::vector<Table>& tables);

// Drops the references, indexes and primary key that `shape` names from the
// table of that name, then adds the key, indexes and references again as
// `shape` gives them. Only the constraints change: the columns and rows stay.
void RecreateConstraints(StepContext& c, const Table& shape);

// A data statement written alike for every database.
DataStatement Portable(std::string sql);

// "UPDATE table SET column = value" for every row; `value` is SQL text.
void SetInEveryRow(StepContext& c, const std::string& table, const std::string& column,
                   const std::string& value);

// The steps of this range, by group.
void AddSteps142To151(StepTable& t);
void AddSteps157To164(StepTable& t);
void AddSteps169To197(StepTable& t);

inline const std::string kEmp = "Cd_PessoaUsuaria";

}  // namespace bp::schema::steps142
