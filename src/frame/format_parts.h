// The pieces the formatter is made of, shared by the number and date halves.
#pragma once

#include <string>
#include <string_view>

#include "bp/datetime.h"
#include "bp/format.h"
#include "frame/decimal.h"

namespace bp::format {

// True when the pattern formats dates: it has date or time letters and no
// digit placeholder ('0' or '#'), quoted and escaped text aside.
bool IsDatePattern(std::string_view pattern);

// Formats a number under a non-empty number pattern.
std::string FormatNumber(const decimal::Decimal& value, std::string_view pattern,
                         const RegionalSettings& settings);
// Formats Null under the fourth section of a number pattern ("" without one).
std::string FormatNull(std::string_view pattern, const RegionalSettings& settings);

// Formats a date under a date pattern.
std::string FormatDate(DateTime value, std::string_view pattern, const RegionalSettings& settings);
// The platform's text of a date: "dd/mm/yyyy", "hh:mm:ss" or both.
std::string DateText(DateTime value, const RegionalSettings& settings);
// Reads "dd/mm/yyyy", "dd/mm/yyyy hh:mm[:ss]" or "hh:mm[:ss]" with the
// regional separators. Raises 13 "Type mismatch" when the text is not a
// date or names one that does not exist.
DateTime ReadDate(std::string_view text, const RegionalSettings& settings);
// The date of a serial number; raises 6 "Overflow" outside 01/01/100 ..
// 31/12/9999.
DateTime DateOfSerial(double serial);

}  // namespace bp::format
