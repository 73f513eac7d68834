// The host's fiscal-coupon object BOCupomFiscal: one coupon record, the
// coupons started on an ECF but never finished, loading and removing one.
#pragma once

#include <cstdint>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/host/bo_sistema.h"
#include "bp/money.h"

namespace bp::host {

// The coupon record: its key (company, printer, number, issue date) and the
// figures day opening compares.
struct RegistroCupomFiscal {
  int32_t Cd_PessoaUsuaria = 0;
  uint8_t No_Impressora = 0;
  int32_t No_CupomFiscal = 0;
  DateTime Dt_Emissao;
  Money Vl_GTotal;          // the printer's grand total when the coupon began
  Money Vl_Cancelamentos;   // the printer's cancellations when the coupon began
  Money Vl_Total;
  bool Ic_CupomConcluido = false;
  // What billing reads: the customer, the coupon's value, its due date and
  // the date its settlement took effect.
  int32_t Cd_Cliente = 0;
  Money Vl_TotalLiquido;
  DateTime Dt_Vencimento;
  DateTime Dt_EfeFechamento;
};

class BOCupomFiscal {
 public:
  virtual ~BOCupomFiscal() = default;

  // Takes the session the object works in.
  virtual void SetObBOSistema(BOSistemaRef ob_bo_sistema) = 0;

  virtual RegistroCupomFiscal& Registro() = 0;

  // The record company's coupons of ECF `No_Impressora` issued on `data`
  // and never finished, with the columns Vl_GTotal, Vl_Cancelamentos,
  // Vl_Total, No_Impressora, No_CupomFiscal and Dt_Emissao.
  virtual db::Recordset CuponsNaoConcluidos(DateTime data, uint8_t No_Impressora) = 0;

  // Loads the coupon named by the record's key; raises 0x80040202 when absent.
  virtual void Carregar() = 0;
  // Removes the loaded coupon together with its items.
  virtual void Excluir() = 0;
  // Records the loaded coupon as billed under receivable Cd_ContaAReceber.
  virtual void Faturar(int32_t Cd_ContaAReceber, DateTime Dt_Fechamento, int32_t Cd_Funcionario,
                       DateTime Dt_Vencimento, DateTime Dt_EfeFechamento) = 0;
};

}  // namespace bp::host
