// A recordset printed for the user: an aligned table with a header line, or
// CSV (cli/csv.h) with --csv. Money shows two decimals, dates as dd/mm/yyyy.
#pragma once

#include <ostream>

#include "bp/db/recordset.h"

namespace posto {

void MostrarRecordset(const bp::db::Recordset& rs, bool csv, std::ostream& out);

}  // namespace posto
