#include "schema/steps/correction_rows.h"

#include <memory>
#include <utility>
#include <vector>

#include "bp/andamento.h"
#include "bp/db/execute_each.h"
#include "bp/format.h"
#include "bp/host/bo_estoque.h"
#include "bp/schema/model.h"

namespace bp::schema::correction {

namespace {

bool Absent(const Value& value) { return value.IsNull() || value.IsEmpty(); }

// The columns of `table`, or only those that `other` also has, as a list.
std::string ColumnList(const Table& table, const Table* other = nullptr) {
  std::string list;
  for (const auto& column : table.columns) {
    if (other != nullptr && FindColumn(*other, column.name) == nullptr) continue;
    if (!list.empty()) list += ", ";
    list += column.name;
  }
  return list;
}

}  // namespace

std::string Number(const Value& value) {
  if (Absent(value)) return "NULL";
  switch (value.Type()) {
    case ValueType::kBoolean:
    case ValueType::kByte:
    case ValueType::kInteger:
    case ValueType::kLong:
      return std::to_string(value.ToInt32());
    case ValueType::kCurrency:
      return value.ToMoney().ToSql();
    default:
      return SqlNumber(value.ToDouble());
  }
}

std::string Text(const Value& value) {
  if (Absent(value)) return "NULL";
  const std::string text = value.ToText(RegionalSettings::Invariant());
  std::string quoted = "'";
  for (char ch : text) {
    if (ch == '\'') quoted += '\'';
    quoted += ch;
  }
  return quoted + "'";
}

std::string Date(StepContext& c, DateTime value) { return "'" + c.Dal().FormatDate(value) + "'"; }

std::string Date(StepContext& c, const Value& value) {
  if (Absent(value)) return "NULL";
  return Date(c, value.ToDate());
}

std::string Decimal(double value, std::string_view pattern) {
  return Format(value, pattern, RegionalSettings::Invariant());
}

std::string Decimal(const Value& value, std::string_view pattern) {
  if (Absent(value)) return "NULL";
  return Format(value, pattern, RegionalSettings::Invariant());
}

DataStatement Statement(std::string sql) { return DataStatement{std::move(sql), {}, {}, {}}; }

DataStatement Statement(std::string sql, std::string sqlserver) {
  return DataStatement{std::move(sql), {}, {}, std::move(sqlserver)};
}

void ForEachRow(StepContext& c, db::Recordset& rows, const RowWalk& how,
                const std::function<void(const db::Recordset&)>& statement) {
  if (rows.Eof()) return;
  std::unique_ptr<Andamento> progress;
  if (!how.progress.empty()) progress = c.OpenProgress(how.progress);
  const int32_t count = rows.RecordCount();
  // After a failure the recordset still stands on the row whose statement
  // failed, so a retry resumes there.
  const auto walk = [&] {
    while (!rows.Eof()) {
      statement(rows);
      if (progress) progress->MostrarLinha(rows.AbsolutePosition(), count);
      rows.MoveNext();
    }
  };
  if (how.retry_closed_connection) {
    c.RetryAfterClosedConnection(walk);
  } else {
    walk();
  }
}

void ExecuteForEachRow(StepContext& c, db::Recordset& rows, const RowWalk& how,
                       const std::vector<std::string>& statements, const RowValues& values) {
  if (rows.Eof()) return;
  std::unique_ptr<Andamento> progress;
  if (!how.progress.empty()) progress = c.OpenProgress(how.progress);
  const int32_t count = rows.RecordCount();
  // The rows go in slices, so the window moves while a long walk runs.
  constexpr int32_t kSlice = 20000;
  std::vector<std::vector<Value>> slice;
  std::vector<int32_t> positions;  // the recordset row of each entry of `slice`
  size_t next = 0;
  const auto run = [&] { db::ExecuteEach(c.Connection(), statements, slice, next); };
  while (!rows.Eof()) {
    const int32_t first = rows.AbsolutePosition();
    slice.clear();
    positions.clear();
    for (; !rows.Eof() && rows.AbsolutePosition() - first < kSlice; rows.MoveNext()) {
      if (auto v = values(rows)) {
        slice.push_back(std::move(*v));
        positions.push_back(rows.AbsolutePosition());
      }
    }
    const int32_t last = rows.Eof() ? count : rows.AbsolutePosition() - 1;
    next = 0;
    try {
      if (how.retry_closed_connection) {
        c.RetryAfterClosedConnection(run);
      } else {
        run();
      }
    } catch (...) {
      // The recordset stands on the row whose statement failed.
      rows.MoveFirst();
      while (rows.AbsolutePosition() < positions[next]) rows.MoveNext();
      throw;
    }
    if (progress)
      for (int32_t row = first; row <= last; ++row) progress->MostrarLinha(row, count);
  }
}

void WithTemporaryIndex(StepContext& c, const std::string& table,
                        const std::vector<std::string>& columns,
                        const std::function<void()>& work) {
  std::string name = "Tmp_" + table;
  for (const auto& column : columns) name += "_" + column;
  c.Run(CreateIndex{table, {name, columns}});
  work();
  c.Run(DropIndex{table, name});
}

void RecomputeStock(StepContext& c, db::Recordset& rows, std::string_view product_field,
                    DateTime from, const RowWalk& how,
                    const std::function<void(const db::Recordset&)>& on_failure) {
  if (rows.Eof()) return;
  const std::unique_ptr<host::BORecalculoEstoque> recalculo = c.Session().CriarRecalculoEstoque();
  const int32_t company = c.Session().Cd_PessoaUsuaria();
  ForEachRow(c, rows, how, [&](const db::Recordset& r) {
    const bool ok = recalculo->Recalcular(company, r[product_field].ToInt32(), from);
    if (!ok && on_failure) on_failure(r);
  });
}

void RebuildTable(StepContext& c, std::string_view table,
                  const std::function<void(Table&)>& reshape) {
  const Model& model = c.CurrentModel();
  const Table before = model.Get(table);
  Table after = before;
  reshape(after);

  // References of other tables to this one: a table that others reference
  // cannot be dropped.
  std::vector<std::pair<std::string, ForeignKey>> incoming;
  for (const Table* other : model.Tables()) {
    if (SameName(other->name, before.name)) continue;
    for (const auto& fk : other->foreign_keys)
      if (SameName(fk.ref_table, before.name)) incoming.emplace_back(other->name, fk);
  }
  for (const auto& [owner, fk] : incoming) c.Run(DropForeignKey{owner, fk.name});

  const Table copy{"Tmp_" + before.name, after.columns};
  const std::string kept = ColumnList(after, &before);
  const std::string columns = ColumnList(after);
  c.Run(CreateTable{copy});
  c.Run(Statement("INSERT INTO " + copy.name + " (" + kept + ")\r\nSELECT " + kept + "\r\nFROM   " +
                  before.name));
  c.Run(DropTable{before.name});
  // A server checks a reference row by row while rows go in, and keeps
  // every index up to date; the same references and indexes made after the
  // rows are checked and built in one pass each. SQLite keeps them in the
  // table's definition (adding one later rebuilds the table).
  const bool after_rows = c.Connection().Kind() == db::DialectKind::kPostgreSQL;
  Table bare = after;
  if (after_rows) {
    bare.indexes.clear();
    bare.foreign_keys.clear();
  }
  c.Run(CreateTable{bare});
  c.Run(Statement("INSERT INTO " + after.name + " (" + columns + ")\r\nSELECT " + columns +
                  "\r\nFROM   " + copy.name));
  c.Run(DropTable{copy.name});
  if (after_rows) {
    for (const Index& index : after.indexes) c.Run(CreateIndex{after.name, index});
    for (const ForeignKey& fk : after.foreign_keys) c.Run(AddForeignKey{after.name, fk});
  }

  for (const auto& [owner, fk] : incoming) c.Run(AddForeignKey{owner, fk});
}

}  // namespace bp::schema::correction
