#include "bp/schema/sqlite_rebuild.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

namespace bp::schema {
namespace {

constexpr const char* kAside = "temp.bp_rebuild";
constexpr const char* kCheck = "temp.bp_reference_check";

}  // namespace

std::vector<std::string> RebuildTable(const Dialect& dialect, const Table& before,
                                      const Table& after, const ForeignKey* verify,
                                      const RewrittenColumn& rewritten) {
  const std::string name = dialect.TableName(after.name);
  std::vector<std::string> kept, values;
  for (const auto& column : after.columns) {
    if (!FindColumn(before, column.name)) continue;
    kept.push_back(column.name);
    const bool rewrite = !rewritten.expression.empty() && SameName(column.name, rewritten.column);
    values.push_back(rewrite ? "(" + rewritten.expression + ")" : column.name);
  }
  const std::string columns = fmt::format("{}", fmt::join(kept, ", "));

  std::vector<std::string> out = {
      "PRAGMA defer_foreign_keys = ON",
      fmt::format("CREATE TABLE {} AS SELECT * FROM {}", kAside, name),
      "DROP TABLE " + name,
      dialect.CreateTableStatement(after),
  };
  // The indexes come back before the rows: a unique index may be the parent
  // key of another table's reference, which SQLite needs in place before
  // any row of the table is written.
  for (const auto& index : after.indexes)
    out.push_back(dialect.CreateIndexStatement(after.name, index));
  out.push_back(fmt::format("INSERT INTO {} ({}) SELECT {} FROM {}", name, columns,
                            fmt::join(values, ", "), kAside));
  out.push_back(fmt::format("DROP TABLE {}", kAside));
  if (verify) {
    // The CHECK fails (an integrity error naming the reference) when
    // foreign_key_check finds rows of the table without their parent.
    out.push_back(
        fmt::format("CREATE TABLE {} (violations INT CONSTRAINT {} CHECK (violations = 0))", kCheck,
                    verify->name));
    out.push_back(
        fmt::format("INSERT INTO {} SELECT count(*) FROM pragma_foreign_key_check('{}') "
                    "WHERE lower(parent) = lower('{}')",
                    kCheck, after.name, verify->ref_table));
    out.push_back(fmt::format("DROP TABLE {}", kCheck));
  }
  out.push_back("PRAGMA defer_foreign_keys = OFF");
  return out;
}

}  // namespace bp::schema
