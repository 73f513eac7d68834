// Collects the operations of the base schema: each area of the database adds
// its tables, indexes and references, and the builder hands them back with
// every reference after all the tables, so a reference never points to a
// table that does not exist yet.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bp/schema/operations.h"

namespace bp::schema::base {

inline Column NotNull(std::string name, ColumnType type) {
  Column column;
  column.name = std::move(name);
  column.type = std::move(type);
  column.nullability = Nullability::kNotNull;
  return column;
}

inline Column Nullable(std::string name, ColumnType type) {
  Column column = NotNull(std::move(name), std::move(type));
  column.nullability = Nullability::kNull;
  return column;
}

inline PrimaryKey Key(std::string name, std::vector<std::string> columns, bool clustered = false) {
  return PrimaryKey{std::move(name), std::move(columns), clustered};
}

class Builder {
 public:
  void Table(std::string name, std::vector<Column> columns, PrimaryKey key) {
    schema::Table table;
    table.name = std::move(name);
    table.columns = std::move(columns);
    table.primary_key = std::move(key);
    tables_.push_back(CreateTable{std::move(table)});
  }

  // A table without a primary key (the one-row version record).
  void TableWithoutKey(std::string name, std::vector<Column> columns) {
    schema::Table table;
    table.name = std::move(name);
    table.columns = std::move(columns);
    tables_.push_back(CreateTable{std::move(table)});
  }

  void Index(std::string table, std::string name, std::vector<std::string> columns,
             bool unique = false) {
    schema::Index index;
    index.name = std::move(name);
    index.columns = std::move(columns);
    index.unique = unique;
    tables_.push_back(CreateIndex{std::move(table), std::move(index)});
  }

  // A reference to `ref_table`; without `ref_columns` the referenced
  // columns carry the same names as the referencing ones.
  void Reference(std::string table, std::string name, std::vector<std::string> columns,
                 std::string ref_table, std::vector<std::string> ref_columns = {}) {
    if (ref_columns.empty()) ref_columns = columns;
    ForeignKey key{std::move(name), std::move(columns), std::move(ref_table),
                   std::move(ref_columns)};
    references_.push_back(AddForeignKey{std::move(table), std::move(key)});
  }

  std::vector<Operation> Finish() && {
    std::vector<Operation> all = std::move(tables_);
    all.insert(all.end(), std::make_move_iterator(references_.begin()),
               std::make_move_iterator(references_.end()));
    return all;
  }

 private:
  std::vector<Operation> tables_;      // tables, each followed by its indexes
  std::vector<Operation> references_;  // added once every table exists
};

// The three areas of the base schema.
void AddCompanyTables(Builder& b);    // company, users, fiscal printer, coupons, invoices
void AddForecourtTables(Builder& b);  // pumps, fuelings, tanks, products, stock card
void AddCustomerTables(Builder& b);   // customers, receivables, cash, payables, ledger

}  // namespace bp::schema::base
