// The host's billing data-access object: the queries and the coupon status
// change of billing, and the four queries of a receivable's fleet files.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/host/data_access.h"
#include "bp/money.h"

namespace bp::host {

// One invoice line's grouping values.
struct ChaveLinhaNota {
  int32_t Cd_Produto = 0;
  Money Vl_UnitVenda;
  std::string No_SitTributaria;
  float Tx_Icms = 0;
  bool Fl_IssRetido = false;
  float Tx_BaseCalculo = 0;
  std::string No_TribIcms;
};

class DALFaturamento {
 public:
  virtual ~DALFaturamento() = default;

  // Takes the session's data-access object it works through.
  virtual void SetObDAL(DataAccess& dal) = 0;

  // Coupons pending billing up to a date, and a customer's coupons open for
  // selective billing.
  virtual db::Recordset CuponsAFatura(int32_t Cd_PessoaUsuaria, DateTime Dt_Faturamento) = 0;
  virtual db::Recordset CuponsAFaturaSeletivo(int32_t Cd_PessoaUsuaria, int32_t Cd_Pessoa) = 0;
  // Invoices and receivables of a range of receivable numbers.
  virtual db::Recordset NotasFiscaisDoFaturamento(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                                  int32_t final_) = 0;
  virtual db::Recordset ContaAReceberDoFaturamento(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                                   int32_t final_) = 0;
  // Puts the customer's pending coupons up to the billing date under the
  // receivable; True when the change was made.
  virtual bool MudarCupomPendenteParaFaturado(int32_t Cd_PessoaUsuaria, int32_t Cd_Cliente,
                                              int32_t Cd_ContaAReceber, DateTime Dt_Faturamento,
                                              DateTime Dt_Vencimento, int32_t Cd_Funcionario) = 0;
  // Sum of the coupons under a receivable.
  virtual Money TotalDosCuponsDaConta(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) = 0;
  // The receivable's invoice lines, one row per distinct Cd_Produto,
  // Vl_UnitVenda, No_SitTributaria, Tx_Icms, Fl_IssRetido, Tx_BaseCalculo,
  // No_TribIcms; `todas_as_linhas` is the company's invoice-every-line setting.
  virtual db::Recordset LinhasDaNota(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                     bool todas_as_linhas) = 0;
  // The amount the receivable's coupons hold for one line.
  virtual Money ValorDaLinha(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                             const ChaveLinhaNota& linha) = 0;

  // The fleet files of a receivable: per-vehicle totals (Cd_Veiculo,
  // Dt_Emissao, SomaDeVl_TotalLiquido, Vl_Debito, Vl_Total), coupon items
  // (Nm_Produto, Dt_Emissao, Qt_Unidade, Vl_UnitVenda, Id_CampoExtraCF,
  // Cd_Veiculo, Nm_IdCliente, No_Km, Qt_KmPorLitro, Nm_IdentificacaoDoCliente),
  // vehicles (Cd_Veiculo, Nm_Marca, Nm_Cor, Qt_Litros) and one vehicle's
  // odometer readings (No_Km) in reading order.
  virtual db::Recordset TotaisPorVeiculo(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) = 0;
  virtual db::Recordset ItensDosCupons(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) = 0;
  virtual db::Recordset VeiculosDaConta(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber) = 0;
  virtual db::Recordset LeiturasDeHodometro(int32_t Cd_PessoaUsuaria, int32_t Cd_ContaAReceber,
                                            const std::string& Cd_Veiculo) = 0;
};

}  // namespace bp::host
