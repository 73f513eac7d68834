// Short ways to write the shapes of tables, shared by the base schema and
// every version step: columns with their nullability, keys, indexes,
// references, whole tables, and statement text written line by line.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bp/schema/operations.h"

namespace bp::schema {

class StepContext;

Column NotNull(std::string name, ColumnType type);
Column Nullable(std::string name, ColumnType type);
// A column whose nullability is not stated (the database default applies).
Column Unstated(std::string name, ColumnType type);
// The column with a default value.
Column WithDefault(Column column, Value value);

PrimaryKey Key(std::string name, std::vector<std::string> columns, bool clustered = false);
Index Idx(std::string name, std::vector<std::string> columns,
          std::vector<std::string> include = {});
// A reference to `ref_columns` of `ref_table`, or to its primary key.
ForeignKey Ref(std::string name, std::vector<std::string> columns, std::string ref_table,
               std::vector<std::string> ref_columns = {});

// A table with its key, indexes and references, created in one operation.
CreateTable NewTable(std::string name, std::vector<Column> columns,
                     std::optional<PrimaryKey> key = std::nullopt, std::vector<Index> indexes = {},
                     std::vector<ForeignKey> references = {});

// Statement text written line by line, each line ended by CR LF.
std::string Sql(std::initializer_list<std::string_view> lines);
// A data statement in the text all three databases accept.
DataStatement Data(std::string sql);

// Adds the columns to the table one after the other.
void AddColumns(StepContext& c, const std::string& table, const std::vector<Column>& columns);

}  // namespace bp::schema
