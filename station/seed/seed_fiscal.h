// The fiscal part of the demo station: its fiscal printer (ECF 1) with an
// encrypted serial and programmed tax rates, the Z reductions of the month of
// history, the emulated printer in the state that history left it in, and
// today's movement: a cash withdrawal and eight coupons, two of them left
// unfinished.
#pragma once

#include <cstdint>

#include "bp/datetime.h"
#include "station/session/sessao.h"

namespace station {

// What the fiscal part writes, for tests and for the seed's report.
struct FiscalDemo {
  static constexpr uint8_t kEcf = 1;
  // The printer's serial number (20 characters: the movement file's name
  // keeps its last 14).
  static constexpr const char* kSerie = "BE091210100011245678";
  static constexpr const char* kTipo = "ECF-IF";
  static constexpr const char* kVersaoSB = "01.00.01";
  static constexpr int kCuponsDeHoje = 8;
  // Coupon 6 of today is unfinished with its sale on the printer, so the
  // printer's grand total moved past it: day opening keeps it. Coupon 8, the
  // day's last, was cancelled at the printer before it was totalled: day
  // opening deletes it.
  static constexpr int kCupomNaoConcluidoMantido = 6;
  static constexpr int kCupomNaoConcluidoCancelado = 8;
  // Before the coupons, a cash withdrawal of this many reais (a non-fiscal
  // receipt, logged as document "CN").
  static constexpr int kSangria = 200;
};

// Runs on the upgraded database of `sessao` after the history (one printer,
// its MapaResumoECF rows) was written; installs the emulated printer in
// PastaDoEmulador of the session's configuration.
void SeedFiscal(Sessao& sessao, bp::DateTime agora);

}  // namespace station
