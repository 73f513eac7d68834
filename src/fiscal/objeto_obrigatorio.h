// The objects a fiscal operation cannot work without: a missing one fails at
// its first use with 91 "Object variable or With block variable not set",
// naming it.
#pragma once

#include "bp/erro.h"
#include "bp/host/bo_sistema.h"

namespace bp::fiscal {

template <class T>
T& Obrigatorio(T* objeto, const char* nome) {
  if (objeto == nullptr) RaiseRuntime(rt::kObjectNotSet, nome);
  return *objeto;
}

inline host::BOSistema& Sessao(const host::BOSistemaRef& sessao) {
  return Obrigatorio(sessao.get(), "ObBOSistema");
}

}  // namespace bp::fiscal
