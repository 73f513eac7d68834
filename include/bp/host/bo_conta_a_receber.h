// The host's receivable object BOContaAReceber: one receivable record,
// stored new (the host numbers it) or changed.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/host/bo_negocio.h"
#include "bp/money.h"

namespace bp::host {

struct RegistroContaAReceber {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t Cd_ContaAReceber = 0;  // assigned by Incluir
  int32_t Cd_Cliente = 0;
  int32_t Cd_Pessoa = 0;
  DateTime Dt_Emissao;
  uint8_t No_Parcela = 0;
  uint8_t Qt_Parcelas = 0;
  DateTime Dt_Vencimento;
  DateTime Dt_VencimentoOriginal;
  Money Vl_DespesaCobranca;
  uint8_t Tp_Documento = 0;
  Money Vl_Debito;
  Money Vl_Desconto;
  Money Vl_Acrescimo;
  Money Vl_Pagamentos;
  Money Vl_SaldoDebito;
  DateTime Dt_Cadastro;
  int32_t Cd_Funcionario = 0;
  bool Ic_Faturada = false;
  std::string Tp_Cobranca;  // "1", "2", "3" or empty
  DateTime Dt_Cobranca;     // the collection type's date
  DateTime Dt_Limite;       // second derived date
  DateTime Dt_Protesto;     // third derived date
};

class BOContaAReceber : public BOComRegistro<RegistroContaAReceber> {
 public:
  // Stores the record as a new receivable and sets its Cd_ContaAReceber.
  virtual void Incluir() = 0;
  // Stores the changed record of an existing receivable.
  virtual void Alterar() = 0;
};

}  // namespace bp::host
