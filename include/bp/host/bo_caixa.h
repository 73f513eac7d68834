// The host's cash-register object: the cash register an attendant has open.
#pragma once

#include <cstdint>

#include "bp/datetime.h"
#include "bp/host/bo_negocio.h"

namespace bp::host {

struct Caixa {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t Cd_Funcionario = 0;
  int32_t Cd_Caixa = 0;   // filled by Carregar
  DateTime Dt_Abertura;   // the cash register's date, filled by Carregar
};

class BOCaixa : public BOComRegistro<Caixa> {
 public:
  // Loads the cash register of the record's company and employee into the
  // record (its code and date).
  virtual void Carregar() = 0;
};

}  // namespace bp::host
