// Pieces shared by the version steps 308 to 441: short ways to write
// columns and tables, the addition of a list of columns, the one-statement
// updates that fill new columns or correct old ones, and the CFOP seeds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bp/schema/shorthands.h"
#include "bp/schema/operations.h"
#include "bp/schema/version_step.h"

namespace bp::schema::s308 {

// Shapes shared by every step (bp/schema/shorthands.h).
using bp::schema::NotNull;
using bp::schema::Nullable;
using bp::schema::Unstated;
using bp::schema::NewTable;
using bp::schema::AddColumns;

inline const std::string kEmp = "Cd_PessoaUsuaria";

// A nullable column whose new rows get `value` when they leave it out.
Column NullableWithDefault(std::string name, ColumnType type, Value value);

// The type compared without regard to case (Latin1_General_CI_AS), as the
// text columns of the report work tables and of GrupoNBM are declared.
ColumnType CaseInsensitive(ColumnType type);



// One set-based statement, "UPDATE table SET column = value, ... WHERE
// condition", each value and the condition being SQL text that SQLite,
// PostgreSQL and SQL Server all accept; no condition touches every row.
using Assignment = std::pair<std::string, std::string>;
void Update(StepContext& c, const std::string& table, const std::vector<Assignment>& assignments,
            const std::string& where = "");

// Inserts fiscal operation codes with their descriptions into CFOP.
void SeedCfop(StepContext& c, const std::vector<std::pair<int32_t, std::string>>& codes);

// The steps of this range, by file.
void AddSteps308To331(StepTable& t);
void AddSteps354To389(StepTable& t);
void AddSteps395To441(StepTable& t);

}  // namespace bp::schema::s308
