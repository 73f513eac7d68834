#include "station/session/objeto_de_sessao.h"

#include "bp/erro.h"
#include "bp/erros.h"

namespace station {

void RegistroNaoEncontrado(const char* origem) {
  constexpr int32_t kNumero = static_cast<int32_t>(0x80040202);
  throw bp::Erro(kNumero, bp::RetornaDescricaoErro(kNumero), origem);
}

}  // namespace station
