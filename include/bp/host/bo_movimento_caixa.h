// The host objects of the cash-movement import: the reader that opens another
// station database and hands over one cash register's rows per kind of data,
// and the business objects that save those rows in the station's database
// through records whose properties are set by name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "bp/db/recordset.h"
#include "bp/host/bo_negocio.h"
#include "bp/value.h"

namespace bp::host {

// The kinds of data a cash register's movement holds, in the order they are
// imported: parents ahead of their children.
enum class TipoMovimentoCaixa {
  kAbastecimento = 1,
  kPessoa,
  kCliente,
  kVeiculo,
  kCardex,
  kCupomFiscal,
  kItemCupomFiscal,
  kRecebimento,
  kRecebimentoCupom,
};

inline constexpr std::array<TipoMovimentoCaixa, 9> kTiposMovimentoCaixa = {
    TipoMovimentoCaixa::kAbastecimento,   TipoMovimentoCaixa::kPessoa,
    TipoMovimentoCaixa::kCliente,         TipoMovimentoCaixa::kVeiculo,
    TipoMovimentoCaixa::kCardex,          TipoMovimentoCaixa::kCupomFiscal,
    TipoMovimentoCaixa::kItemCupomFiscal, TipoMovimentoCaixa::kRecebimento,
    TipoMovimentoCaixa::kRecebimentoCupom};

// The table of the station database that holds a kind ("CupomFiscal").
std::string_view TabelaDoMovimento(TipoMovimentoCaixa tipo);

// A record whose properties are reached by name (case-insensitive), as a
// late-bound caller reaches them. A name the record lacks raises 438
// "Object doesn't support this property or method" naming it.
class RegistroPorNome {
 public:
  virtual ~RegistroPorNome() = default;
  virtual void LetProperty(std::string_view name, const Value& value) = 0;
  virtual Value GetProperty(std::string_view name) const = 0;
};

// The station's business object for one kind of movement: a new record per
// row, saved as one atomic write.
class BOMovimentoCaixa : public BONegocio {
 public:
  // Empties the record and returns it, ready for a new row.
  virtual RegistroPorNome& NovoRegistro() = 0;
  // Saves the record: a new key is inserted, an existing one updated.
  virtual void Gravar() = 0;
};

// What the reader is asked to load: the company and its cash register.
struct RegistroLeitorMovimento {
  int32_t Cd_PessoaUsuaria = 0;
  int32_t Cd_Caixa = 0;
};

// Reads a cash register's movement from another database, named by a
// connection text ("...;User ID=...; Password=...;Initial Catalog=...;
// Data Source=...").
class BOLeitorMovimentoCaixa : public BONegocio {
 public:
  RegistroLeitorMovimento& Registro() { return registro_; }
  // Loads the cash register named by the record.
  virtual void Carregar() = 0;
  // The loaded register's rows of one kind, with columns named like the
  // properties of the station's records.
  virtual db::Recordset Movimento(TipoMovimentoCaixa tipo, const std::string& conexao) = 0;

 private:
  RegistroLeitorMovimento registro_;
};

}  // namespace bp::host
