// Shared pieces of the version-driver tests, run alike on SQLite and
// PostgreSQL.
#pragma once

#include <optional>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/schema/version_step.h"
#include "support/recording_session.h"

namespace bp::testing {

// (Re)creates Parametro with one row at `version`, or empty.
void CreateParametro(db::Connection& db, std::optional<int32_t> version);
int32_t StoredVersion(db::Connection& db);

// Walks from 298 with a step 299 that creates a table, adds a column, writes
// rows and then fails: checks that the host gets the database's error and
// that the version, the tables and the rows are as before the turn.
void RunFailingTurn(BPAtualizarBancoDeDados& driver, schema::StepTable& steps,
                    db::Connection& db, RecordingSession& recorder);

}  // namespace bp::testing
