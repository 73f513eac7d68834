// Fakes of billing's host objects: one scripted host whose session,
// data-access objects, company, customer, receivable, invoice and coupons
// write every call, in order and with its arguments, into one log.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bp/host/bo_cliente.h"
#include "bp/host/bo_conta_a_receber.h"
#include "bp/host/bo_cupom_fiscal.h"
#include "bp/host/bo_nota_saida.h"
#include "bp/host/dal_faturamento.h"
#include "support/fake_host.h"
#include "support/test_env.h"

namespace bp::testing {

// What the fake host answers; tests change it before the call.
struct BillingScript {
  host::ConfiguracaoFaturamento empresa;
  std::string uf_empresa = "SP";
  std::string uf_destinatario = "SP";
  host::RegistroCliente cliente;           // the record Carregar reads
  bool mudar_resposta = true;              // answer of the coupon status change
  Money soma;                              // sum of the coupons under the receivable
  std::vector<std::vector<Value>> linhas;  // invoice line rows (seven columns)
  std::vector<Money> valores_linha;        // amount of each line, in order
  int32_t proxima_conta = 501;
  int32_t proxima_nota = 9001;
};

class FakeBillingHost : public FakeHost {
 public:
  BillingScript script;
  // The receivable as each Incluir and Alterar stored it, and the invoices.
  std::vector<host::RegistroContaAReceber> contas;
  std::vector<host::RegistroNotaSaida> notas;
  std::vector<std::vector<host::ItemNotaSaida>> itens;

  std::unique_ptr<host::BOCliente> CriarCliente() override;
  std::unique_ptr<host::BOContaAReceber> CriarContaAReceber() override;
  std::unique_ptr<host::BONotaSaida> CriarNotaSaida() override;
  std::unique_ptr<host::DALFaturamento> CriarDALFaturamento() override;

  host::IdentificacaoEmpresa Identificacao() override;
  host::ConfiguracaoFaturamento Faturamento() override { return script.empresa; }
};

// A coupon handed to the selective run: Carregar reads `gravado`.
class FakeCupom : public host::BOCupomFiscal {
 public:
  FakeCupom(FakeBillingHost& h, int32_t numero, int32_t cliente, Money valor, DateTime vencimento,
            DateTime segunda = {});
  void SetObBOSistema(host::BOSistemaRef) override {}
  host::RegistroCupomFiscal& Registro() override { return registro_; }
  db::Recordset CuponsNaoConcluidos(DateTime, uint8_t) override { return {}; }
  void Carregar() override;
  void Excluir() override {}
  void Faturar(int32_t conta, DateTime dia, int32_t funcionario, DateTime vencimento,
               DateTime segunda) override;

 private:
  FakeBillingHost& h_;
  host::RegistroCupomFiscal gravado_;
  host::RegistroCupomFiscal registro_;
};

}  // namespace bp::testing
