#include "bp/bp_emitir_nf_servicos_de_cupom.h"

#include <memory>

#include "bp/registry.h"

namespace bp {

const ClassInfo& BPEmitirNfServicosDeCupom::Info() const {
  return typelib::BPEmitirNfServicosDeCupom();
}

namespace classes {
void RegisterBPEmitirNfServicosDeCupom() {
  RegisterClass(typelib::BPEmitirNfServicosDeCupom(),
                [] { return std::make_unique<BPEmitirNfServicosDeCupom>(); });
}
}  // namespace classes

}  // namespace bp
