#include "station/fiscal/abertura_dia.h"

#include "station/session/sessao.h"

namespace station {

std::unique_ptr<bp::host::BOAberturaDia> Sessao::CriarAberturaDia() {
  return std::make_unique<AberturaDia>();
}

}  // namespace station
