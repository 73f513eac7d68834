// Rows that tests of the station need over a version-18 database: a product
// with its group and ledger account, and stock-card movements.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/connection.h"

namespace bp::testing {

// Inserts product `code` of company `company` (creating its group 1 and
// ledger account 1 when missing).
void InsertProduct(db::Connection& db, int32_t company, int32_t code, const std::string& name);

// Inserts one stock-card movement: `type` 10-14 entries, 20-24 exits, with
// the running stock and average cost the card carries after it.
void InsertCardex(db::Connection& db, int32_t company, int32_t id, int32_t product,
                  DateTime when, int32_t type, double quantity, double unit_value,
                  double stock_after, double average_cost_after);

}  // namespace bp::testing
