// The station's printer object (ObBOImpressora) over the emulated fiscal
// printer: what day opening and closing ask of it, with the printer's
// failures raised as the emulator raises them. Each document it prints is
// also logged in LogDocumentoEmitidoECF, as the station's front end logs the
// documents it prints, so the movement file lists them. Like the station's
// installation of a printer, it makes sure the movement files' folder exists
// below the session's system folder.
#pragma once

#include <string>

#include "bp/host/bo_impressora.h"
#include "station/fiscal/ecf_emulador.h"

namespace station {

// The printer's Z reduction as the day's data object, identification included.
bp::host::DadosReducaoZ DadosDaReducao(const IdentificacaoEcf& id, const ReducaoZEmulada& z);

class ImpressoraFiscal final : public bp::host::BOImpressora {
 public:
  ImpressoraFiscal(bp::host::BOSistema& sessao, std::string pasta);

  EcfEmulador& Emulador() { return ecf_; }

  std::string Cd_IdentificacaoECF() override { return ecf_.Cd_IdentificacaoECF(); }
  bp::DateTime Dt_Movimento() override { return ecf_.Dt_Movimento(); }
  bp::host::DadosReducaoZ DadosultimaReducaoZ(bp::host::BOSistema& ObBOSistema) override;
  // A management report with the litres of each pump-sold product on the
  // printer's coupons of the period.
  void ImprimirVolumeCombustivelVendido(bp::host::BOSistema& ObBOSistema, bp::DateTime Dt_Inicial,
                                        bp::DateTime Dt_Final) override;
  void ImprimirReducaoZ() override;

 private:
  // Logs a printed document under the fiscal day it belongs to (a Z printed
  // after midnight belongs to the day it closes).
  void Registrar(const std::string& tipo, bp::DateTime dia, bp::DateTime inicio,
                 const EstadoEcf& depois);

  bp::host::BOSistema& sessao_;
  EcfEmulador ecf_;
};

}  // namespace station
