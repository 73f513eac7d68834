#include "bp/host/bo_sistema.h"

#include "bp/erro.h"
#include "bp/host/bo_cardex.h"
#include "bp/host/bo_estoque.h"

namespace bp::host {

std::unique_ptr<BORecalculoEstoque> BOSistema::CriarRecalculoEstoque() {
  RaiseRuntime(rt::kCantCreateObject, "BORecalculoEstoque");
}

std::unique_ptr<BORecalculoGeralEstoque> BOSistema::CriarRecalculoGeralEstoque() {
  RaiseRuntime(rt::kCantCreateObject, "BORecalculoGeralEstoque");
}

std::unique_ptr<BOCardex> BOSistema::CriarCardex() {
  RaiseRuntime(rt::kCantCreateObject, "BOCardex");
}

}  // namespace bp::host
