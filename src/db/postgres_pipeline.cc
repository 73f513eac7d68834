// The same statements for many rows on the server: each statement is
// prepared once and the rows go in runs of libpq's pipeline mode, so a run
// of a thousand rows costs one round trip instead of a thousand (and no
// savepoint per command). A run is undone as a whole when one of its rows
// fails; its rows then run again one command at a time, so the failure is
// raised, and leaves the transaction, exactly as Execute would.
#include <fmt/format.h>
#include <libpq-fe.h>

#include <atomic>
#include <memory>
#include <optional>

#include "db/postgres_connection.h"

namespace bp::db {

namespace {

// Rows in one pipelined run: enough to hide the round trips, few enough
// that a run with a failing row is cheap to run again row by row.
constexpr size_t kRunRows = 1000;

// The server type of each value of a row (0 for Null).
std::vector<unsigned> TypesOf(const std::vector<Value>& row) {
  std::vector<unsigned> types;
  types.reserve(row.size());
  for (const Value& value : row) types.push_back(ToParameter(value).type);
  return types;
}

// Whether `row` reads as a run prepared for `types`: each value is Null or
// of the same type, so it is read exactly as Execute would read it.
bool Fits(const std::vector<unsigned>& types, const std::vector<Value>& row) {
  if (row.size() != types.size()) return false;
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i].IsNull() || row[i].IsEmpty()) continue;
    if (ToParameter(row[i]).type != types[i]) return false;
  }
  return true;
}

}  // namespace

void PostgresConnection::ExecuteEach(const std::vector<std::string>& statements,
                                     const std::vector<std::vector<Value>>& rows, size_t& next) {
  RequireOpen();
  if (Lost()) throw Failure(nullptr);
  std::vector<std::string> numbered;
  std::vector<size_t> marks;
  for (const std::string& sql : statements) {
    RequireNoNul(sql, "The statement text", Source());
    size_t count = 0;
    numbered.push_back(NumberPlaceholders(sql, count));
    marks.push_back(count);
  }
  if (next >= rows.size() || statements.empty()) return;
  EnsureStatementTimeout();

  static std::atomic<uint64_t> serial{0};
  std::vector<std::string> prepared;  // names the server holds, released at the end
  const auto release = [&] {
    if (Lost() || PQtransactionStatus(conn_) == PQTRANS_INERROR) return;
    for (const std::string& name : prepared) Result(PQexec(conn_, ("DEALLOCATE " + name).c_str()));
  };
  try {
    std::optional<std::vector<unsigned>> types;
    std::vector<std::string> names;
    while (next < rows.size()) {
      if (!types || !Fits(*types, rows[next])) {
        types = TypesOf(rows[next]);
        ShareOf(marks, rows[next], 0);  // raises when the row has the wrong count
        names.clear();
        for (size_t i = 0; i < statements.size(); ++i)
          names.push_back(fmt::format("bp_each_{}_{}", ++serial, i));
      }
      size_t end = next + 1;
      while (end < rows.size() && end - next < kRunRows && Fits(*types, rows[end])) ++end;
      if (Pipeline(names, numbered, *types, marks, rows, next, end, prepared)) {
        next = end;
      } else {
        RunEachRow(statements, marks, rows, end, next);
      }
    }
  } catch (...) {
    release();
    throw;
  }
  release();
}

bool PostgresConnection::Pipeline(const std::vector<std::string>& names,
                                  const std::vector<std::string>& numbered,
                                  const std::vector<unsigned>& types,
                                  const std::vector<size_t>& marks,
                                  const std::vector<std::vector<Value>>& rows, size_t from,
                                  size_t to, std::vector<std::string>& prepared) {
  const bool in_transaction = EngineInTransaction();
  const char* open = in_transaction ? "SAVEPOINT bp_each" : "BEGIN";
  const char* close = in_transaction ? "RELEASE SAVEPOINT bp_each" : "COMMIT";
  // Every value is converted before anything is sent: a failure past this
  // point is the connection's own.
  std::vector<std::vector<Parameter>> converted;
  converted.reserve(to - from);
  for (size_t r = from; r < to; ++r) {
    auto& row = converted.emplace_back();
    row.reserve(rows[r].size());
    for (const Value& value : rows[r]) {
      const Parameter& param = row.emplace_back(ToParameter(value));
      RequireNoNul(param.text, "A parameter value", Source());
    }
  }

  if (!PQenterPipelineMode(conn_)) throw Failure(nullptr);
  // What was sent, in order: a prepare names its statement, the others "".
  std::vector<std::string> sent;
  const auto command = [&](const char* sql) {
    if (!PQsendQueryParams(conn_, sql, 0, nullptr, nullptr, nullptr, nullptr, 0))
      throw Failure(nullptr);
    sent.emplace_back();
  };
  command(open);
  if (prepared.empty() || prepared.back() != names.back()) {
    size_t first = 0;
    for (size_t i = 0; i < names.size(); ++i) {
      const std::vector<unsigned> own(
          types.begin() + static_cast<std::ptrdiff_t>(first),
          types.begin() + static_cast<std::ptrdiff_t>(first + marks[i]));
      first += marks[i];
      if (!PQsendPrepare(conn_, names[i].c_str(), numbered[i].c_str(), static_cast<int>(marks[i]),
                         own.data()))
        throw Failure(nullptr);
      sent.push_back(names[i]);
    }
  }
  std::vector<const char*> values;
  for (const auto& row : converted) {
    size_t first = 0;
    for (size_t i = 0; i < names.size(); ++i) {
      values.clear();
      for (size_t p = first; p < first + marks[i]; ++p)
        values.push_back(row[p].null ? nullptr : row[p].text.c_str());
      first += marks[i];
      if (!PQsendQueryPrepared(conn_, names[i].c_str(), static_cast<int>(marks[i]), values.data(),
                               nullptr, nullptr, 0))
        throw Failure(nullptr);
      sent.emplace_back();
    }
  }
  command(close);
  if (!PQpipelineSync(conn_)) throw Failure(nullptr);

  // Every answer is read, up to the sync, before the connection leaves the
  // pipeline; after a failure the server skips the rest (PIPELINE_ABORTED).
  bool failed = false;
  for (const std::string& name : sent) {
    Result result(PQgetResult(conn_));
    if (!result) throw Failure(nullptr);
    const auto status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
      if (!name.empty()) prepared.push_back(name);
    } else {
      failed = true;
    }
    while (Result extra{PQgetResult(conn_)}) {
    }
  }
  for (;;) {
    Result result(PQgetResult(conn_));
    if (!result) throw Failure(nullptr);
    if (PQresultStatus(result.get()) == PGRES_PIPELINE_SYNC) break;
  }
  if (!PQexitPipelineMode(conn_)) throw Failure(nullptr);
  if (!failed) return true;
  if (Lost()) throw Failure(nullptr);
  if (EngineInTransaction()) {
    Exec(in_transaction ? "ROLLBACK TO SAVEPOINT bp_each; RELEASE SAVEPOINT bp_each" : "ROLLBACK");
  }
  return false;
}

}  // namespace bp::db
