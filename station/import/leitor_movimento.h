// The station's reader of a cash register's movement in another database.
#pragma once

#include <memory>
#include <string>

#include "bp/db/connection.h"
#include "bp/host/bo_movimento_caixa.h"
#include "station/import/movimento_caixa.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

class LeitorMovimentoCaixa final : public bp::host::BOLeitorMovimentoCaixa, private ObjetoDeSessao {
 public:
  explicit LeitorMovimentoCaixa(bp::host::BOSistema& sessao,
                                const AcompanhamentoImportacao* acompanhamento = nullptr)
      : ObjetoDeSessao(sessao), acompanhamento_(acompanhamento) {}
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(sessao); }

  // The station must know the register (its rows refer to it): raises
  // 0x80040202 "Registro nao encontrado" otherwise. Forgets the source of
  // an earlier load.
  void Carregar() override;
  // The register's rows of one kind in the source that `conexao` names
  // (opened on the first call after Carregar and kept for the others): its
  // fuellings, coupons and receipts, the coupons' items, their stock
  // movements, the receipts' links, and the customers, their persons and the
  // vehicles those rows name. Ordered by key, stock movements by date.
  bp::db::Recordset Movimento(bp::host::TipoMovimentoCaixa tipo,
                              const std::string& conexao) override;

 private:
  const AcompanhamentoImportacao* acompanhamento_;
  std::unique_ptr<bp::db::Connection> origem_;
};

}  // namespace station
