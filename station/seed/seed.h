// The demo station: a small, realistic station database for trying the
// forecourt terminals and the fiscal day by hand or from scripts.
//
// SeedDemoStation brings a database with no registers to the library's
// version and fills it: a month of history from the data generator
// (registers, coupons, fuelings, cash registers, billing) written at version
// 18, the upgrade, and then the parts below, each in its own file, run in order in one
// transaction on the upgraded database. A further part is one more function
// of this shape, called at the end of SeedDemoStation.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "station/session/sessao.h"

namespace station {

// The fixed codes of the demo station, for the parts and for tests.
struct EstacaoDemo {
  static constexpr int32_t kEmpresa = 1;
  // Employee 1 (password "1234") may give discounts; employee 2 ("4321")
  // may not. Employee codes are person codes: employee 1 is person 1, the
  // company's own person row (the owner working the forecourt).
  static constexpr int32_t kFuncionarioComDesconto = 1;
  static constexpr int32_t kFuncionarioSemDesconto = 2;
  static constexpr const char* kSenhaComDesconto = "1234";
  static constexpr const char* kSenhaSemDesconto = "4321";
  static constexpr int32_t kBicos = 8;
  static constexpr int32_t kBicoBloqueado = 8;
  // Customer 100 buys on credit with vehicle ABC1234 and must give the
  // odometer; customer 101 (vehicle XYZ9876) is under a sale restriction.
  static constexpr int32_t kClienteCredito = 100;
  static constexpr int32_t kClienteRestrito = 101;
  static constexpr const char* kPlacaCredito = "ABC1234";
  static constexpr const char* kPlacaRestrita = "XYZ9876";
  static constexpr int32_t kHodometroCredito = 45210;  // the vehicle's last odometer
  // Cheque code lines: one from a clean account, one from an account with a
  // refused cheque on record.
  static constexpr const char* kCmc7Bom = "237045670180001235300001234569";
  static constexpr const char* kCmc7Recusado = "341123480180004565100005678902";
  static constexpr int32_t kDiasDeHistorico = 30;
  // Customer 100's credit coupons pending billing come from at most these
  // last days of the history, all in one month; the history's first three credit customers have a
  // discount, a surcharge and the invoice at billing.
  static constexpr int32_t kDiasDeFaturamento = 8;
};

// Told as the seed advances: what it is doing, and how far it is with it.
using AndamentoSeed = std::function<void(const std::string& etapa, int32_t feito, int32_t total)>;

// Fills the database of `sessao`, any database without employees, customers,
// products or persons other than the company's: creates it at version 18
// when it has no tables, or builds it again at 18 when it is further on,
// writes the history, upgrades it and runs the parts. Raises 0x80040E14,
// changing nothing, when the database has such registers. `agora` is the
// seed's date and time: the history ends the day before.
void SeedDemoStation(const std::shared_ptr<Sessao>& sessao, bp::DateTime agora,
                     const AndamentoSeed& andamento = {});

// The parts, on a database at the library's version.
// Employees and their users with hashed passwords, cash registers, nozzle
// block, credit and restricted customers with their vehicles, cheques.
void SeedPista(bp::db::Connection& c, bp::DateTime agora);
// Customer 100's pending credit coupons over three vehicles, the billing
// settings of three history customers and of the company.
void SeedFaturamento(bp::db::Connection& c, bp::DateTime agora);

}  // namespace station
