// A new station database: the base schema at version 18 with one user
// company, created in one transaction.
#pragma once

#include <cstdint>

#include "bp/db/connection.h"

namespace station {

// Creates the tables of version 18 and their first rows; refuses a database
// that already has a Parametro table (0x80040E14), changing nothing.
void CriarBancoVersao18(bp::db::Connection& connection, int32_t cd_pessoa_usuaria);

// Drops every table of the database, each after the tables that refer to
// it, and creates those of version 18 again, all in one transaction. Only for
// a database that holds nothing of its own yet: the caller makes sure.
void RecriarBancoVersao18(bp::db::Connection& connection, int32_t cd_pessoa_usuaria);

// Whether the database is a station's: it has the Parametro table.
bool BancoDoPosto(bp::db::Connection& connection);

// Parametro.No_VersaoBD, raising the database's error when there is none.
int32_t VersaoDoBanco(bp::db::Connection& connection);

}  // namespace station
