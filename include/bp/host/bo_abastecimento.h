// The host's fuelling object: the data of one sale at a nozzle, the release
// checks and the record of who is responsible for the fuelling.
#pragma once

#include <cstdint>
#include <string>

#include "bp/enums.h"
#include "bp/host/bo_negocio.h"
#include "bp/host/valores_mt.h"
#include "bp/money.h"

namespace bp::host {

struct Abastecimento {
  int32_t Cd_PessoaUsuaria = 0;
  TipoPagamentoEnum No_TipoPagamento = TipoPagamentoEnum::PagamentoIndefinido;
  TipoVencimentoEnum No_TipoVencimento = TipoVencimentoEnum::TipoVencimentoIndefinido;
  std::string Cd_Cmc7;   // the cheque's code line
  std::string Cd_Veiculo;
  int32_t No_Hodometro = 0;
  uint8_t Cd_Bomba = 0;  // the nozzle number
  Money Vl_Abastecimento;
  Money Tx_DescontoAbastecimento;
  bool Ic_BaixaAutomatica = false;
};

class BOAbastecimento : public BOComRegistro<Abastecimento> {
 public:
  // The release check of a cash or card sale, and of a credit sale. Each
  // returns the verdict and explains it in Ds_Resultado.
  virtual bool VerificarLiberacaoDinheiroOuCartao(uint8_t Cd_Bomba, int32_t Cd_Funcionario,
                                                  const std::string& Nm_Senha, int32_t Cd_Caixa,
                                                  const std::string& Cd_Veiculo,
                                                  Money Vl_Abastecimento, int32_t No_Hodometro,
                                                  std::string& Ds_Resultado) = 0;
  virtual bool VerificarLiberacaoVendaCredito(uint8_t Cd_Bomba, int32_t Cd_Funcionario,
                                              const std::string& Nm_Senha, int32_t Cd_Caixa,
                                              const std::string& Cd_Veiculo,
                                              Money Vl_Abastecimento, int32_t No_Hodometro,
                                              std::string& Ds_Resultado) = 0;

  // Records who is responsible for the fuelling at the nozzle and how it is
  // paid; True when recorded.
  virtual bool GravarResponsabilidade(uint8_t Cd_Bomba, int32_t Cd_Caixa,
                                      const std::string& Cd_Veiculo, const std::string& Cd_Cmc7,
                                      TipoPagamentoEnum No_TipoPagamento,
                                      TipoVencimentoEnum No_TipoVencimento,
                                      bool Ic_BaixaAutomatica, Money Vl_Abastecimento,
                                      Money Tx_DescontoAbastecimento, int32_t No_Hodometro) = 0;
};

}  // namespace bp::host
