// FirstDifference: walks two models side by side and names the first thing
// that differs, in words a failing test can print.
#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>

#include "bp/schema/model.h"
#include "schema/invariant.h"

namespace bp::schema {
namespace {

std::string List(const std::vector<std::string>& names) {
  return "(" + fmt::format("{}", fmt::join(names, ", ")) + ")";
}

std::string Shown(const Value& value) {
  if (value.IsEmpty()) return "none";
  if (std::holds_alternative<std::string>(value.data())) return "'" + invariant::Text(value) + "'";
  return invariant::Text(value);
}

bool Nullable(const Column& column) { return column.nullability != Nullability::kNotNull; }

std::string CompareColumn(const std::string& table, const Column& e, const Column& a) {
  const std::string where = table + "." + e.name;
  // Types compare by their catalogue spelling, so collation names ignore case too.
  if (!SameName(CatalogueName(e.type), CatalogueName(a.type)))
    return fmt::format("{}: type {} expected, {} found", where, CatalogueName(e.type),
                       CatalogueName(a.type));
  if (Nullable(e) != Nullable(a))
    return fmt::format("{}: {} expected", where, Nullable(e) ? "NULL" : "NOT NULL");
  if (!(e.default_value == a.default_value))
    return fmt::format("{}: default {} expected, {} found", where, Shown(e.default_value),
                       Shown(a.default_value));
  if (!SameName(e.default_name, a.default_name))
    return fmt::format("{}: default named '{}' expected, '{}' found", where, e.default_name,
                       a.default_name);
  return {};
}

std::string CompareKey(const std::string& table, const std::optional<PrimaryKey>& e,
                       const std::optional<PrimaryKey>& a) {
  if (!e && !a) return {};
  if (!e) return fmt::format("{}: unexpected primary key {}", table, a->name);
  if (!a) return fmt::format("{}: primary key {} is missing", table, e->name);
  if (!SameName(e->name, a->name))
    return fmt::format("{}: primary key {} expected, {} found", table, e->name, a->name);
  if (!SameNames(e->columns, a->columns))
    return fmt::format("{}: primary key {} on {} expected, on {} found", table, e->name,
                       List(e->columns), List(a->columns));
  if (e->clustered != a->clustered)
    return fmt::format("{}: primary key {} should {}be clustered", table, e->name,
                       e->clustered ? "" : "not ");
  return {};
}

std::string CompareIndex(const std::string& table, const Index& e, const Index& a) {
  const std::string where = fmt::format("{}: index {}", table, e.name);
  if (!SameNames(e.columns, a.columns))
    return fmt::format("{} on {} expected, on {} found", where, List(e.columns), List(a.columns));
  if (!SameNames(e.include, a.include))
    return fmt::format("{} including {} expected, {} found", where, List(e.include),
                       List(a.include));
  if (e.unique != a.unique)
    return fmt::format("{} should {}be unique", where, e.unique ? "" : "not ");
  if (e.clustered != a.clustered)
    return fmt::format("{} should {}be clustered", where, e.clustered ? "" : "not ");
  return {};
}

std::string CompareReference(const std::string& table, const ForeignKey& e, const ForeignKey& a) {
  if (SameNames(e.columns, a.columns) && SameName(e.ref_table, a.ref_table) &&
      SameNames(e.ref_columns, a.ref_columns))
    return {};
  return fmt::format("{}: reference {} {} -> {} {} expected, {} -> {} {} found", table, e.name,
                     List(e.columns), e.ref_table, List(e.ref_columns), List(a.columns),
                     a.ref_table, List(a.ref_columns));
}

// Compares two lists of named things in any order: each expected one must be
// found by name and be equal; then nothing unexpected may remain.
template <class T, class Compare>
std::string CompareNamed(const std::string& table, const char* what, const std::vector<T>& e,
                         const std::vector<T>& a, Compare compare) {
  for (const auto& x : e) {
    const T* match = nullptr;
    for (const auto& y : a)
      if (SameName(x.name, y.name)) match = &y;
    if (!match) return fmt::format("{}: {} {} is missing", table, what, x.name);
    if (auto d = compare(table, x, *match); !d.empty()) return d;
  }
  for (const auto& y : a) {
    bool known = false;
    for (const auto& x : e) known = known || SameName(x.name, y.name);
    if (!known) return fmt::format("{}: unexpected {} {}", table, what, y.name);
  }
  return {};
}

std::string CompareTable(const Table& e, const Table& a) {
  const size_t common = std::min(e.columns.size(), a.columns.size());
  for (size_t i = 0; i < common; ++i) {
    if (!SameName(e.columns[i].name, a.columns[i].name))
      return fmt::format("{}: column {} is {} in the expected model, {} in the other", e.name,
                         i + 1, e.columns[i].name, a.columns[i].name);
    if (auto d = CompareColumn(e.name, e.columns[i], a.columns[i]); !d.empty()) return d;
  }
  if (e.columns.size() > common)
    return fmt::format("{}: column {} is missing", e.name, e.columns[common].name);
  if (a.columns.size() > common)
    return fmt::format("{}: unexpected column {}", e.name, a.columns[common].name);
  if (auto d = CompareKey(e.name, e.primary_key, a.primary_key); !d.empty()) return d;
  if (auto d = CompareNamed(e.name, "index", e.indexes, a.indexes, CompareIndex); !d.empty())
    return d;
  return CompareNamed(e.name, "reference", e.foreign_keys, a.foreign_keys, CompareReference);
}

}  // namespace

std::string FirstDifference(const Model& expected, const Model& actual) {
  for (const Table* e : expected.Tables()) {
    const Table* a = actual.Find(e->name);
    if (!a) return fmt::format("table {} is missing", e->name);
    if (auto d = CompareTable(*e, *a); !d.empty()) return d;
  }
  for (const Table* a : actual.Tables())
    if (!expected.Find(a->name)) return fmt::format("unexpected table {}", a->name);
  return {};
}

}  // namespace bp::schema
