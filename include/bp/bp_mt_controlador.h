// BPMTControlador: the entry point of the forecourt micro-terminals. For
// every key the host calls Execute with the terminal's kept state; by the
// action code the controller shows the out-of-service screen, moves an idle
// terminal into the nozzle release, answers an option that is not
// configured, or hands the call to the terminal's own BPMTLiberarBico
// (created on the terminal's first release and kept for the controller's
// life). Every new screen reaches the host through AtualizarCih.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "bp/bp_mt_liberar_bico.h"
#include "bp/public_class.h"
#include "bp/tela_mt.h"

namespace bp {

class BPMTControlador final : public PublicClassWithSetBOSistema {
 public:
  static constexpr int16_t kPrimeiroMT = 1;
  static constexpr int16_t kUltimoMT = 10;

  BPMTControlador();
  ~BPMTControlador() override;

  const ClassInfo& Info() const override;

  // Handles one event of terminal No_MT. Only action 0 (idle) writes an
  // argument: No_Action becomes 1. Returns False for the out-of-service
  // screen and an unknown action; with action 1, the dialogue's result. A
  // release on a terminal outside 1 to 10 raises 91.
  bool Execute(int16_t& No_MT, host::AcaoEnum& No_Action, int16_t& No_Andamento,
               std::string& Tx_Buffer, std::string& Tx_Linha1, std::string& Tx_Linha2);

  AtualizarCihEvento AtualizarCih;

  // The dialogue object of a terminal's slot; null while it has none.
  const BPMTLiberarBico* Dialogo(int16_t No_MT) const;

 private:
  bool mnuInoperante(int16_t No_MT, host::AcaoEnum No_Action, int16_t No_Andamento,
                     const std::string& Tx_Buffer);
  bool mnuMain(int16_t No_MT, host::AcaoEnum& No_Action);
  // The terminal's dialogue object, created with the current session on
  // first use; null for a number outside 1 to 10.
  BPMTLiberarBico* FactoryBPMTLiberarBico(int16_t No_MT);

  std::array<std::unique_ptr<BPMTLiberarBico>, kUltimoMT> dialogos_;
};

}  // namespace bp
