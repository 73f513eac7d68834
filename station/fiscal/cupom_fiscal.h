// The station's fiscal-coupon object BOCupomFiscal over CupomFiscal and
// ItemCupomFiscal.
//
// A coupon is unfinished while Ic_CupomConcluido is not set (0 or null); the
// unfinished coupons of a day are those issued that day (Dt_Emissao) on the
// printer, in coupon-number order. Removing a coupon removes its items with
// it, both or neither.
#pragma once

#include "bp/host/bo_cupom_fiscal.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

class CupomFiscal final : public bp::host::BOCupomFiscal, private ObjetoDeSessao {
 public:
  explicit CupomFiscal(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}

  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(std::move(sessao)); }
  bp::host::RegistroCupomFiscal& Registro() override { return registro_; }
  bp::db::Recordset CuponsNaoConcluidos(bp::DateTime data, uint8_t No_Impressora) override;
  void Carregar() override;
  void Excluir() override;
  // Puts the loaded coupon under the receivable when it is still pending (no
  // receivable yet); raises 0x80040202 when it is not, so that two runs
  // cannot bill one coupon twice.
  void Faturar(int32_t Cd_ContaAReceber, bp::DateTime Dt_Fechamento, int32_t Cd_Funcionario,
               bp::DateTime Dt_Vencimento, bp::DateTime Dt_EfeFechamento) override;

 private:
  std::vector<bp::Value> Chave() const;

  bp::host::RegistroCupomFiscal registro_;
};

}  // namespace station
