// The station's day-opening object: day opening creates it and hands it the
// session; the station keeps no account of its own beyond holding that
// session for as long as the opening runs.
#pragma once

#include "bp/host/bo_abertura_dia.h"

namespace station {

class AberturaDia final : public bp::host::BOAberturaDia {
 public:
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { sessao_ = std::move(sessao); }
  const bp::host::BOSistemaRef& Sessao() const { return sessao_; }

 private:
  bp::host::BOSistemaRef sessao_;
};

}  // namespace station
