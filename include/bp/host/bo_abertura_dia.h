// The host's day-opening object: created by day opening with the session and
// held while the day opens, so the host can keep its own account of it.
#pragma once

#include "bp/host/bo_sistema.h"

namespace bp::host {

class BOAberturaDia {
 public:
  virtual ~BOAberturaDia() = default;
  // Takes the session the object works in.
  virtual void SetObBOSistema(BOSistemaRef ob_bo_sistema) = 0;
};

}  // namespace bp::host
