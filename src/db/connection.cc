#include "bp/db/connection.h"

#include "db/column_values.h"
#include "db/postgres_connection.h"
#include "db/sqlite_connection.h"

namespace bp::db {

bool IsServerTarget(std::string_view target) {
  for (std::string_view scheme : {"postgresql://", "postgres://"}) {
    if (target.size() >= scheme.size() && EqualsIgnoreCase(target.substr(0, scheme.size()), scheme))
      return true;
  }
  return false;
}

std::string DescribeTarget(std::string_view target) {
  return IsServerTarget(target) ? HidePassword(target) : std::string(target);
}

std::unique_ptr<Connection> Connection::Open(const std::string& target,
                                             const ConnectionOptions& options) {
  if (IsServerTarget(target)) return std::make_unique<PostgresConnection>(target, options);
  return std::make_unique<SqliteConnection>(target, options);
}

}  // namespace bp::db
