// The station's stock-card object over the Cardex table.
#pragma once

#include "bp/host/bo_cardex.h"
#include "bp/host/bo_sistema.h"

namespace station {

class Cardex final : public bp::host::BOCardex {
 public:
  explicit Cardex(bp::host::BOSistema& session) : session_(session) {}
  bp::host::LancamentoCardex Carregar(int32_t cd_pessoa_usuaria,
                                      int32_t cd_lancamento_cardex) override;
  void Gravar(const bp::host::LancamentoCardex& lancamento) override;

 private:
  bp::host::BOSistema& session_;
};

}  // namespace station
