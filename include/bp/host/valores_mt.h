// Values of the host's value-object library that the forecourt exchanges
// with it: the micro-terminal action codes, the due-date kinds of a fuelling
// and the kinds of hardware a nozzle is released from.
#pragma once

#include <cstdint>

namespace bp::host {

// What a micro-terminal is doing (No_Action). A host may pass any 32-bit
// value; those not named here mean an option that is not configured.
enum class AcaoEnum : int32_t {
  AcaoInoperante = -1,    // terminal out of service
  AcaoMenuPrincipal = 0,  // main menu, terminal idle
  AcaoLiberarBico = 1,    // nozzle-release dialogue
};

// When a sale falls due (No_TipoVencimento).
enum class TipoVencimentoEnum : int32_t {
  TipoVencimentoIndefinido = 0,
  TipoVencimentoAVista = 1,  // today: cash, or a cheque deposited today
  TipoVencimentoAPrazo = 2,  // later: credit, card, or a cheque with a deposit date
};

// Where a nozzle release was asked from (No_TipoHardware).
enum class TipoHardwareEnum : int32_t {
  TipoHardwareIndefinido = 0,
  TipoHardwareMicroTerminal = 2,  // a forecourt micro-terminal
};

}  // namespace bp::host
