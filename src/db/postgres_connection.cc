#include "db/postgres_connection.h"

#include <fmt/format.h>
#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>

#include "bp/format.h"
#include "db/column_values.h"

namespace bp::db {

namespace {

// Type OIDs of the server's built-in types (pg_type.oid, fixed since 7.x).
enum Oid : unsigned {
  kBool = 16,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOidType = 26,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043,
  kDate = 1082,
  kTime = 1083,
  kTimestamp = 1114,
  kTimestamptz = 1184,
  kNumeric = 1700,
};

std::string Trimmed(const char* message) {
  std::string text = message ? message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

ColumnKind KindOfColumn(const PGresult* result, int column) {
  switch (PQftype(result, column)) {
    case kBool:
      return ColumnKind::kBool;
    case kInt8:
    case kInt4:
    case kOidType:
      return ColumnKind::kInt32;
    case kInt2:
      return ColumnKind::kInt16;
    case kFloat4:
    case kFloat8:
      return ColumnKind::kDouble;
    case kNumeric: {
      // The type modifier holds precision and scale; -1 when unconstrained
      // (sums, averages), read as a Double like any computed number.
      const int modifier = PQfmod(result, column);
      if (modifier < 4) return ColumnKind::kDouble;
      return ((modifier - 4) & 0xffff) <= 4 ? ColumnKind::kMoney : ColumnKind::kDouble;
    }
    case kDate:
    case kTimestamp:
    case kTimestamptz:
    case kTime:
      return ColumnKind::kDate;
    default:
      return ColumnKind::kText;
  }
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// The server's text of a value as the Value its column's type stands for;
// text that does not read as that type stays text, so nothing is lost.
Value FromText(std::string_view text, ColumnKind kind, unsigned type) {
  switch (kind) {
    case ColumnKind::kBool:
      return Value(text == "t");
    case ColumnKind::kInt32: {
      int64_t n = 0;
      if (ReadNumber(text, n)) return WholeNumber(n);
      break;
    }
    case ColumnKind::kInt16: {
      int16_t n = 0;
      if (ReadNumber(text, n)) return Value(n);
      break;
    }
    case ColumnKind::kDouble: {
      double d = 0;
      if (ReadNumber(text, d)) return Value(d);
      // "Infinity" and "-Infinity" are the server's spellings.
      if (text == "Infinity" || text == "-Infinity" || text == "NaN") {
        const auto nan = std::numeric_limits<double>::quiet_NaN();
        const auto inf = std::numeric_limits<double>::infinity();
        return Value(text == "NaN" ? nan : text[0] == '-' ? -inf : inf);
      }
      break;
    }
    case ColumnKind::kMoney:
      try {
        return Value(Money::Parse(text));
      } catch (const Erro&) {
        double d = 0;
        if (ReadNumber(text, d)) return Value(d);  // beyond Money's range
      }
      break;
    case ColumnKind::kDate:
      if (type == kTime) {
        if (auto date = ParseDateText(std::string("1899-12-30 ") + std::string(text)))
          return Value(*date);
      } else if (auto date = ParseDateText(text)) {
        return Value(*date);
      }
      break;
    default:
      break;
  }
  return Value(std::string(text));
}

Recordset ToRecordset(const PGresult* result, std::string_view source) {
  const int columns = PQnfields(result);
  const int count = PQntuples(result);
  std::vector<std::string> names;
  std::vector<ColumnKind> kinds;
  for (int c = 0; c < columns; ++c) {
    names.emplace_back(PQfname(result, c));
    kinds.push_back(KindOfColumn(result, c));
  }
  std::vector<std::vector<Value>> rows(static_cast<size_t>(count));
  for (int r = 0; r < count; ++r) {
    auto& row = rows[static_cast<size_t>(r)];
    row.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      if (PQgetisnull(result, r, c)) {
        row.emplace_back(Null{});
      } else {
        const std::string_view text(PQgetvalue(result, r, c),
                                    static_cast<size_t>(PQgetlength(result, r, c)));
        row.push_back(FromText(text, kinds[static_cast<size_t>(c)], PQftype(result, c)));
      }
    }
  }
  return Recordset(std::move(names), std::move(rows), std::string(source));
}

// Rows changed by a data statement, from its command tag ("UPDATE 3").
bool DataCount(const PGresult* result, int64_t& affected) {
  const std::string_view tag = PQcmdStatus(const_cast<PGresult*>(result));
  const std::string_view word = tag.substr(0, tag.find(' '));
  if (word != "INSERT" && word != "UPDATE" && word != "DELETE" && word != "MERGE") return false;
  const std::string_view digits = PQcmdTuples(const_cast<PGresult*>(result));
  int64_t n = 0;
  if (!ReadNumber(digits, n)) return false;
  affected = n;
  return true;
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

void ClearResult::operator()(PGresult* result) const { PQclear(result); }

Parameter ToParameter(const Value& value) {
  return std::visit(
      [](const auto& v) -> Parameter {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, Null>) {
          return {true, {}, 0};
        } else if constexpr (std::is_same_v<T, bool>) {
          return {false, v ? "1" : "0", 0};
        } else if constexpr (std::is_same_v<T, double>) {
          return {false, SqlNumber(v), kFloat8};
        } else if constexpr (std::is_same_v<T, Money>) {
          return {false, v.ToSql(), kNumeric};
        } else if constexpr (std::is_same_v<T, DateTime>) {
          return {false, DateText(v), kTimestamp};
        } else if constexpr (std::is_same_v<T, std::string>) {
          return {false, v, 0};
        } else if constexpr (std::is_same_v<T, int32_t>) {
          return {false, std::to_string(v), kInt4};
        } else {
          return {false, std::to_string(v), kInt2};
        }
      },
      value.data());
}

PostgresConnection::PostgresConnection(std::string url, const ConnectionOptions& options)
    : ConnectionBase(options), url_(std::move(url)) {
  Connect();
}

PostgresConnection::~PostgresConnection() { Close(); }

std::string PostgresConnection::Describe() const { return HidePassword(url_); }

void PostgresConnection::Connect() {
  RequireNoNul(url_, "The database URL", Source());
  const std::string timeout = std::to_string(ConnectionTimeout());
  const char* keys[] = {"dbname", "connect_timeout", "client_encoding", "fallback_application_name",
                        nullptr};
  const char* values[] = {url_.c_str(), timeout.c_str(), "UTF8", "posto", nullptr};
  PGconn* conn = PQconnectdbParams(keys, values, /*expand_dbname=*/1);
  if (!conn) RaiseUnusable("out of memory connecting to " + Describe(), Source());
  if (PQstatus(conn) != CONNECTION_OK) {
    std::string reason = Trimmed(PQerrorMessage(conn));
    PQfinish(conn);
    RaiseUnusable(reason + " [" + Describe() + "]", Source());
  }
  PQsetNoticeProcessor(conn, &IgnoreNotice, nullptr);
  conn_ = conn;
  applied_timeout_ms_ = -1;
  try {
    // Dates in and out as "yyyy-mm-dd hh:mm:ss"; quotes doubled, never
    // backslash-escaped, as Quote writes them.
    Exec("SET DateStyle = 'ISO, YMD'; SET standard_conforming_strings = on");
    EnsureStatementTimeout();
  } catch (...) {
    Close();
    throw;
  }
}

void PostgresConnection::Close() {
  if (!conn_) return;
  PQfinish(conn_);  // the server rolls back whatever transaction is open
  conn_ = nullptr;
  ResetTransactions();
}

void PostgresConnection::Reopen() {
  Close();
  Connect();
}

bool PostgresConnection::Lost() const { return !conn_ || PQstatus(conn_) != CONNECTION_OK; }

bool PostgresConnection::IsUsable() {
  if (Lost()) return false;
  Result result(PQexec(conn_, "SELECT 1"));
  return result && PQresultStatus(result.get()) == PGRES_TUPLES_OK;
}

bool PostgresConnection::EngineInTransaction() const {
  if (Lost()) return false;
  const auto status = PQtransactionStatus(conn_);
  return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void PostgresConnection::BeginReal() { Exec("BEGIN"); }

void PostgresConnection::CommitReal() {
  try {
    Exec("COMMIT");
  } catch (...) {
    applied_timeout_ms_ = -1;
    throw;
  }
}

void PostgresConnection::RollbackReal() {
  applied_timeout_ms_ = -1;
  Exec("ROLLBACK");
}

Erro PostgresConnection::Failure(const PGresult* result) const {
  const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  const std::string code = state ? state : "";
  std::string text =
      Trimmed(result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr);
  if (text.empty()) text = Trimmed(result ? PQresultErrorMessage(result) : nullptr);
  if (text.empty()) text = Trimmed(conn_ ? PQerrorMessage(conn_) : nullptr);
  if (Lost() || code.starts_with("08") || code.starts_with("57P")) {
    std::string full = RuntimeText(rt::kConnectionUnusable);
    full += " (" + text + ")";
    return ProviderErro(rt::kConnectionUnusable, std::move(full), Source());
  }
  if (code.starts_with("23")) {
    if (const char* detail = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL) : nullptr)
      text += ". " + Trimmed(detail);
    return ProviderErro(kErroIntegridade, std::move(text), Source());
  }
  // Cancelled by statement_timeout, or a lock that could not be had in time.
  if (code == "57014" || code == "55P03")
    return ProviderErro(kErroTempoEsgotado, fmt::format("{} ({})", kTimeoutText, text), Source());
  return ProviderErro(kErroComando, std::move(text), Source());
}

void PostgresConnection::Exec(const char* sql) {
  if (Lost()) throw Failure(nullptr);
  Result result(PQexec(conn_, sql));
  const auto status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw Failure(result.get());
}

void PostgresConnection::EnsureStatementTimeout() {
  const int64_t wanted = int64_t{CommandTimeout()} * 1000;
  if (wanted == applied_timeout_ms_) return;
  Exec(fmt::format("SET statement_timeout = {}", wanted).c_str());
  applied_timeout_ms_ = wanted;
}

int64_t PostgresConnection::SendAndCollect(std::string_view sql, const std::vector<Value>& params,
                                           Recordset* rows) {
  const std::string text(sql);
  int sent = 0;
  if (params.empty()) {
    sent = PQsendQuery(conn_, text.c_str());
  } else {
    size_t marks = 0;
    const std::string numbered = NumberPlaceholders(sql, marks);
    if (marks != params.size())
      RaiseProvider(kErroComando,
                    fmt::format("{} parameter value(s) given, the statement text uses {}",
                                params.size(), marks),
                    Source());
    std::vector<Parameter> converted;
    std::vector<const char*> values;
    std::vector<unsigned> types;
    converted.reserve(params.size());
    for (const auto& value : params) {
      const Parameter& p = converted.emplace_back(ToParameter(value));
      RequireNoNul(p.text, "A parameter value", Source());
    }
    for (const auto& p : converted) {
      values.push_back(p.null ? nullptr : p.text.c_str());
      types.push_back(p.type);
    }
    sent = PQsendQueryParams(conn_, numbered.c_str(), static_cast<int>(params.size()), types.data(),
                             values.data(), nullptr, nullptr, 0);
  }
  if (!sent) throw Failure(nullptr);

  // Every result must be read, even after a failure, before the connection
  // takes the next command.
  int64_t affected = 0;
  std::optional<Erro> failure;
  while (Result result{PQgetResult(conn_)}) {
    PGresult* r = result.get();
    switch (PQresultStatus(r)) {
      case PGRES_TUPLES_OK:
        if (rows) *rows = ToRecordset(r, sql);
        DataCount(r, affected);
        break;
      case PGRES_COMMAND_OK:
        DataCount(r, affected);
        break;
      case PGRES_COPY_IN:
        PQputCopyEnd(conn_, "COPY FROM STDIN is not supported here");
        break;
      case PGRES_COPY_OUT: {
        char* buffer = nullptr;
        while (PQgetCopyData(conn_, &buffer, 0) > 0) PQfreemem(buffer);
        if (!failure)
          failure = ProviderErro(kErroComando, "COPY TO STDOUT is not supported here", Source());
        break;
      }
      case PGRES_EMPTY_QUERY:
        break;
      default:
        if (!failure) failure = Failure(r);
        break;
    }
  }
  if (failure) {
    // The connection may have dropped while the results were read.
    if (Lost()) throw Failure(nullptr);
    throw *failure;
  }
  return affected;
}

int64_t PostgresConnection::Run(std::string_view sql, const std::vector<Value>& params,
                                Recordset* rows) {
  RequireOpen();
  RequireNoNul(sql, "The statement text", Source());
  if (Lost()) throw Failure(nullptr);
  if (rows) *rows = Recordset({}, {}, std::string(sql));
  EnsureStatementTimeout();
  const bool savepoint = EngineInTransaction();
  try {
    if (savepoint) Exec("SAVEPOINT bp_command");
    const int64_t affected = SendAndCollect(sql, params, rows);
    if (savepoint) Exec("RELEASE SAVEPOINT bp_command");
    return affected;
  } catch (Erro& failure) {
    if (savepoint && EngineInTransaction()) {
      Result undone(
          PQexec(conn_, "ROLLBACK TO SAVEPOINT bp_command; RELEASE SAVEPOINT bp_command"));
    }
    FollowEngineAfterFailure(failure);
    throw;
  }
}

}  // namespace bp::db
