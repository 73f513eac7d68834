// Shared pieces of the version-driver tests, run alike on SQLite and
// PostgreSQL.
#pragma once

#include <optional>
#include <string>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/schema/version_step.h"
#include "support/recording_session.h"

namespace bp::testing {

// (Re)creates Parametro with one row at `version`, or empty.
void CreateParametro(db::Connection& db, std::optional<int32_t> version);

// Walks the station database `banco` from 298 with a step 299 that creates a
// table, adds a column, writes rows and then fails: checks that the host gets
// the database's error and that the version, the tables and the rows are as
// before the turn.
void RunFailingTurn(const std::string& banco);

// Two upgraders, each with a session and a connection of its own to
// `banco`, start walking it from version 1 to 12 at the same moment, `rounds`
// times over. Every step counts itself in a table and adds or re-types a
// column; checks that both calls succeed, that each step ran exactly once,
// that the version ends at 12 and that the schema is the one a single walk
// makes.
void RaceTwoUpgraders(const std::string& banco, int rounds);

}  // namespace bp::testing
