// Shared pieces of how values cross into and out of the databases: the one
// date text every provider reads and writes, the Value kind a declared column
// type stands for, and whole numbers that may not fit the 32-bit Long.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bp/datetime.h"
#include "bp/value.h"

namespace bp::db {

// "yyyy-mm-dd hh:mm:ss": invariant, never regional; sorts as the date sorts.
std::string DateText(DateTime date);

// Reads "yyyy-mm-dd", optionally followed by " hh:mm", ":ss" and fractions
// (dropped, dates keep whole seconds) and a zone offset (ignored: the text is
// already in the session's zone). 'T' may separate date and time. Nothing
// when the text is not such a date or the date does not exist.
std::optional<DateTime> ParseDateText(std::string_view text);

// ASCII case-insensitive comparison, for field and type names.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The kind of Value a column's declared type stands for.
enum class ColumnKind { kAny, kInt32, kInt16, kByte, kBool, kMoney, kDouble, kDate, kText };

// The kind for a declared type as written in a CREATE TABLE ("int",
// "numeric(19, 4)", "NVARCHAR(50)" ...). Types it does not know give kAny:
// the value keeps the kind the database stored it with.
ColumnKind KindOfDeclaredType(std::string_view declared);

// A whole number as a Long when it fits, else as a Double (the Value has no
// 64-bit integer; counts and sums of large tables still read back).
Value WholeNumber(int64_t number);

}  // namespace bp::db
