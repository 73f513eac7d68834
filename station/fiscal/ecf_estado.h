// The emulated printer's state as text: one "key=value" line per item, dates
// as "yyyy-mm-dd hh:mm:ss" (empty for the empty date), money in plain
// decimals. Readable and editable by hand; unknown keys are ignored so older
// files still load.
#pragma once

#include <string>

#include "station/fiscal/ecf_emulador.h"

namespace station {

std::string EscreverEstadoEcf(const EstadoEcf& estado);
// Raises 13 "Type mismatch" naming the key when a value does not read back.
EstadoEcf LerEstadoEcf(const std::string& texto);

// "yyyy-mm-dd hh:mm:ss", or the empty text for the empty date; and back.
std::string DataDoEstado(bp::DateTime data);
bp::DateTime DataDoEstado(const std::string& texto, const std::string& chave);

}  // namespace station
