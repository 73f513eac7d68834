// Schema model: the tables of a database as data. Replaying the operations of
// the version steps on a model gives the schema each step leaves behind, and
// a model read back from a real database (introspect.h) can be compared with
// it.
#pragma once

#include "bp/names.h"
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bp/schema/operations.h"

namespace bp::schema {

// Names compare as the databases compare them: ignoring case.
using bp::SameName;
// The same names in the same order, ignoring case.
bool SameNames(const std::vector<std::string>& a, const std::vector<std::string>& b);
const Column* FindColumn(const Table& table, std::string_view name);

// The type as the catalogue writes it: "int", "varchar(40)", "numeric(10,4)",
// followed by " COLLATE name" when it has a collation.
std::string CatalogueName(const ColumnType& type);

// A default converted to the kind of value its column holds: int32 for int,
// int16 for smallint, a byte for tinyint, bool for bit (any non-zero number is
// true, as the server stores 1), Money for money and numeric, double for
// float and real, DateTime for datetime, text for the character types. Null
// and Empty mean "no default" and become Empty.
Value NormalizeDefault(const ColumnType& type, const Value& value);

class Model {
 public:
  // Replays `op` as the database would. Raises Erro(0x80040E14, text in the
  // server's words) when an object it creates already exists, when one it
  // needs is missing, or when the server would refuse the change (dropping a
  // column that an index uses, a key that a reference uses ...). On failure
  // the model is unchanged. SeedRows and DataStatement change nothing;
  // SeedRows is checked against the table's columns.
  //
  // Besides the server's rules the model keeps every table, key, reference,
  // index and default name distinct in the whole database (case ignored):
  // PostgreSQL and SQLite give index names one namespace per database.
  void Apply(const Operation& op);

  const Table* Find(std::string_view table) const;
  // Raises 0x80040E14 "Invalid object name" when the table is missing.
  const Table& Get(std::string_view table) const;
  // Every table, ordered by name ignoring case.
  std::vector<const Table*> Tables() const;
  size_t size() const { return tables_.size(); }

  // Adds or replaces a table as given, without any check: for building a
  // model from what a database reports.
  void Put(Table table);

 private:
  std::map<std::string, Table> tables_;  // by lower-case name
};

// The first difference between two models as one readable sentence, or ""
// when they are equal. Names compare ignoring case; indexes and references in
// any order; a column of unstated nullability counts as nullable (the
// server's default for new columns).
std::string FirstDifference(const Model& expected, const Model& actual);
inline bool operator==(const Model& a, const Model& b) { return FirstDifference(a, b).empty(); }

}  // namespace bp::schema
