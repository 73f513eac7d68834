// BPImportarMovimentoCaixa: copies one cash register's movement from another
// station database into the station's own, kind by kind (fuellings, persons,
// customers, vehicles, stock movements, coupons, their items, receipts and
// their links to coupons), every row saved in a unit of work of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bp/db/recordset.h"
#include "bp/evento.h"
#include "bp/host/bo_movimento_caixa.h"
#include "bp/public_class.h"

namespace bp {

class BPImportarMovimentoCaixa final : public PublicClass {
 public:
  BPImportarMovimentoCaixa();
  ~BPImportarMovimentoCaixa() override;
  const ClassInfo& Info() const override;

  // Imports cash register Cd_Caixa of the session's company from database
  // Nm_BancoDeDados of Ds_InstanciaBancoDeDados. Returns 0; failures are
  // raised with this class's trail, and the rows saved before one stay.
  int32_t Importar(std::string& Ds_InstanciaBancoDeDados, std::string& Nm_BancoDeDados,
                   int32_t& Cd_Caixa);

  // Declared for hosts that connect to them; the import raises neither.
  Evento<std::string, std::string> MostrarMensagem;
  Evento<std::string, std::string, int32_t> MostrarMensagemTTL;

  // The connection text of the source database.
  static std::string TextoDeConexao(const std::string& senha, const std::string& banco,
                                    const std::string& instancia);

 private:
  void OnSessionSet() override;
  host::BOSistema& Sessao();
  // Saves every row of `rs` through the business object of `tipo`.
  void ImportarMovimento(host::TipoMovimentoCaixa tipo, db::Recordset& rs);

  std::unique_ptr<host::BOLeitorMovimentoCaixa> leitor_;
};

// The coupon record's corrections before it is saved: an empty
// Dt_Movimento takes Dt_Emissao, and Cd_SequenciaNotaCupom becomes 0.
void CorrigirCupomImportado(host::RegistroPorNome& cupom);

}  // namespace bp
