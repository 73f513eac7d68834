// BPFaturamento: bills a customer's pending fiscal coupons into one
// receivable, in one named transaction of the session, with the outgoing
// invoice of the coupons when the company and the customer ask for it; and
// the four read-only queries of the billing screens.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/enums.h"
#include "bp/host/bo_cliente.h"
#include "bp/host/bo_conta_a_receber.h"
#include "bp/host/bo_cupom_fiscal.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_nota_saida.h"
#include "bp/host/dal_faturamento.h"
#include "bp/money.h"
#include "bp/public_class.h"

namespace bp {

class BPFaturamento final : public PublicClass {
 public:
  BPFaturamento();
  ~BPFaturamento() override;
  const ClassInfo& Info() const override;

  host::BOEmpresaUsuaria* ObBOEmpresaUsuaria() const { return empresa_; }
  void SetObBOEmpresaUsuaria(host::BOEmpresaUsuaria* empresa) { empresa_ = empresa; }

  bool Validar(Tp_EdicaoEnum No_TipoEdicao = Tp_EdicaoEnum{});

  // The queries pass their arguments to the billing data-access object and
  // return its recordset untouched.
  db::Recordset CuponsAFaturaRs(int32_t Cd_PessoaUsuaria, DateTime Dt_Faturamento);
  db::Recordset CuponsAFaturaSeletivoRs(int32_t Cd_PessoaUsuaria, int32_t Cd_Pessoa);
  db::Recordset NotasFiscaisDoFaturamentoRs(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                            int32_t final_);
  db::Recordset ContaAReceberDoFaturamentoRs(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                             int32_t final_);

  // Bills every pending coupon of the customer up to Dt_Faturamento. Returns
  // the new receivable's number, or 0 when the coupons' status change or the
  // invoice answered no (everything rolled back); failures roll back and are
  // raised with this class's trail.
  int32_t Faturar(int32_t Cd_Cliente, DateTime Dt_Faturamento, DateTime Dt_Vencimento,
                  uint8_t Tp_ImpNf, int32_t Cd_Funcionario, Money Vl_Debito);
  // Bills exactly the coupons given (each a coupon object keyed to its
  // record), with a progress window. A coupon of another customer fails the
  // whole run.
  int32_t FaturamentoSeletivo(int32_t Cd_Cliente,
                              const std::vector<host::BOCupomFiscal*>& ColCuponsAFaturar,
                              int32_t Cd_Funcionario);
  // True when the customer asks for the invoice at billing (Tp_ImpNf 12)
  // and, unless the company invoices every line, the receivable has lines.
  bool DeveraGerarNotaFiscal(uint8_t Tp_ImpNf, int32_t Cd_ContaAReceber);

  // The records of the last run.
  host::BOCliente& Cliente() { return *cliente_; }
  host::BOContaAReceber& ContaAReceber() { return *conta_; }
  host::BONotaSaida& NotaSaida() { return *nota_; }

 private:
  void OnSessionSet() override;
  host::BOSistema& Sessao();
  void CarregarCliente(int32_t Cd_Cliente);
  // Fills the receivable from `valor` (discount, surcharge, derived dates).
  void PreencherConta(int32_t Cd_Cliente, DateTime emissao, DateTime vencimento,
                      int32_t Cd_Funcionario, Money valor);
  int32_t GerarContaAReceber(int32_t Cd_Cliente, DateTime Dt_Faturamento, DateTime Dt_Vencimento,
                             uint8_t Tp_ImpNf, int32_t Cd_Funcionario, Money Vl_Debito);
  int32_t GerarContaAReceberSeletivo(int32_t Cd_Cliente,
                                     const std::vector<host::BOCupomFiscal*>& cupons,
                                     int32_t Cd_Funcionario);
  bool MudarCupomPendenteParaFaturado(int32_t Cd_PessoaUsuaria, int32_t Cd_Cliente,
                                      int32_t Cd_ContaAReceber, DateTime Dt_Faturamento,
                                      DateTime Dt_Vencimento, uint8_t Tp_ImpNf,
                                      int32_t Cd_Funcionario);
  Money BuscarTotalDosCuponsDaConta(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber);
  bool GerarNotaFiscalFaturamento(int32_t Cd_ContaAReceber);
  // Runs `etapas` as one billing run named `proc`: unit of work, named
  // transaction begun by `etapas`, commit on success, rollback otherwise.
  template <class Etapas>
  int32_t Executar(const char* proc, Etapas&& etapas);

  host::BOEmpresaUsuaria* empresa_ = nullptr;
  std::unique_ptr<host::DALFaturamento> dal_;
  std::unique_ptr<host::BOCliente> cliente_;
  std::unique_ptr<host::BOContaAReceber> conta_;
  std::unique_ptr<host::BONotaSaida> nota_;
};

}  // namespace bp
