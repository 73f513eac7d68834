// The station's fiscal-printer record BOECF over the ECF table.
//
// The encrypted serial is kept in No_SerieCriptografadaBLOWFISH (the older
// No_SerieCriptografada column is too narrow for the Base64 text that
// station::Encriptar produces). The reference date is ECF.Dt_Referencia,
// which storing a Z reduction moves forward to that reduction's day. The
// cancellations and grand total of a date come from that day's ReducaoZ row;
// a day without one gives a row of zero.
#pragma once

#include "bp/host/bo_ecf.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

class Ecf final : public bp::host::BOECF, private ObjetoDeSessao {
 public:
  explicit Ecf(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}

  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(std::move(sessao)); }
  bp::host::RegistroECF& Registro() override { return registro_; }
  void Carregar() override;
  bp::DateTime Dt_Referencia() override { return dt_referencia_; }
  bp::db::Recordset Cancelamentos(bp::DateTime data) override;
  bp::db::Recordset GTotal(bp::DateTime data) override;

 private:
  bp::db::Recordset ReducaoDoDia(bp::DateTime data);

  bp::host::RegistroECF registro_;
  bp::DateTime dt_referencia_;
};

}  // namespace station
