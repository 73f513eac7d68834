#include "cli/ambiente.h"

#include <iostream>

namespace posto {

const Option kOpcaoNow =
    Moment("--now", "data e hora do relógio do comando (padrão: o relógio do sistema)");
const Option kOpcaoSim = Flag("--sim", "responde Sim às perguntas do programa, sem esperar");

AmbienteDoComando::AmbienteDoComando(const Options& options) : sim_(options.Has("--sim")) {
  agora = options.Moment("--now");
}

bp::Answer AmbienteDoComando::MessageBox(const bp::MessageBoxRequest& request) {
  if (!sim_) return RelogioAjustavel::MessageBox(request);
  const bool pergunta = request.buttons == bp::Buttons::YesNo;
  std::cerr << "[" << request.caption << "] " << request.text << " -> " << (pergunta ? "Sim" : "OK")
            << " (--sim)\n";
  return pergunta ? bp::Answer::Yes : bp::Answer::Ok;
}

}  // namespace posto
