// The tables and columns a version-500 station database holds, written down
// by hand from the table descriptions and kept apart from the version steps,
// so that a test can hold the schema the steps build against an independent
// account of it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bp/schema/operations.h"
#include "bp/value.h"

namespace bp::testing {

// How a table came to be what it is at version 500.
enum class TableOrigin {
  // A step creates it (or drops and re-creates it): described whole.
  kCreatedByStep,
  // A version-18 table that a step rebuilds with its full column list:
  // described whole as well.
  kRebuiltByStep,
  // A version-18 table: only what the steps add, remove or name.
  kBase,
};

struct CatalogueColumn {
  std::string name;
  schema::ColumnType type;
  schema::Nullability nullability = schema::Nullability::kNotStated;
  Value default_value{};      // Empty: no default
  int32_t added_by_step = 0;  // 0: there from the table's creation (or in the base)
};

struct CatalogueTable {
  std::string name;
  TableOrigin origin = TableOrigin::kBase;
  int32_t step = 0;  // the step that creates or rebuilds the table; 0 for base tables
  // Whole tables: every column, in order. Base tables: the columns that steps
  // add, each with its step.
  std::vector<CatalogueColumn> columns{};
  // Base tables: further columns the steps rely on (their types are the base
  // schema's, so only their presence is known).
  std::vector<std::string> named_columns{};
  // Columns that steps remove: absent at version 500.
  std::vector<std::string> removed_columns{};
  std::optional<schema::PrimaryKey> key{};
  std::vector<schema::Index> indexes{};
  // A reference with empty ref_columns points at the referenced table's key
  // without the description saying which columns those are.
  std::vector<schema::ForeignKey> references{};

  // Described whole: the columns, key, indexes and references listed are
  // all the table has.
  bool Whole() const { return origin != TableOrigin::kBase; }
};

// Every table described, by area.
std::vector<CatalogueTable> CompanyTables();    // company, users, fiscal printers
std::vector<CatalogueTable> FiscalTables();     // coupons, invoices, fuel book
std::vector<CatalogueTable> ForecourtTables();  // pumps, fuelings, products, stock
std::vector<CatalogueTable> CustomerTables();   // customers, cards, receivables, cash
std::vector<CatalogueTable> FinancialTables();  // ledgers, payables, accounts, reports

// All of the above, in that order.
inline const std::vector<CatalogueTable>& Catalogue() {
  static const std::vector<CatalogueTable> all = [] {
    std::vector<CatalogueTable> out;
    for (auto* area :
         {&CompanyTables, &FiscalTables, &ForecourtTables, &CustomerTables, &FinancialTables}) {
      for (auto& table : area()) out.push_back(std::move(table));
    }
    return out;
  }();
  return all;
}

// Tables that a step drops for good: absent at version 500.
inline const std::vector<std::string>& DroppedTables() {
  static const std::vector<std::string> dropped = {"LanCCFuncionario"};
  return dropped;
}

// Shorthands for writing the tables down.
namespace catalogue_data {

inline constexpr schema::Nullability kYes = schema::Nullability::kNull;
inline constexpr schema::Nullability kNo = schema::Nullability::kNotNull;
inline constexpr schema::Nullability kUnstated = schema::Nullability::kNotStated;

// A column; `step` 0 when the table was created with it.
inline CatalogueColumn C(std::string name, schema::ColumnType type, schema::Nullability null,
                         int32_t step = 0, Value default_value = {}) {
  return CatalogueColumn{std::move(name), std::move(type), null, std::move(default_value), step};
}

inline schema::ColumnType Collate(schema::ColumnType type, std::string collation) {
  type.collation = std::move(collation);
  return type;
}

// Numbered groups of columns such as Tp_T01, Al_T01 ... Tp_T16, Al_T16: for
// each number from `first` to `last` (two digits), one column per prefix of
// `group`, in the group's order.
inline std::vector<CatalogueColumn> Slots(
    int first, int last, const std::vector<std::pair<std::string, schema::ColumnType>>& group,
    schema::Nullability null, int32_t step) {
  std::vector<CatalogueColumn> out;
  for (int n = first; n <= last; ++n) {
    const std::string number = (n < 10 ? "0" : "") + std::to_string(n);
    for (const auto& [prefix, type] : group) out.push_back(C(prefix + number, type, null, step));
  }
  return out;
}

inline std::vector<CatalogueColumn> Join(
    std::initializer_list<std::vector<CatalogueColumn>> parts) {
  std::vector<CatalogueColumn> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

}  // namespace catalogue_data
}  // namespace bp::testing
