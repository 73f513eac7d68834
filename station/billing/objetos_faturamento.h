// The station's billing business objects over Cliente, ContaAReceber,
// NotaSaida and ItemNotaSaida (docs/billing.md).
#pragma once

#include "bp/host/bo_cliente.h"
#include "bp/host/bo_conta_a_receber.h"
#include "bp/host/bo_nota_saida.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

// The customer's billing settings; the code a receivable copies is the
// customer's own person code.
class BOCliente final : public bp::host::BOCliente, private ObjetoDeSessao {
 public:
  explicit BOCliente(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(sessao); }
  void Carregar() override;
};

// A receivable: numbered with the company's next number when stored new.
class BOContaAReceber final : public bp::host::BOContaAReceber, private ObjetoDeSessao {
 public:
  explicit BOContaAReceber(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(sessao); }
  void Incluir() override;
  void Alterar() override;
};

// An outgoing invoice: numbered per company and invoice type, computed from
// its lines, and written header and lines together.
class BONotaSaida final : public bp::host::BONotaSaida, private ObjetoDeSessao {
 public:
  explicit BONotaSaida(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(sessao); }
  void Preparar() override;
  bp::host::OperacaoNota Operacao() override;
  std::string UFDestinatario() override;
  void Calcular() override;
  void Gravar() override;
};

}  // namespace station
