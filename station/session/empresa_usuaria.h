// The station's user company over the EmpresaUsuaria and Pessoa tables,
// with the stock consolidation into EstoqueConsolidado.
//
// Consolidating the stock at a date D keeps, for each product, the stock
// and costs of its last stock-card movement up to the end of D (the card
// carries the running balance after every movement). Forward consolidation
// starts from the rows of the last consolidated date and only replaces the
// products that moved since; consolidation from scratch reads every
// product's card. Either way the company's consolidation date moves to D
// when D is later than it.
#pragma once

#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_sistema.h"

namespace station {

class EmpresaUsuaria final : public bp::host::BOEmpresaUsuaria {
 public:
  explicit EmpresaUsuaria(bp::host::BOSistema& session) : session_(session) {}

  int32_t Cd_PessoaUsuaria() override { return session_.Cd_PessoaUsuaria(); }
  bp::host::IdentificacaoEmpresa Identificacao() override;
  bp::host::ConfiguracaoFaturamento Faturamento() override;

  std::vector<bp::host::TransferenciaEmbalagem> TransferenciasDeEmbalagem() override;

  void SetMarcador(bool marker) override { marker_ = marker; }
  bool Marcador() const { return marker_; }
  bp::DateTime DataUltimaConsolidacaoEstoque() override;
  void ConsolidarEstoqueAte(bp::DateTime date, bp::Andamento* progress) override;
  void ConsolidarEstoqueNaData(bp::DateTime date, bp::Andamento* progress) override;

 private:
  void Consolidar(bp::DateTime date, bool forward, bp::Andamento* progress);

  bp::host::BOSistema& session_;
  bool marker_ = false;
};

}  // namespace station
