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

// Inserts a row numbered with the next number, `inserir` writing it.
// Another PC may take the same number at the same moment (on a server
// database the two reads do not wait for each other): the insert that comes
// second meets the key and is tried again with the number that follows. A
// key violation that is not about the number (the highest number did not
// move) is raised as it came. Returns the number used.
int32_t InserirNumerado(bp::db::Connection& c, const char* sql_maior,
                        const std::vector<bp::Value>& chave,
                        const std::function<void(int32_t)>& inserir);

}  // namespace station
