// The source database of an import, named by the connection text the library
// builds ("...;User ID=sa; Password=...;Initial Catalog=NAME;Data Source=WHERE").
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "bp/db/connection.h"

namespace station {

// The parts of a connection text that say where the source is.
struct TextoDeConexao {
  std::string data_source;
  std::string initial_catalog;
  std::string user_id;
  std::string password;

  // Reads "key=value" pairs separated by ';', keys case-insensitive and
  // blanks around keys and values ignored; unknown keys are left alone.
  static TextoDeConexao Ler(std::string_view texto);
};

// Opens the source: a Data Source that is a folder holds the SQLite file
// named by Initial Catalog; otherwise it is a PostgreSQL server "host[:port]"
// and Initial Catalog its database. A source that cannot be opened raises
// 3709 naming the data source and the database, never the password.
std::unique_ptr<bp::db::Connection> AbrirOrigem(const std::string& texto);

}  // namespace station
