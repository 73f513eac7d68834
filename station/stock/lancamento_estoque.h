// One movement of the stock card brought into the balances as it is saved:
// the cheap way for the usual case of a movement that comes after every
// other of its product, the whole rebuild otherwise (docs/stock.md).
#pragma once

#include <cstdint>
#include <string>

#include "bp/host/bo_sistema.h"

namespace station {

// When movement `cd_lancamento_cardex` is the last of its product (by date,
// then code), its balance becomes the balance before it moved by it, and the
// product takes it; otherwise the product's card is rebuilt from the
// movement's date (RecalculoEstoque). Returns False with the reason in
// `motivo` when the movement or its product does not exist. Call it inside
// the transaction that saved the movement: it locks the product's row.
bool LancarNoEstoque(bp::host::BOSistema& sessao, int32_t cd_pessoa_usuaria,
                     int32_t cd_lancamento_cardex, std::string& motivo);

}  // namespace station
