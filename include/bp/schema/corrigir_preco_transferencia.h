// The transfer-price correction: makes the entry row of each package
// transfer carry a unit cost consistent with its withdrawal row. Public
// through BPAtualizarBancoDeDados and run by version step 218.
#pragma once

#include "bp/host/bo_sistema.h"

namespace bp::schema {

// Failures outside the rows are raised in the direct style with the segment
// of BPAtualizarBancoDeDados.CorrigirPrecoDaTransferencia; a failure on one
// row is shown in a message box and that row is skipped.
void CorrigirPrecoDaTransferencia(host::BOSistema& session);

}  // namespace bp::schema
