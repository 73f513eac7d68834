#include "bp/db/execute_each.h"

#include "db/connection_base.h"
#include "db/postgres_connection.h"

namespace bp::db {

void ExecuteEach(Connection& connection, const std::vector<std::string>& statements,
                 const std::vector<std::vector<Value>>& rows, size_t& next) {
  if (auto* own = dynamic_cast<ConnectionBase*>(&connection)) {
    own->ExecuteEach(statements, rows, next);
    return;
  }
  std::vector<size_t> marks;
  for (const std::string& sql : statements) {
    size_t count = 0;
    NumberPlaceholders(sql, count);
    marks.push_back(count);
  }
  for (; next < rows.size(); ++next) {
    size_t first = 0;
    for (size_t i = 0; i < statements.size(); ++i) {
      const auto from = rows[next].begin() + static_cast<std::ptrdiff_t>(first);
      connection.Execute(statements[i],
                         std::vector<Value>(from, from + static_cast<std::ptrdiff_t>(marks[i])));
      first += marks[i];
    }
  }
}

}  // namespace bp::db
