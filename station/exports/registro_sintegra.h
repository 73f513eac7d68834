// The station's SINTEGRA record builder over the database: the records of
// the public SINTEGRA layout (126 characters each) for the invoices (50, 53,
// 54), the fiscal-printer days (60M, 60A, 60D, 60I, 60R), the inventory
// (74) and the products (75); the fuel records of the GAM file (88C, 88D,
// 88E, 88Q, 88T); and the product-register (P1, P2, P9) and stock (E1, E2,
// E9) files. docs/sintegra.md gives every field and its source column.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "bp/host/bo_registro_sintegra.h"
#include "bp/host/bo_sistema.h"

#include "bp/db/connection.h"
#include "station/fiscal/campos_movimento.h"

namespace station {

class RegistroSintegra final : public bp::host::BORegistroSintegra {
 public:
  using R = bp::host::RegistrosSintegra;
  using DateTime = bp::DateTime;

  explicit RegistroSintegra(bp::host::BOSistema& sessao) : sessao_(sessao) {}

  void SetObDAL(bp::host::DataAccess& ob_dal) override { dal_ = &ob_dal; }

  R R50Emitidas(DateTime dia, int32_t& contador, const std::string& uf) override;
  R R50Recebidas(DateTime dia, int32_t& contador) override;
  R R53Emitidas(DateTime dia, int32_t& contador, const std::string& uf) override;
  R R54Emitidas(DateTime dia, int32_t& contador) override;
  R R54Recebidas(DateTime dia, int32_t& contador) override;

  bp::db::Recordset DiasDeImpressora(DateTime Dt_Inicial, DateTime Dt_Final) override;
  R R60M(DateTime Dt_Movimento, uint8_t No_Impressora, int32_t& contador) override;
  R R60A(DateTime Dt_Movimento, uint8_t No_Impressora, int32_t& contador) override;
  R R60D(DateTime Dt_Movimento, uint8_t No_Impressora, int32_t& contador) override;
  R R60I(DateTime Dt_Movimento, uint8_t No_Impressora, int32_t& contador) override;
  R R60R(DateTime Dt_Inicial, DateTime Dt_Final, int32_t& contador) override;
  R R74(DateTime Dt_Final, int32_t& contador, const std::string& uf) override;
  R R75(DateTime Dt_Inicial, DateTime Dt_Final, int32_t& contador) override;

  R R88C(DateTime dia, int32_t& contador) override;
  R R88D(DateTime dia, int32_t& contador) override;
  R R88E(int32_t& contador) override;
  R R88Q(DateTime dia, int32_t& contador) override;
  R R88T(DateTime dia, int32_t& contador) override;

  R P1(const bp::host::EmpresaDosRegistros& empresa) override;
  R P2(const std::string& cnpj, int32_t& contador) override;
  R P9(const std::string& cnpj, const std::string& inscricao_estadual, int32_t& contador) override;
  R E1(const bp::host::EmpresaDosRegistros& empresa) override;
  R E2(const std::string& cnpj, int32_t& contador, DateTime Dt_Referencia) override;
  R E9(const std::string& cnpj, const std::string& inscricao_estadual, int32_t& contador) override;

 private:
  // One record per row of `rs`, none where `linha` gives nothing; the
  // records made are added to `contador`.
  using Linha = std::function<std::optional<RegistroFixo>(const bp::db::Recordset&)>;
  R PorLinha(bp::db::Recordset rs, int32_t& contador, const Linha& linha);
  bp::db::Connection& Conexao();
  bp::Value Empresa();
  // The rows of `sql` for the company and the day (its three parameters).
  bp::db::Recordset DoDia(const char* sql, DateTime dia);
  // The products that the period's invoices and coupons name.
  bp::db::Recordset ProdutosDoPeriodo(DateTime inicio, DateTime fim);
  // The fields every record 50 and 53 begins with.
  static RegistroFixo Nota(const bp::db::Recordset& rs, const char* tipo, const char* data,
                           const std::string& uf, const char* emitente);
  R Notas50(const char* sql, const char* data, const char* total_nota, const char* emitente,
            DateTime dia, int32_t& contador, const std::string& uf);
  R Itens54(const char* sql, DateTime dia, int32_t& contador, bool emitidas);
  // The Z reduction of a printer day, with the printer's serial number.
  bp::db::Recordset Reducao(DateTime dia, uint8_t impressora);
  // Records 60D (one per product) or 60I (one per item) of a printer day.
  R Cupons60(DateTime dia, uint8_t impressora, int32_t& contador, bool por_item);
  R Cabecalho(const char* tipo, const bp::host::EmpresaDosRegistros& empresa);
  R Totais(const char* tipo, const std::string& cnpj, const std::string& inscricao_estadual,
           int32_t contador);
  // P2 (the register) or E2 (with the stock at the end of `estoque_em`).
  R Produtos(const char* tipo, const std::string& cnpj, int32_t& contador,
             std::optional<DateTime> estoque_em);

  bp::host::BOSistema& sessao_;
  bp::host::DataAccess* dal_ = nullptr;
  std::string falha_;  // why the last record type could not be built
  // 88E writes the nozzles once per run of daily calls: a day of 88D that
  // does not follow the previous one starts a new run.
  DateTime ultimo_dia_88d_;
  bool bicos_pendentes_ = true;
};

}  // namespace station
