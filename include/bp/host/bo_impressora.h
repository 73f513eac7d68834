// The fiscal printer object the host hands to day opening and closing
// (ObBOImpressora): its identification, the open fiscal day, the data of its
// last Z reduction, and the two reports it prints when the day closes.
// Printer failures (paper out, printer off, communication) are raised with
// the system's numbers.
#pragma once

#include <string>

#include "bp/datetime.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/bo_sistema.h"

namespace bp::host {

class BOImpressora {
 public:
  virtual ~BOImpressora() = default;

  // The printer's identification text, the first part of its movement-file name.
  virtual std::string Cd_IdentificacaoECF() = 0;
  // The date of the fiscal day open on the printer.
  virtual DateTime Dt_Movimento() = 0;
  // The data of the printer's last Z reduction (empty date when none).
  virtual DadosReducaoZ DadosultimaReducaoZ(BOSistema& ObBOSistema) = 0;
  // Prints the report of fuel volume sold from Dt_Inicial to Dt_Final.
  virtual void ImprimirVolumeCombustivelVendido(BOSistema& ObBOSistema, DateTime Dt_Inicial,
                                                DateTime Dt_Final) = 0;
  // Prints the Z reduction, closing the open fiscal day.
  virtual void ImprimirReducaoZ() = 0;
};

}  // namespace bp::host
