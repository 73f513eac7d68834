// The station's session BOSistema over one database connection.
//
// Units of work: BeginWork makes sure the connection is open and usable,
// reopening it when it was closed, or lost outside a transaction; the marker
// it returns says whether it had to (re)open it. EndWork leaves the
// connection open for the next unit: a station keeps one connection for its
// whole session. Nothing is counted, so callers that begin more often than
// they end (the version driver does, once per turn) leave nothing behind.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_sistema.h"
#include "station/session/acesso_dados.h"

namespace station {

class Sessao final : public bp::host::BOSistema {
 public:
  explicit Sessao(Configuracao config);
  Sessao(std::unique_ptr<bp::db::Connection> connection, Configuracao config);
  ~Sessao() override;

  bp::host::BOEmpresaUsuaria& EmpresaUsuaria() override;
  int32_t Cd_PessoaUsuaria() override { return dal_.Config().cd_pessoa_usuaria; }
  bp::host::DataAccess& ObDAL() override { return dal_; }
  AcessoDados& Dal() { return dal_; }

  void BeginWork(const std::string& origin, bool& marker) override;
  void EndWork(const std::string& origin, bool marker) override;

  // The stock recomputation over this session's database
  // (station/stock/recalculo_estoque.h).
  std::unique_ptr<bp::host::BORecalculoEstoque> CriarRecalculoEstoque() override;
  std::unique_ptr<bp::host::BORecalculoGeralEstoque> CriarRecalculoGeralEstoque() override;
  // The stock-card object over this session's database (station/stock/cardex.h).
  std::unique_ptr<bp::host::BOCardex> CriarCardex() override;
  // The fiscal objects over this session's database: the ECF record
  // (station/fiscal/ecf.h), the last-Z record (station/fiscal/reducao_z.h), the
  // movement-file record writer (station/fiscal/registro_movimento_ecf.h) and the
  // day-opening object (station/fiscal/abertura_dia.h).
  std::unique_ptr<bp::host::BOECF> CriarECF() override;
  std::unique_ptr<bp::host::BOReducaoZ> CriarReducaoZ() override;
  std::unique_ptr<bp::host::BORegistroMovimentoECF> CriarRegistroMovimentoECF() override;
  std::unique_ptr<bp::host::BOAberturaDia> CriarAberturaDia() override;
  // The forecourt's business objects over this session's database
  // (station/forecourt/objetos_pista.h).
  std::unique_ptr<bp::host::BOFuncionario> CriarFuncionario() override;
  std::unique_ptr<bp::host::BOCaixa> CriarCaixa() override;
  std::unique_ptr<bp::host::BOAbastecimento> CriarAbastecimento() override;
  std::unique_ptr<bp::host::BOCheque> CriarCheque() override;
  std::unique_ptr<bp::host::BOLogLiberacaoBico> CriarLogLiberacaoBico() override;
  std::unique_ptr<bp::host::BOBomba> CriarBomba() override;
  // Billing's objects over this session's database (station/billing/).
  std::unique_ptr<bp::host::BOCliente> CriarCliente() override;
  std::unique_ptr<bp::host::BOContaAReceber> CriarContaAReceber() override;
  std::unique_ptr<bp::host::BONotaSaida> CriarNotaSaida() override;
  std::unique_ptr<bp::host::DALFaturamento> CriarDALFaturamento() override;
  // The SINTEGRA record builder over this session's database
  // (station/exports/registro_sintegra.h).
  std::unique_ptr<bp::host::BORegistroSintegra> CriarRegistroSintegra() override;

  // How often a unit of work found the connection closed or lost and
  // reopened it.
  int32_t Reconnections() const { return reconnections_; }

 private:
  AcessoDados dal_;
  std::unique_ptr<bp::host::BOEmpresaUsuaria> empresa_;
  int32_t reconnections_ = 0;
};

}  // namespace station
