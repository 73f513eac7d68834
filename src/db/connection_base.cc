#include "db/connection_base.h"

#include <fmt/format.h>

#include <algorithm>

#include "db/column_values.h"
#include "db/provider_error.h"

namespace bp::db {

namespace {

void RequireNonNegative(int32_t seconds) {
  if (seconds < 0) RaiseRuntime(rt::kInvalidPropertyValue, fmt::format("{} seconds", seconds));
}

std::string NoBeginText(const char* verb, std::string_view name) {
  return fmt::format("The {} TRANSACTION request has no corresponding BEGIN TRANSACTION ('{}').",
                     verb, name);
}

}  // namespace

ConnectionBase::ConnectionBase(const ConnectionOptions& options)
    : connection_timeout_(options.connection_timeout), command_timeout_(options.command_timeout) {
  RequireNonNegative(options.connection_timeout);
  RequireNonNegative(options.command_timeout);
}

Recordset ConnectionBase::Query(std::string_view sql, const std::vector<Value>& params) {
  Recordset rows;
  Run(sql, params, &rows);
  return rows;
}

std::vector<Value> ConnectionBase::ShareOf(const std::vector<size_t>& marks,
                                           const std::vector<Value>& row, size_t index) const {
  size_t total = 0;
  for (const size_t m : marks) total += m;
  if (total != row.size())
    RaiseProvider(
        kErroComando,
        fmt::format("{} parameter value(s) given, the statement text uses {}", row.size(), total),
        Source());
  size_t first = 0;
  for (size_t i = 0; i < index; ++i) first += marks[i];
  const auto from = row.begin() + static_cast<std::ptrdiff_t>(first);
  return std::vector<Value>(from, from + static_cast<std::ptrdiff_t>(marks[index]));
}

void ConnectionBase::RunEachRow(const std::vector<std::string>& statements,
                                const std::vector<size_t>& marks,
                                const std::vector<std::vector<Value>>& rows, size_t end,
                                size_t& next) {
  for (; next < end; ++next) {
    for (size_t i = 0; i < statements.size(); ++i)
      Run(statements[i], ShareOf(marks, rows[next], i), nullptr);
  }
}

void ConnectionBase::RequireOpen() const {
  if (!IsOpen()) RaiseUnusable("the connection is closed", Source());
}

void ConnectionBase::BeginTrans(std::string_view /*name*/) {
  RequireOpen();
  if (depth_ == 0) BeginReal();
  ++depth_;
}

void ConnectionBase::CommitTrans(std::string_view name) {
  RequireOpen();
  if (depth_ == 0) RaiseProvider(kErroComando, NoBeginText("COMMIT", name), Source());
  if (depth_ > 1) {
    --depth_;
    return;
  }
  try {
    CommitReal();
  } catch (Erro& e) {
    // A commit refused while the database keeps the transaction (a busy
    // SQLite file) may be retried; one the database rolled back may not.
    depth_ = EngineInTransaction() ? 1 : 0;
    throw;
  }
  depth_ = 0;
}

void ConnectionBase::RollbackTrans(std::string_view name) {
  RequireOpen();
  if (depth_ == 0) RaiseProvider(kErroComando, NoBeginText("ROLLBACK", name), Source());
  depth_ = 0;
  if (EngineInTransaction()) RollbackReal();
}

void ConnectionBase::Savepoint(std::string_view name) { SavepointCommand("SAVEPOINT", name); }

void ConnectionBase::ReleaseSavepoint(std::string_view name) {
  SavepointCommand("RELEASE SAVEPOINT", name);
}

void ConnectionBase::RollbackToSavepoint(std::string_view name) {
  SavepointCommand("ROLLBACK TO SAVEPOINT", name);
}

void ConnectionBase::SavepointCommand(const char* verb, std::string_view name) {
  RequireOpen();
  const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  if (!plain)
    RaiseProvider(kErroComando, fmt::format("Invalid savepoint name '{}'.", name), Source());
  if (depth_ == 0 || !EngineInTransaction())
    RaiseProvider(kErroComando, fmt::format("{} {} needs an open transaction.", verb, name),
                  Source());
  Exec(fmt::format("{} {}", verb, name).c_str());
}

void ConnectionBase::FollowEngineAfterFailure(Erro& failure) {
  if (depth_ == 0 || EngineInTransaction()) return;
  depth_ = 0;
  failure.description += " The transaction was rolled back.";
}

void ConnectionBase::SetConnectionTimeout(int32_t seconds) {
  RequireNonNegative(seconds);
  connection_timeout_ = seconds;
  if (IsOpen()) ApplyConnectionTimeout();
}

void ConnectionBase::SetCommandTimeout(int32_t seconds) {
  RequireNonNegative(seconds);
  command_timeout_ = seconds;
  if (IsOpen()) ApplyCommandTimeout();
}

std::string ConnectionBase::DateLiteral(DateTime date) const { return DateText(date); }

std::string ConnectionBase::Quote(std::string_view text) const {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  quoted += '\'';
  return quoted;
}

}  // namespace bp::db
