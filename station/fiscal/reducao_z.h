// The station's last-Z record object BOReducaoZ over the ReducaoZ table.
//
// Saving writes one row per company, fiscal day and printer: a second save of
// the same key updates the row. It also moves the printer's reference date
// (ECF.Dt_Referencia) forward to the reduction's day, which is the day whose
// unfinished coupons day opening looks at. Loading reads the printer's latest
// row by fiscal day.
#pragma once

#include <string>

#include "bp/host/bo_reducao_z.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

// The Z reduction's totaliser slots: the columns Tp_T01 to Tp_T20, Vl_T01 to
// Vl_T20 and Al_T01 to Al_T20 of ReducaoZ and MapaResumoECF.
inline constexpr int kSlotsReducaoZ = 20;
// The column of slot `i` (1 to kSlotsReducaoZ) under `prefixo`: "Vl_T07".
std::string ColunaDoSlot(const char* prefixo, int i);

class ReducaoZ final : public bp::host::BOReducaoZ, private ObjetoDeSessao {
 public:
  explicit ReducaoZ(bp::host::BOSistema& sessao) : ObjetoDeSessao(sessao) {}

  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(std::move(sessao)); }
  void SetDados(const bp::host::DadosReducaoZ& dados) override { dados_ = dados; }
  const bp::host::DadosReducaoZ& Dados() override { return dados_; }
  // Raises 0x80040201 when the data has no fiscal day or printer.
  void Gravar() override;
  void CarregarUltimaReducaoZ(int32_t Cd_PessoaUsuaria, uint8_t No_Impressora) override;

 private:
  bp::host::DadosReducaoZ dados_;
};

}  // namespace station
