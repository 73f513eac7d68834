// The station's stock recomputation over the stock card (Cardex): the
// running stock and moving average cost of every movement of a product from
// a date on, and the product's own stock and average cost. docs/stock.md
// gives the rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "bp/datetime.h"
#include "bp/host/bo_estoque.h"
#include "bp/host/bo_sistema.h"

namespace station {

// Kinds of movement (Cardex.No_Tipo): 10 to 14 bring stock in, 20 to 24
// take it out; any other kind leaves the balance as it is.
bool EntradaDeEstoque(int32_t tipo);
bool SaidaDeEstoque(int32_t tipo);

// One movement as the recomputation reads it.
struct MovimentoEstoque {
  int32_t tipo = 0;                // No_Tipo
  double quantidade = 0;           // Qt_Unidade (Null counts as 0)
  std::optional<double> unitario;  // Vl_Unitario (Null: the entry keeps the average)
};

// The balance after a movement: stock and average cost per unit.
struct SaldoEstoque {
  double quantidade = 0;
  double custo_medio = 0;
};

// The balance after `movimento`. An entry adds its quantity and averages its
// unit cost in, weighted by quantity; when the stock before it (or after it)
// is not positive, its unit cost becomes the average. An exit subtracts its
// quantity and keeps the average. The average is kept to four decimals, as
// the money columns hold it.
SaldoEstoque Movimentar(SaldoEstoque saldo, const MovimentoEstoque& movimento);

class RecalculoEstoque final : public bp::host::BORecalculoEstoque {
 public:
  explicit RecalculoEstoque(bp::host::BOSistema& session) : session_(session) {}

  // Rebuilds the card of one product from `inicio` (empty: from its first
  // movement) and sets the product's stock and average cost to the balance
  // after its last movement. Returns False, changing nothing, when the
  // product does not exist or the card cannot be written; a closed
  // connection is raised instead (3704, 3709), so the caller may retry.
  bool Recalcular(int32_t cd_pessoa_usuaria, int32_t cd_produto, bp::DateTime inicio) override;

  // Why the last Recalcular returned False ("" after a success).
  const std::string& Motivo() const { return motivo_; }

 private:
  bp::host::BOSistema& session_;
  std::string motivo_;
};

class RecalculoGeralEstoque final : public bp::host::BORecalculoGeralEstoque {
 public:
  explicit RecalculoGeralEstoque(bp::host::BOSistema& session) : session_(session) {}

  // Rebuilds the card of every product of the company from `inicio`, all or
  // nothing: the first product that fails undoes the others (when no
  // transaction of the caller's is open) and its reason goes to `mensagem`.
  bool Recalcular(int32_t cd_pessoa_usuaria, bp::DateTime inicio, std::string& mensagem) override;

 private:
  bp::host::BOSistema& session_;
};

}  // namespace station
