// Conversions between values and the invariant text that SQL statements and
// database catalogues use: '.' as decimal point, no grouping, dates as
// "yyyy-mm-dd hh:mm:ss". Regional settings never apply here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "bp/value.h"

namespace bp::schema::invariant {

// A number: booleans count 1 and 0 (as a bit column stores them), text is
// read in invariant form. Raises 13 "Type mismatch" for anything else.
double Number(const Value& value);
Money ToMoney(const Value& value);
// Text in "yyyy-mm-dd[ hh:mm[:ss]]" or "yyyymmdd[ hh:mm[:ss]]" form, or a date.
DateTime ToDate(const Value& value);
// The value as invariant text: numbers plain, booleans 1 and 0, dates as
// DateText, Null and Empty as "".
std::string Text(const Value& value);
std::string DateText(DateTime date);
// Reads invariant date text; nothing when it is not one.
std::optional<DateTime> ReadDate(std::string_view text);

}  // namespace bp::schema::invariant
