// The station's billing data-access object over the coupon, receivable and
// invoice tables (the rules are in docs/billing.md).
#pragma once

#include "bp/host/dal_faturamento.h"

namespace station {

class DALFaturamento final : public bp::host::DALFaturamento {
 public:
  explicit DALFaturamento(bp::host::DataAccess& dal) : dal_(&dal) {}
  void SetObDAL(bp::host::DataAccess& dal) override { dal_ = &dal; }

  bp::db::Recordset CuponsAFatura(int32_t Cd_PessoaUsuaria, bp::DateTime Dt_Faturamento) override;
  bp::db::Recordset CuponsAFaturaSeletivo(int32_t Cd_PessoaUsuaria, int32_t Cd_Pessoa) override;
  bp::db::Recordset NotasFiscaisDoFaturamento(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                              int32_t final_) override;
  bp::db::Recordset ContaAReceberDoFaturamento(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                               int32_t final_) override;
  bool MudarCupomPendenteParaFaturado(int32_t Cd_PessoaUsuaria, int32_t Cd_Cliente,
                                      int32_t Cd_ContaAReceber, bp::DateTime Dt_Faturamento,
                                      bp::DateTime Dt_Vencimento, int32_t Cd_Funcionario) override;
  bp::Money TotalDosCuponsDaConta(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) override;
  bp::db::Recordset LinhasDaNota(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                 bool todas_as_linhas) override;
  bp::Money ValorDaLinha(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                         const bp::host::ChaveLinhaNota& linha) override;
  bp::db::Recordset TotaisPorVeiculo(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) override;
  bp::db::Recordset ItensDosCupons(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) override;
  bp::db::Recordset VeiculosDaConta(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) override;
  bp::db::Recordset LeiturasDeHodometro(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                        const std::string& Cd_Veiculo) override;

 private:
  bp::db::Connection& Conexao() { return dal_->Conexao(); }
  bp::host::DataAccess* dal_;
};

}  // namespace station
