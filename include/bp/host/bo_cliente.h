// The host's customer object BOCliente: the customer's billing settings.
#pragma once

#include <cstdint>
#include <string>

#include "bp/host/bo_negocio.h"

namespace bp::host {

struct RegistroCliente {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t Cd_Cliente = 0;
  int32_t Cd_Pessoa = 0;   // the code a new receivable copies
  double Tx_Desconto = 0;  // percentages: 2.5 means 2.5 %
  double Tx_Acrescimo = 0;
  bool Ic_CobrancaTipo[3] = {false, false, false};  // collection types 1, 2, 3
  bool Ic_DataLimiteNoVencimento = false;           // third derived date is the due date
  uint8_t Tp_ImpNf = 0;
  std::string Ds_ObservacaoNfFatura;  // text copied into the billing invoice
};

class BOCliente : public BOComRegistro<RegistroCliente> {
 public:
  // Reads the customer named by the record's company and customer codes;
  // raises 0x80040202 when there is none.
  virtual void Carregar() = 0;
};

}  // namespace bp::host
