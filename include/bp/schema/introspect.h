// Introspection: the schema of a real database read back as a model, in the
// catalogue's types, so that it can be compared with the model that the
// operations built.
#pragma once

#include <string>
#include <string_view>

#include "bp/db/connection.h"
#include "bp/schema/model.h"

namespace bp::schema {

// Every table of the database (SQLite: the main schema; PostgreSQL: the
// current schema) with its columns, primary key, indexes and references.
// Raises 0x80040E14 for a SQL Server connection, which has none here.
Model Introspect(db::Connection& connection);
Model IntrospectSQLite(db::Connection& connection);
Model IntrospectPostgreSQL(db::Connection& connection);

// The first difference between the database that `expected` describes and
// what introspection found in a database of `kind`, judged on what that
// database can keep (Dialect::Kept); "" when they agree.
std::string DifferenceFromDatabase(const Model& expected, const Model& introspected,
                                   db::DialectKind kind);

// A type as a database declares it ("VARCHAR(40)", "character varying(40)",
// "timestamp without time zone", "numeric(19,4)" ...) in catalogue terms.
ColumnType ReadTypeName(std::string_view declared);
// A default expression as a database shows it ("0", "(-1)", "((0))",
// "'abc'::character varying") as a value of the column's type.
Value ReadDefault(const ColumnType& type, std::string_view expression);

}  // namespace bp::schema
