// The host's fiscal-printer record BOECF: one ECF of the user company, its
// encrypted serial, the date its figures refer to, and that date's
// cancellation and grand-total figures.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/host/bo_sistema.h"

namespace bp::host {

// The ECF record the caller fills before loading, and the object fills on load.
struct RegistroECF {
  int32_t Cd_PessoaUsuaria = 0;
  uint8_t No_Impressora = 0;            // the ECF number
  std::string No_SerieCriptografada;    // the serial as stored; Desencriptar opens it
};

class BOECF {
 public:
  virtual ~BOECF() = default;

  // Takes the session the object works in.
  virtual void SetObBOSistema(BOSistemaRef ob_bo_sistema) = 0;

  virtual RegistroECF& Registro() = 0;
  // Loads the ECF named by the record's company and number; raises
  // 0x80040202 "Registro nao encontrado" when there is none.
  virtual void Carregar() = 0;

  // The fiscal day the loaded ECF's figures refer to.
  virtual DateTime Dt_Referencia() = 0;
  // The ECF's cancellations of `data`: one row, column Vl_Cancelamentos.
  virtual db::Recordset Cancelamentos(DateTime data) = 0;
  // The ECF's grand total at the end of `data`: one row, column Vl_GTotalFinal.
  virtual db::Recordset GTotal(DateTime data) = 0;
};

}  // namespace bp::host
