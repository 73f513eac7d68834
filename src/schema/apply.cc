#include "bp/schema/apply.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "bp/schema/dialect.h"

namespace bp::schema {
namespace {

constexpr const char* kName = "schema::Apply";

}  // namespace

void Apply(db::Connection& connection, Model& model, const Operation& op) {
  Model after = model;
  after.Apply(op);
  const auto statements = DialectFor(connection.Kind()).Render(op, model);
  // The statements of one operation stand or fall together, as one ALTER
  // does on SQL Server: they go as one batch, which the connection runs
  // under a savepoint of its own inside a transaction, and in a transaction
  // of their own when the caller holds none.
  const bool own = connection.TransactionDepth() == 0;
  if (own) connection.BeginTrans(kName);
  try {
    connection.Execute(fmt::format("{}", fmt::join(statements, ";\n")));
    if (own) connection.CommitTrans(kName);
  } catch (...) {
    if (own && connection.TransactionDepth() > 0) connection.RollbackTrans(kName);
    throw;
  }
  model = std::move(after);
}

}  // namespace bp::schema
