// What the import tests check on a station after a cash register came in,
// shared by the SQLite and PostgreSQL tests.
#pragma once

#include <cstdint>
#include <string>

#include "bp/db/connection.h"

namespace bp::testing {

// Employee 1's open register of the demo station.
int32_t CaixaDoDia(db::Connection& c);

// Every row of the nine tables of the movement and the products' stock, as
// text, to tell whether anything changed.
std::string Movimento(db::Connection& c);

// Rows of register `caixa` in each table: "Abastecimento=12 CupomFiscal=12 ...".
std::string Contagem(db::Connection& c, int32_t caixa);

// The first broken promise of an imported register ("" when none): a coupon
// without items, a receipt link without its receipt or coupon, a coupon
// without a movement date or with an invoice sequence, a product whose stock
// differs from its stock card's last balance.
std::string Incoerencia(db::Connection& c, int32_t caixa);

}  // namespace bp::testing
