// The station's forecourt business objects, created by the session's
// Criar... factories: each works on the database of the session it is
// handed, with the rules of station/forecourt/regras_pista.h, station/forecourt/senha.h and
// station/forecourt/cheque.h, and takes the time from the Env clock.
#pragma once

#include <string>

#include "bp/host/bo_abastecimento.h"
#include "bp/host/bo_bomba.h"
#include "bp/host/bo_caixa.h"
#include "bp/host/bo_cheque.h"
#include "bp/host/bo_funcionario.h"
#include "bp/host/bo_log_liberacao_bico.h"

namespace station {

// Login against the employee's user row; a valid login fills the discount
// permission from the user's Fl_DescontoAbastecimento.
class BOFuncionario final : public bp::host::BOFuncionario {
 public:
  bool VerificarLogin() override;
};

class BOCaixa final : public bp::host::BOCaixa {
 public:
  void Carregar() override;
};

class BOAbastecimento final : public bp::host::BOAbastecimento {
 public:
  bool VerificarLiberacaoDinheiroOuCartao(uint8_t Cd_Bomba, int32_t Cd_Funcionario,
                                          const std::string& Nm_Senha, int32_t Cd_Caixa,
                                          const std::string& Cd_Veiculo,
                                          bp::Money Vl_Abastecimento, int32_t No_Hodometro,
                                          std::string& Ds_Resultado) override;
  bool VerificarLiberacaoVendaCredito(uint8_t Cd_Bomba, int32_t Cd_Funcionario,
                                      const std::string& Nm_Senha, int32_t Cd_Caixa,
                                      const std::string& Cd_Veiculo, bp::Money Vl_Abastecimento,
                                      int32_t No_Hodometro, std::string& Ds_Resultado) override;
  bool GravarResponsabilidade(uint8_t Cd_Bomba, int32_t Cd_Caixa, const std::string& Cd_Veiculo,
                              const std::string& Cd_Cmc7, bp::TipoPagamentoEnum No_TipoPagamento,
                              bp::host::TipoVencimentoEnum No_TipoVencimento,
                              bool Ic_BaixaAutomatica, bp::Money Vl_Abastecimento,
                              bp::Money Tx_DescontoAbastecimento, int32_t No_Hodometro) override;

  // Why the last GravarResponsabilidade recorded nothing (its result carries
  // no text); empty after a recording.
  const std::string& MotivoDaRecusa() const { return motivo_; }

 private:
  std::string motivo_;
};

// The local cheque consultation. The stored-consultation path is taken when
// the station already holds a consultation of the record's cheque.
class BOCheque final : public bp::host::BOCheque {
 public:
  bool Ic_ConsultaArmazenada() override;
  void Consultar(bp::host::BOSistemaRef& ObBOSistema, bp::OrdemObjetoConsultaCheque& Ordem) override;
  void Carregar(bool& Ic_Encontrado, std::string& Ds_Mensagem) override;
  void Gravar() override;
  void Atualizar(std::string& Ds_Mensagem) override;
  void Limpar() override {
    bp::host::BOCheque::Limpar();
    restricoes_ = false;
  }

 private:
  // The last consultation approved with restrictions (the secondary one).
  bool restricoes_ = false;
};

class BOLogLiberacaoBico final : public bp::host::BOLogLiberacaoBico {
 public:
  void Incluir() override;
};

class BOBomba final : public bp::host::BOBomba {};

}  // namespace station
