// The station's side of the micro-terminal protocol: it keeps each
// terminal's action, step, buffer and lines as the controller's AtualizarCih
// events leave them, appends every key to the terminal's buffer and calls
// BPMTControlador::Execute with the kept values, one call at a time.
// A terminal starts idle (action 0, step 0, nothing typed).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bp/bp_mt_controlador.h"
#include "bp/host/bo_sistema.h"

namespace station {

class TerminaisMT {
 public:
  // A terminal's state as the host keeps it.
  struct Terminal {
    bp::host::AcaoEnum acao = bp::host::AcaoEnum::AcaoMenuPrincipal;
    int16_t andamento = 0;
    std::string buffer;
    std::string linha1;
    std::string linha2;
  };

  explicit TerminaisMT(bp::host::BOSistemaRef sessao);

  // Whether a key stays in the kept buffer until an event replaces it (the
  // line protocol of posto mt), or is only passed to the call, the kept
  // buffer coming from the events alone (the screen of posto mt). They
  // differ after a call that raises no event: Enter on an empty payment
  // answer leaves the Enter in a kept buffer, so that the next answer
  // begins with it and reads as no number.
  bool tecla_fica_no_buffer = true;

  // Called for every event, after the terminal's state took it in.
  std::function<void(int16_t No_MT, const Terminal& tela)> ao_atualizar;

  // A key pressed at a terminal (any number; the controller serves 1 to
  // 10): appended to the kept buffer, then Execute. Returns Execute's
  // result; its failures reach the caller as bp::Erro.
  bool Tecla(int16_t No_MT, char tecla);
  // Execute with the kept values and no new key.
  bool Consultar(int16_t No_MT);
  // Sets the terminal's kept action code.
  void DefinirAcao(int16_t No_MT, bp::host::AcaoEnum acao);

  const Terminal& Estado(int16_t No_MT) { return terminais_[No_MT]; }
  bp::BPMTControlador& Controlador() { return *controlador_; }

 private:
  // Execute with the kept values, `tecla` appended to the buffer passed.
  bool Executar(int16_t No_MT, const std::string& tecla);

  std::map<int16_t, Terminal> terminais_;
  std::unique_ptr<bp::BPMTControlador> controlador_;
};

}  // namespace station
