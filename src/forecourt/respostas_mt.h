// How the release dialogue reads the answers typed on a micro-terminal.
#pragma once

#include <cstdint>
#include <string_view>

#include "bp/datetime.h"
#include "bp/money.h"

namespace bp::forecourt {

// The number at the start of the answer (0 when there is none), rounded half
// to even to a whole number; 6 "Overflow" beyond the target's range.
int32_t ValorNumericoLong(std::string_view resposta);
uint8_t ValorNumericoByte(std::string_view resposta);

// The whole answer read as a decimal number of cents (the keys 1234 are
// 12.34); 13 "Type mismatch" when the answer is not wholly a number.
Money ValorEmCentavos(std::string_view resposta);

// The date typed as ddmmyyyy (day in characters 1-2, month in 3-4, year in
// 5-8; a year of one or two digits is read in the window 1930-2029);
// 13 "Type mismatch" when the parts are not numbers or the date does not
// exist.
DateTime DataDigitada(std::string_view resposta);

// Whether a cash register of date `caixa` is too old to be used at `agora`:
// from a day before, it may be used until 07:00:00 of the next day.
bool CaixaAntigo(DateTime caixa, DateTime agora);

}  // namespace bp::forecourt
