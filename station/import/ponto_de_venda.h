// A point of sale's day, written onto a copy of the demo station: what
// `posto station pdv` makes for trying the cash-movement import, and what the
// tests and the benchmark import from.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "bp/datetime.h"
#include "station/session/sessao.h"

namespace station {

struct OpcoesPontoDeVenda {
  int32_t caixa = 0;        // the register, open in the database
  bp::DateTime agora;       // the day's movement runs from the register's opening to here
  int32_t cupons = 40;      // concluded coupons of the day
  int32_t itens_cupom = 3;  // items of each coupon (the first a fuelling)
};

// The first code of the rows a point of sale numbers itself (fuellings, stock
// movements, receipts, new persons): 9 000 000 + register x 100 000, apart
// from what the station numbers (so a day holds fewer than 100 000 of each).
int32_t PrimeiroCodigoDoPontoDeVenda(int32_t caixa);

// Writes register `caixa`'s day in one transaction: fuellings, three persons
// new to the station with their customers and vehicles, credit sales to
// them and to customers it knows, the stock movements of the items (the products' stock
// rebuilt after them), concluded coupons and their items (every fifth
// without a movement date, every third with an invoice sequence of the point
// of sale), receipts and their links to coupons. Returns the rows written
// per table. Raises 0x80040202 when the register does not exist in the
// database and 0x80040E14 when its day is already there.
std::map<std::string, int32_t> EscreverDiaDoPontoDeVenda(Sessao& sessao,
                                                         const OpcoesPontoDeVenda& opcoes);

}  // namespace station
