#include "bp/host/bo_sistema.h"

#include "bp/erro.h"
#include "bp/host/bo_abertura_dia.h"
#include "bp/host/bo_cardex.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_estoque.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/bo_registro_movimento_ecf.h"

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

std::unique_ptr<BOECF> BOSistema::CriarECF() { RaiseRuntime(rt::kCantCreateObject, "BOECF"); }

std::unique_ptr<BOReducaoZ> BOSistema::CriarReducaoZ() {
  RaiseRuntime(rt::kCantCreateObject, "BOReducaoZ");
}

std::unique_ptr<BORegistroMovimentoECF> BOSistema::CriarRegistroMovimentoECF() {
  RaiseRuntime(rt::kCantCreateObject, "BORegistroMovimentoECF");
}

std::unique_ptr<BOAberturaDia> BOSistema::CriarAberturaDia() {
  RaiseRuntime(rt::kCantCreateObject, "BOAberturaDia");
}

}  // namespace bp::host
