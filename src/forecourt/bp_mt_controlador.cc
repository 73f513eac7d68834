#include "bp/bp_mt_controlador.h"

#include <utility>

#include "bp/erro.h"
#include "bp/registry.h"
#include "bp/trap.h"
#include "forecourt/textos_mt.h"

namespace bp {

using forecourt::kClasseControlador;
using host::AcaoEnum;

BPMTControlador::BPMTControlador() = default;
BPMTControlador::~BPMTControlador() = default;

const ClassInfo& BPMTControlador::Info() const { return typelib::BPMTControlador(); }

bool BPMTControlador::Execute(int16_t& No_MT, AcaoEnum& No_Action, int16_t& No_Andamento,
                              std::string& Tx_Buffer, std::string& Tx_Linha1,
                              std::string& Tx_Linha2) {
  return Direct(kClasseControlador, "Execute", [&] {
    switch (No_Action) {
      case AcaoEnum::AcaoInoperante:
        return mnuInoperante(No_MT, No_Action, No_Andamento, Tx_Buffer);
      case AcaoEnum::AcaoMenuPrincipal:
        return mnuMain(No_MT, No_Action);
      case AcaoEnum::AcaoLiberarBico: {
        BPMTLiberarBico* dialogo = FactoryBPMTLiberarBico(No_MT);
        if (dialogo == nullptr) RaiseRuntime(rt::kObjectNotSet, "BPMTLiberarBico");
        return dialogo->Execute(No_MT, No_Action, No_Andamento, Tx_Buffer, Tx_Linha1, Tx_Linha2);
      }
      default:
        AtualizarCih.Raise(No_MT, No_Action, No_Andamento, Tx_Buffer,
                           forecourt::kOpcaoNaoConfigurada, forecourt::kSoliciteSuporte);
        return false;
    }
  });
}

bool BPMTControlador::mnuInoperante(int16_t No_MT, AcaoEnum No_Action, int16_t No_Andamento,
                                    const std::string& Tx_Buffer) {
  return Direct(kClasseControlador, "mnuInoperante", [&] {
    AtualizarCih.Raise(No_MT, No_Action, No_Andamento, Tx_Buffer, forecourt::kSistemaInoperante,
                       std::string());
    return false;
  });
}

// The main menu has the nozzle release as its only option, so an idle
// terminal goes straight into it: the next call starts the dialogue.
bool BPMTControlador::mnuMain(int16_t No_MT, AcaoEnum& No_Action) {
  return Direct(kClasseControlador, "mnuMain", [&] {
    No_Action = AcaoEnum::AcaoLiberarBico;
    const std::string vazio;
    AtualizarCih.Raise(No_MT, AcaoEnum::AcaoLiberarBico, 1, vazio, vazio, vazio);
    return true;
  });
}

BPMTLiberarBico* BPMTControlador::FactoryBPMTLiberarBico(int16_t No_MT) {
  return Direct(kClasseControlador, "FactoryBPMTLiberarBico", [&]() -> BPMTLiberarBico* {
    if (No_MT < kPrimeiroMT || No_MT > kUltimoMT) return nullptr;
    std::unique_ptr<BPMTLiberarBico>& slot = dialogos_[static_cast<size_t>(No_MT - kPrimeiroMT)];
    if (!slot) {
      auto dialogo = std::make_unique<BPMTLiberarBico>();
      dialogo->SetObBOSistema(ObBOSistema());
      // The slot's handler passes the dialogue's screens on unchanged.
      dialogo->AtualizarCih.Connect(
          [this](int16_t mt, AcaoEnum acao, int16_t andamento, const std::string& buffer,
                 const std::string& linha1, const std::string& linha2) {
            AtualizarCih.Raise(mt, acao, andamento, buffer, linha1, linha2);
          });
      slot = std::move(dialogo);
    }
    return slot.get();
  });
}

const BPMTLiberarBico* BPMTControlador::Dialogo(int16_t No_MT) const {
  if (No_MT < kPrimeiroMT || No_MT > kUltimoMT) return nullptr;
  return dialogos_[static_cast<size_t>(No_MT - kPrimeiroMT)].get();
}

namespace classes {
void RegisterBPMTControlador() {
  RegisterClass(typelib::BPMTControlador(), [] { return std::make_unique<BPMTControlador>(); });
}
}  // namespace classes

}  // namespace bp
