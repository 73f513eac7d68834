#include "station/session/sessao.h"

#include "station/billing/dal_faturamento.h"
#include "station/billing/objetos_faturamento.h"
#include "station/exports/registro_sintegra.h"
#include "station/forecourt/objetos_pista.h"
#include "station/session/empresa_usuaria.h"
#include "station/stock/recalculo_estoque.h"

namespace station {

Sessao::Sessao(Configuracao config)
    : Sessao(bp::db::Connection::Open(config.banco), config) {}

Sessao::Sessao(std::unique_ptr<bp::db::Connection> connection, Configuracao config)
    : dal_(std::move(connection), std::move(config)) {}

Sessao::~Sessao() = default;

bp::host::BOEmpresaUsuaria& Sessao::EmpresaUsuaria() {
  if (!empresa_) empresa_ = std::make_unique<station::EmpresaUsuaria>(*this);
  return *empresa_;
}

void Sessao::BeginWork(const std::string& /*origin*/, bool& marker) {
  bp::db::Connection& c = dal_.Conexao();
  marker = false;
  if (!c.IsOpen()) {
    c.Reopen();
    marker = true;
  } else if (c.TransactionDepth() == 0 && !c.IsUsable()) {
    // A lost connection outside a transaction loses nothing by reopening.
    c.Reopen();
    marker = true;
  }
  if (marker) ++reconnections_;
}

void Sessao::EndWork(const std::string& /*origin*/, bool /*marker*/) {}

std::unique_ptr<bp::host::BORecalculoEstoque> Sessao::CriarRecalculoEstoque() {
  return std::make_unique<RecalculoEstoque>(*this);
}

std::unique_ptr<bp::host::BORecalculoGeralEstoque> Sessao::CriarRecalculoGeralEstoque() {
  return std::make_unique<RecalculoGeralEstoque>(*this);
}

std::unique_ptr<bp::host::BOFuncionario> Sessao::CriarFuncionario() {
  return std::make_unique<station::BOFuncionario>();
}

std::unique_ptr<bp::host::BOCaixa> Sessao::CriarCaixa() { return std::make_unique<station::BOCaixa>(); }

std::unique_ptr<bp::host::BOAbastecimento> Sessao::CriarAbastecimento() {
  return std::make_unique<station::BOAbastecimento>();
}

std::unique_ptr<bp::host::BOCheque> Sessao::CriarCheque() {
  return std::make_unique<station::BOCheque>();
}

std::unique_ptr<bp::host::BOLogLiberacaoBico> Sessao::CriarLogLiberacaoBico() {
  return std::make_unique<station::BOLogLiberacaoBico>();
}

std::unique_ptr<bp::host::BOBomba> Sessao::CriarBomba() { return std::make_unique<station::BOBomba>(); }

std::unique_ptr<bp::host::BOCliente> Sessao::CriarCliente() {
  return std::make_unique<station::BOCliente>(*this);
}

std::unique_ptr<bp::host::BOContaAReceber> Sessao::CriarContaAReceber() {
  return std::make_unique<station::BOContaAReceber>(*this);
}

std::unique_ptr<bp::host::BONotaSaida> Sessao::CriarNotaSaida() {
  return std::make_unique<station::BONotaSaida>(*this);
}

std::unique_ptr<bp::host::DALFaturamento> Sessao::CriarDALFaturamento() {
  return std::make_unique<station::DALFaturamento>(ObDAL());
}

std::unique_ptr<bp::host::BORegistroSintegra> Sessao::CriarRegistroSintegra() {
  return std::make_unique<RegistroSintegra>(*this);
}

}  // namespace station
