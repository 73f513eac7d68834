// The tables and columns a version-500 station database holds, as written
// down by hand in catalogue.txt apart from the version steps, so that a test
// can hold the schema the steps build against an independent account of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/schema/dialect.h"
#include "bp/schema/model.h"
#include "bp/schema/operations.h"
#include "bp/value.h"

namespace bp::testing {

// How a table came to be what it is at version 500.
enum class TableOrigin {
  kCreatedByStep,  // a step creates it (or drops and re-creates it): described whole
  kRebuiltByStep,  // a version-18 table a step rebuilds with its full column list: whole
  kBase,           // a version-18 table: only what the steps add, remove or name
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
  // Base tables: further columns the steps rely on, of the base schema's types.
  std::vector<std::string> named_columns{};
  std::vector<std::string> removed_columns{};  // absent at version 500
  std::optional<schema::PrimaryKey> key{};
  std::vector<schema::Index> indexes{};
  // Empty ref_columns: the referenced table's key, columns unsaid.
  std::vector<schema::ForeignKey> references{};

  // The columns, key, indexes and references listed are all the table has.
  bool Whole() const { return origin != TableOrigin::kBase; }
};

// The entry of `items` named `name` (in any case), or null.
template <class T>
const T* Named(const std::vector<T>& items, std::string_view name) {
  for (const T& item : items)
    if (SameName(item.name, name)) return &item;
  return nullptr;
}

// Every table of catalogue.txt, in its order. Raises std::runtime_error
// naming the line when the file cannot be read.
const std::vector<CatalogueTable>& Catalogue();
// Tables that a step drops for good: absent at version 500.
const std::vector<std::string>& DroppedTables();

// How the tables of `model` differ from the catalogue, one paragraph per
// differing table; "" when they agree. `introspected`: the model was read
// back from a database of `database`'s kind, so both sides are compared on
// what that database keeps. Otherwise it is the walk's model, whose rebuilt
// tables carry over the version-18 tables as read back from the database.
std::string CatalogueDifferences(const schema::Model& model, const schema::Dialect& database,
                                 bool introspected);

}  // namespace bp::testing
