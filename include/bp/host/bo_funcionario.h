// The host's employee object: the attendant's identification at the
// micro-terminals and the login check of code and password.
#pragma once

#include <cstdint>
#include <string>

#include "bp/host/bo_negocio.h"

namespace bp::host {

struct Funcionario {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t Cd_Funcionario = 0;
  std::string Nm_Senha;
  // 1 (Fl_OpcaoPermitida) when the employee may give a discount; read after
  // a successful login check.
  int32_t Fl_PermitirDesconto = 0;
};

class BOFuncionario : public BOComRegistro<Funcionario> {
 public:
  // True when the record's company, employee code and password are valid;
  // a valid login also fills the record's discount permission.
  virtual bool VerificarLogin() = 0;
};

}  // namespace bp::host
