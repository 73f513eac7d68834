// Rows numbered with the next number of their key (the highest plus one),
// safe against another station PC taking the same number at the same time.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "bp/db/connection.h"
#include "bp/value.h"

namespace station {

// The highest number that `sql_maior` (a SELECT MAX over the key's rows)
// finds, plus one; 1 when there is none.
int32_t ProximoNumero(bp::db::Connection& c, const char* sql_maior,
                      const std::vector<bp::Value>& chave);

// Inserts a row numbered with the next number, `inserir` writing it, and
// returns the number used. Another PC may number a row of the same key at the
// same moment. Inside a transaction on a server database the key is locked
// until the transaction ends, so the second PC reads the highest number only
// once the first has committed its row; SQLite's write lock does the same.
// Where no lock is held, the insert that comes second meets the key and is
// tried again with a higher number. A key violation that is not about the
// number (the highest number did not move) is raised as it came.
int32_t InserirNumerado(bp::db::Connection& c, const char* sql_maior,
                        const std::vector<bp::Value>& chave,
                        const std::function<void(int32_t)>& inserir);

}  // namespace station
