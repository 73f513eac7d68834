#include "support/forecourt_terminais.h"

#include <set>

namespace bp::testing {

TerminaisDeTeste::TerminaisDeTeste() {
  terminais.ao_atualizar = [this](int16_t mt, const station::TerminaisMT::Terminal& t) {
    telas.push_back({mt, static_cast<int32_t>(t.acao), t.andamento, t.buffer, t.linha1, t.linha2});
  };
}

void TerminaisDeTeste::Iniciar(int16_t mt) {
  terminais.Consultar(mt);
  terminais.Consultar(mt);
}

void TerminaisDeTeste::Digitar(int16_t mt, const std::string& teclas) {
  for (char c : teclas) terminais.Tecla(mt, c);
}

void TerminaisDeTeste::ResponderEmOrdem(int16_t mt, const std::vector<std::string>& respostas) {
  for (const std::string& r : respostas) Responder(mt, r);
}

void TerminaisDeTeste::AtePagamento(int16_t mt) {
  Iniciar(mt);
  ResponderEmOrdem(mt, {"12", "1234"});
}

std::vector<std::string> TerminaisDeTeste::Prompts(size_t desde) const {
  // The steps that read an answer; a prompt shows them with nothing typed.
  static const std::set<int16_t> kEsperam = {2, 4, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25};
  std::vector<std::string> out;
  for (size_t i = desde; i < telas.size(); ++i) {
    const TelaMT& t = telas[i];
    if (!kEsperam.contains(t.andamento) || !t.buffer.empty() || !t.linha2.empty()) continue;
    if (out.empty() || out.back() != t.linha1) out.push_back(t.linha1);
  }
  return out;
}

}  // namespace bp::testing
