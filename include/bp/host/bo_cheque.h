// The host's cheque object: the data of a cheque offered in payment and its
// consultation with a cheque-verification service.
#pragma once

#include <string>

#include "bp/datetime.h"
#include "bp/enums.h"
#include "bp/host/bo_negocio.h"
#include "bp/money.h"

namespace bp::host {

struct Cheque {
  std::string Cd_Cmc7;    // the cheque's code line
  Tp_PessoaEnum Tp_Pessoa = Tp_PessoaEnum::Tp_PessoaNaoDefinida;
  std::string Cd_CpfCnpj;  // the issuer's document; formatted by the release rules
  Money Vl_Cheque;
  DateTime Dt_Deposito;
  Tp_OperacaoEnum Tp_Operacao = Tp_OperacaoEnum::Tp_OperacaoChequeEmitente;
  std::string Ds_Resultado;   // the consultation's explanation
  bool Ic_Consultado = false;  // set once the cheque has been consulted
  bool Ic_Aprovado = false;    // the consultation's verdict
};

class BOCheque : public BOComRegistro<Cheque> {
 public:
  // Which of two paths a consultation takes: False, a new consultation
  // stored afterwards; True, a stored consultation loaded first and asked
  // again only when it did not approve the cheque.
  virtual bool Ic_ConsultaArmazenada() = 0;

  // Consults the record's cheque with the consultation object of that order
  // (ObjetoPrimario or ObjetoSecundario); the outcome is left in the
  // record's result text and approval flag.
  virtual void Consultar(BOSistemaRef& ObBOSistema, OrdemObjetoConsultaCheque& Ordem) = 0;
  // Loads the stored consultation of the record's cheque into the record.
  virtual void Carregar(bool& Ic_Encontrado, std::string& Ds_Mensagem) = 0;
  // Stores the record as a new consultation.
  virtual void Gravar() = 0;
  // Replaces the stored consultation with the record.
  virtual void Atualizar(std::string& Ds_Mensagem) = 0;
};

}  // namespace bp::host
