// The screen protocol of the forecourt micro-terminals (terminals 1 to 10,
// a keypad and a two-line display): the six values that Execute receives and
// the event AtualizarCih carries, in this order:
//   No_MT         terminal number
//   No_Action     what the terminal is doing (host::AcaoEnum)
//   No_Andamento  step of the running dialogue (0 when none)
//   Tx_Buffer     keys typed since the prompt appeared, the newest last
//   Tx_Linha1     display line 1, the prompt or status
//   Tx_Linha2     display line 2, the echo of the answer or a result text
// A control key is recognised only as the last character of the buffer.
#pragma once

#include <cstdint>
#include <string>

#include "bp/evento.h"
#include "bp/host/valores_mt.h"

namespace bp {

inline constexpr char kTeclaBackspace = 8;
inline constexpr char kTeclaEnter = 13;
inline constexpr char kTeclaEsc = 27;

// A terminal's new screen and state, raised synchronously inside Execute;
// the last one raised by a call is the terminal's current screen.
using AtualizarCihEvento =
    Evento<int16_t /*No_MT*/, host::AcaoEnum /*No_Action*/, int16_t /*No_Andamento*/,
           const std::string& /*Tx_Buffer*/, const std::string& /*Tx_Linha1*/,
           const std::string& /*Tx_Linha2*/>;

}  // namespace bp
