// The host's release-log object: one entry per nozzle release, who released
// it and how the sale is to be paid.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/host/bo_negocio.h"

namespace bp::host {

struct LogLiberacaoBico {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t No_Liberacao = 0;  // numbered by the host on insertion
  uint8_t Cd_Bomba = 0;
  int32_t Cd_Caixa = 0;
  std::string Cd_Veiculo;
  DateTime Dt_Liberacao;
  bool Ic_BaixaAutomatica = false;
  int32_t Cd_Funcionario = 0;
  uint8_t No_TipoPagamento = 0;   // TipoPagamentoEnum
  uint8_t No_TipoVencimento = 0;  // TipoVencimentoEnum
  int16_t No_TipoHardware = 0;    // TipoHardwareEnum
};

class BOLogLiberacaoBico : public BOComRegistro<LogLiberacaoBico> {
 public:
  // Inserts the record as the company's next release.
  virtual void Incluir() = 0;
};

}  // namespace bp::host
