// The host's stock-card object: loads and stores one row of the stock card
// (Cardex) by its code, for corrections that adjust a row's values.
#pragma once

#include <cstdint>

#include "bp/datetime.h"
#include "bp/money.h"

namespace bp::host {

struct LancamentoCardex {
  int32_t cd_pessoa_usuaria = 0;
  int32_t cd_lancamento_cardex = 0;
  int32_t cd_produto = 0;
  DateTime dt_emissao;
  int32_t no_tipo = 0;          // No_TipoCardexEnum
  double qt_unidade = 0;        // quantity moved
  double vl_unitario = 0;       // unit value of the movement
  double qt_estoque = 0;        // stock after the movement
  Money vl_custo_medio;         // average cost after the movement
  Money vl_cred_icms_medio;     // average recoverable ICMS after the movement
};

class BOCardex {
 public:
  virtual ~BOCardex() = default;
  // Loads the row; raises 0x80040202 "Registro nao encontrado" when absent.
  virtual LancamentoCardex Carregar(int32_t cd_pessoa_usuaria, int32_t cd_lancamento_cardex) = 0;
  // Stores the row's values under its code.
  virtual void Gravar(const LancamentoCardex& lancamento) = 0;
};

// One package transfer to check: the product entered and the codes of its
// entry and withdrawal stock-card rows.
struct TransferenciaEmbalagem {
  int32_t cd_produto = 0;
  int32_t cd_lancamento_cardex_entrada = 0;
  int32_t cd_lancamento_cardex_baixa = 0;
};

}  // namespace bp::host
