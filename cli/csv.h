// Tables printed as CSV (--csv) for a spreadsheet: the first line names the
// columns; fields are separated by ";", as Brazilian spreadsheets expect
// (they read "," as the decimal comma); a field holding ";", a quote or a
// line break is quoted, its quotes doubled.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace posto {

extern const Option kOpcaoCsv;  // --csv

// One line of CSV, "\n" included.
std::string LinhaCsv(const std::vector<std::string>& campos);

}  // namespace posto
