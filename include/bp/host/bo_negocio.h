// The bases of the host's business objects that the forecourt classes create
// through the session's Criar... factories: each is handed the session right
// after creation (and again whenever its owner is given a new one).
#pragma once

#include <utility>

#include "bp/host/bo_sistema.h"

namespace bp::host {

class BONegocio {
 public:
  virtual ~BONegocio() = default;

  // Stores the session the object works with; hosts may override to pass it
  // on to objects of their own.
  virtual void SetObBOSistema(BOSistemaRef ob_bo_sistema) {
    ob_bo_sistema_ = std::move(ob_bo_sistema);
  }
  const BOSistemaRef& ObBOSistema() const { return ob_bo_sistema_; }

 protected:
  BONegocio() = default;

 private:
  BOSistemaRef ob_bo_sistema_;
};

// A business object that works on one record of type R, reached through
// Registro(), with a clear operation that empties it.
template <class R>
class BOComRegistro : public BONegocio {
 public:
  R& Registro() { return registro_; }
  const R& Registro() const { return registro_; }

  // Empties the record.
  virtual void Limpar() { registro_ = R{}; }

 private:
  R registro_;
};

}  // namespace bp::host
