#include "db/sqlite_connection.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

#include "db/column_values.h"

namespace bp::db {

namespace {

// Virtual machine steps between two looks at the clock: frequent enough to
// stop within milliseconds, rare enough to cost nothing measurable.
constexpr int kProgressSteps = 1000;

struct Finalize {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

// Clears the command deadline on every way out of a command.
class Deadline {
 public:
  Deadline(bool& has, bool& timed_out, std::chrono::steady_clock::time_point& at, int32_t seconds)
      : has_(has) {
    timed_out = false;
    has_ = seconds > 0;
    if (has_) at = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  }
  ~Deadline() { has_ = false; }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

 private:
  bool& has_;
};

bool OnlyBlanks(const char* from, const char* to) {
  for (; from < to; ++from)
    if (!std::isspace(static_cast<unsigned char>(*from)) && *from != ';') return false;
  return true;
}

// The first keyword of a statement, upper-cased, past blanks, comments and
// opening parentheses.
std::string FirstKeyword(const char* sql) {
  const char* p = sql;
  for (;;) {
    while (*p && (std::isspace(static_cast<unsigned char>(*p)) || *p == '(')) ++p;
    if (p[0] == '-' && p[1] == '-') {
      while (*p && *p != '\n') ++p;
    } else if (p[0] == '/' && p[1] == '*') {
      const char* end = std::strstr(p + 2, "*/");
      p = end ? end + 2 : p + std::strlen(p);
    } else {
      break;
    }
  }
  std::string word;
  while (*p && std::isalpha(static_cast<unsigned char>(*p)))
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(*p++)));
  return word;
}

// INSERT, UPDATE, DELETE and REPLACE (also behind a WITH): the statements
// whose changed rows count as records affected.
bool IsDataStatement(sqlite3_stmt* statement) {
  const std::string word = FirstKeyword(sqlite3_sql(statement));
  if (word == "INSERT" || word == "UPDATE" || word == "DELETE" || word == "REPLACE") return true;
  return word == "WITH" && !sqlite3_stmt_readonly(statement);
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return std::string(text ? text : "",
                     static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

// The value as SQLite stored it, for columns of no known type and for values
// that do not fit their column's declared type.
Value StoredValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
      return Value(Null{});
    case SQLITE_INTEGER:
      return WholeNumber(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
      return Value(sqlite3_column_double(statement, column));
    default:
      return Value(ColumnText(statement, column));
  }
}

template <typename Small>
Value SmallNumber(sqlite3_stmt* statement, int column) {
  const int64_t n = sqlite3_column_int64(statement, column);
  if (n >= std::numeric_limits<Small>::min() && n <= std::numeric_limits<Small>::max())
    return Value(static_cast<Small>(n));
  return WholeNumber(n);
}

Value ColumnValue(sqlite3_stmt* statement, int column, ColumnKind kind) {
  const int stored = sqlite3_column_type(statement, column);
  if (stored == SQLITE_NULL) return Value(Null{});
  const bool integer = stored == SQLITE_INTEGER;
  const bool number = integer || stored == SQLITE_FLOAT;
  switch (kind) {
    case ColumnKind::kInt32:
      if (integer) return WholeNumber(sqlite3_column_int64(statement, column));
      break;
    case ColumnKind::kInt16:
      if (integer) return SmallNumber<int16_t>(statement, column);
      break;
    case ColumnKind::kByte:
      if (integer) return SmallNumber<uint8_t>(statement, column);
      break;
    case ColumnKind::kBool:
      if (number) return Value(sqlite3_column_double(statement, column) != 0);
      break;
    case ColumnKind::kMoney:
      try {
        if (integer) return Value(Money::FromInt(sqlite3_column_int64(statement, column)));
        if (number) return Value(Money::FromDouble(sqlite3_column_double(statement, column)));
        return Value(Money::Parse(ColumnText(statement, column)));
      } catch (const Erro&) {
        // Out of range or not a number: keep what is stored.
      }
      break;
    case ColumnKind::kDouble:
      if (number) return Value(sqlite3_column_double(statement, column));
      break;
    case ColumnKind::kDate:
      if (stored == SQLITE_TEXT) {
        if (auto date = ParseDateText(ColumnText(statement, column))) return Value(*date);
      }
      break;
    case ColumnKind::kText:
      return Value(ColumnText(statement, column));
    case ColumnKind::kAny:
      break;
  }
  return StoredValue(statement, column);
}

int Bind(sqlite3_stmt* statement, int index, const Value& value) {
  return std::visit(
      [&](const auto& v) -> int {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, Null>) {
          return sqlite3_bind_null(statement, index);
        } else if constexpr (std::is_same_v<T, bool>) {
          return sqlite3_bind_int(statement, index, v ? 1 : 0);
        } else if constexpr (std::is_same_v<T, double>) {
          return sqlite3_bind_double(statement, index, v);
        } else if constexpr (std::is_same_v<T, Money>) {
          return sqlite3_bind_double(statement, index, v.ToDouble());
        } else if constexpr (std::is_same_v<T, DateTime>) {
          return sqlite3_bind_text(statement, index, DateText(v).c_str(), -1, SQLITE_TRANSIENT);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return sqlite3_bind_text64(statement, index, v.data(), v.size(), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        } else {
          return sqlite3_bind_int(statement, index, static_cast<int>(v));
        }
      },
      value.data());
}

// bp_divisor(x) (bp/db/connection.h), failing with PostgreSQL's words. Text
// counts as the number it reads as, as in SQLite's own arithmetic, where
// 'abc' counts as 0.
constexpr const char* kDivisionByZeroText = "division by zero";

void Divisor(sqlite3_context* context, int /*argc*/, sqlite3_value** args) {
  sqlite3_value* x = args[0];
  if (sqlite3_value_type(x) != SQLITE_NULL && sqlite3_value_double(x) == 0.0) {
    sqlite3_result_error(context, kDivisionByZeroText, -1);
    return;
  }
  sqlite3_result_value(context, x);
}

std::string ParameterCountText(size_t given, size_t used) {
  return fmt::format("{} parameter value(s) given, the statement text uses {}", given, used);
}

}  // namespace

SqliteConnection::SqliteConnection(std::string path, const ConnectionOptions& options)
    : ConnectionBase(options), path_(std::move(path)) {
  Connect();
}

SqliteConnection::~SqliteConnection() { Close(); }

void SqliteConnection::Connect() {
  if (path_.empty()) RaiseUnusable("no database file given", Source());
  RequireNoNul(path_, "The database path", Source());
  sqlite3* db = nullptr;
  const int code =
      sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (code != SQLITE_OK) {
    std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    sqlite3_close(db);
    RaiseUnusable(reason + ": " + path_, Source());
  }
  db_ = db;
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_progress_handler(db_, kProgressSteps, &SqliteConnection::OnProgress, this);
  ApplyConnectionTimeout();
  if (sqlite3_create_function_v2(db_, kSqliteDivisorFunction, 1,
                                 SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                 &Divisor, nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::string reason = sqlite3_errmsg(db_);
    Close();
    RaiseUnusable(reason + ": " + path_, Source());
  }
  // Reading the schema proves the file is a database before anyone relies on it.
  // The write-ahead log with a full sync keeps every commit durable at one
  // sync of the log per commit (docs/databases.md).
  char* message = nullptr;
  if (sqlite3_exec(db_,
                   "PRAGMA foreign_keys = ON; SELECT count(*) FROM sqlite_master; "
                   "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL",
                   nullptr, nullptr, &message) != SQLITE_OK) {
    std::string reason = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    Close();
    RaiseUnusable(reason + ": " + path_, Source());
  }
}

void SqliteConnection::Close() {
  if (!db_) return;
  // Closing rolls back whatever transaction is still open.
  sqlite3_close_v2(db_);
  db_ = nullptr;
  ResetTransactions();
}

void SqliteConnection::Reopen() {
  Close();
  Connect();
}

bool SqliteConnection::IsUsable() {
  if (!db_) return false;
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT 1", -1, &raw, nullptr) != SQLITE_OK) return false;
  Statement statement(raw);
  return sqlite3_step(raw) == SQLITE_ROW;
}

void SqliteConnection::ApplyConnectionTimeout() {
  sqlite3_busy_timeout(db_, ConnectionTimeout() > 0 ? ConnectionTimeout() * 1000 : 0);
}

bool SqliteConnection::EngineInTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

// BEGIN IMMEDIATE takes the write lock at once (waiting up to the busy
// time-out), so two writers never deadlock half-way through their work.
void SqliteConnection::BeginReal() { Exec("BEGIN IMMEDIATE"); }
void SqliteConnection::CommitReal() { Exec("COMMIT"); }
void SqliteConnection::RollbackReal() { Exec("ROLLBACK"); }

void SqliteConnection::Exec(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    throw Failure(sqlite3_extended_errcode(db_));
}

int SqliteConnection::OnProgress(void* self) {
  auto* connection = static_cast<SqliteConnection*>(self);
  if (!connection->has_deadline_ || std::chrono::steady_clock::now() < connection->deadline_)
    return 0;
  connection->timed_out_ = true;
  return 1;
}

Erro SqliteConnection::Failure(int code) const {
  const std::string text = sqlite3_errmsg(db_);
  switch (code & 0xff) {
    case SQLITE_CONSTRAINT:
      return ProviderErro(kErroIntegridade, text, Source());
    case SQLITE_INTERRUPT:
      if (timed_out_) return ProviderErro(kErroTempoEsgotado, kTimeoutText, Source());
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      // The busy time-out ran out waiting for another connection's lock.
      return ProviderErro(kErroTempoEsgotado, fmt::format("{} ({})", kTimeoutText, text), Source());
    default:
      break;
  }
  return ProviderErro(kErroComando, text, Source());
}

void SqliteConnection::RunStatement(sqlite3_stmt* statement, Recordset* rows,
                                    std::string_view source) {
  const int columns = sqlite3_column_count(statement);
  const bool keep = rows && columns > 0;
  std::vector<std::string> names;
  std::vector<ColumnKind> kinds;
  std::vector<std::vector<Value>> data;
  if (keep) {
    for (int c = 0; c < columns; ++c) {
      names.emplace_back(sqlite3_column_name(statement, c));
      const char* declared = sqlite3_column_decltype(statement, c);
      kinds.push_back(declared ? KindOfDeclaredType(declared) : ColumnKind::kAny);
    }
  }
  int code;
  while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
    if (!keep) continue;
    auto& row = data.emplace_back();
    row.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) row.push_back(ColumnValue(statement, c, kinds[c]));
  }
  if (code != SQLITE_DONE) throw Failure(code);
  if (keep) *rows = Recordset(std::move(names), std::move(data), std::string(source));
}

int64_t SqliteConnection::Run(std::string_view sql, const std::vector<Value>& params,
                              Recordset* rows) {
  RequireOpen();
  RequireNoNul(sql, "The statement text", Source());
  if (sql.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
    RaiseProvider(kErroComando, "The statement text is too long", Source());
  if (rows) *rows = Recordset({}, {}, std::string(sql));
  Deadline deadline(has_deadline_, timed_out_, deadline_, CommandTimeout());
  const char* rest = sql.data();
  const char* const end = sql.data() + sql.size();
  size_t used = 0;
  int64_t affected = 0;
  bool savepoint = false;
  try {
    while (rest < end) {
      sqlite3_stmt* raw = nullptr;
      const char* tail = nullptr;
      const int code = sqlite3_prepare_v2(db_, rest, static_cast<int>(end - rest), &raw, &tail);
      if (code != SQLITE_OK) throw Failure(code);
      Statement statement(raw);
      rest = tail;
      if (!raw) break;  // only blanks or comments were left
      const bool last = OnlyBlanks(rest, end);
      if (!last && !savepoint) {
        Exec("SAVEPOINT bp_batch");
        savepoint = true;
      }
      const auto count = static_cast<size_t>(sqlite3_bind_parameter_count(raw));
      if (used + count > params.size() || (last && used + count != params.size()))
        RaiseProvider(kErroComando, ParameterCountText(params.size(), used + count), Source());
      for (size_t i = 0; i < count; ++i) {
        const int bound = Bind(raw, static_cast<int>(i + 1), params[used + i]);
        if (bound != SQLITE_OK) throw Failure(bound);
      }
      used += count;
      RunStatement(raw, rows, sql);
      if (IsDataStatement(raw)) affected = sqlite3_changes64(db_);
    }
    if (used != params.size())
      RaiseProvider(kErroComando, ParameterCountText(params.size(), used), Source());
    if (savepoint) Exec("RELEASE bp_batch");
  } catch (Erro& failure) {
    has_deadline_ = false;  // the clean-up below must not be interrupted
    if (savepoint && EngineInTransaction())
      sqlite3_exec(db_, "ROLLBACK TO bp_batch; RELEASE bp_batch", nullptr, nullptr, nullptr);
    FollowEngineAfterFailure(failure);
    throw;
  }
  return affected;
}

void SqliteConnection::ExecuteEach(const std::vector<std::string>& statements,
                                   const std::vector<std::vector<Value>>& rows, size_t& next) {
  RequireOpen();
  std::vector<Statement> prepared;
  std::vector<size_t> marks;
  for (const std::string& sql : statements) {
    RequireNoNul(sql, "The statement text", Source());
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    if (code != SQLITE_OK) throw Failure(code);
    prepared.emplace_back(raw);
    if (!raw || !OnlyBlanks(tail, sql.data() + sql.size()))
      RaiseProvider(kErroComando, "Each statement text must hold one statement", Source());
    marks.push_back(static_cast<size_t>(sqlite3_bind_parameter_count(raw)));
  }
  // One statement at a time is what Run does for a single statement: SQLite
  // undoes a failed statement by itself.
  for (; next < rows.size(); ++next) {
    for (size_t i = 0; i < prepared.size(); ++i) {
      sqlite3_stmt* raw = prepared[i].get();
      const std::vector<Value> params = ShareOf(marks, rows[next], i);
      sqlite3_reset(raw);
      for (size_t p = 0; p < params.size(); ++p) {
        const int bound = Bind(raw, static_cast<int>(p + 1), params[p]);
        if (bound != SQLITE_OK) throw Failure(bound);
      }
      try {
        Deadline deadline(has_deadline_, timed_out_, deadline_, CommandTimeout());
        RunStatement(raw, nullptr, statements[i]);
      } catch (Erro& failure) {
        FollowEngineAfterFailure(failure);
        throw;
      }
    }
  }
}

}  // namespace bp::db
