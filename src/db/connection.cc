#include "bp/db/connection.h"

#include "db/column_values.h"
#include "db/postgres_connection.h"
#include "db/sqlite_connection.h"

namespace bp::db {

std::unique_ptr<Connection> Connection::Open(const std::string& target,
                                             const ConnectionOptions& options) {
  for (std::string_view scheme : {"postgresql://", "postgres://"}) {
    if (target.size() >= scheme.size() &&
        EqualsIgnoreCase(std::string_view(target).substr(0, scheme.size()), scheme))
      return std::make_unique<PostgresConnection>(target, options);
  }
  return std::make_unique<SqliteConnection>(target, options);
}

}  // namespace bp::db
