// The host's stock objects that the version steps call to repair stock.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"

namespace bp::host {

// Rebuilds one product's stock card from a date: the running stock and
// average costs of every movement from then on, and the product's stock.
class BORecalculoEstoque {
 public:
  virtual ~BORecalculoEstoque() = default;
  // An empty start date means the product's first movement. Returns False
  // when the product's card could not be rebuilt.
  virtual bool Recalcular(int32_t cd_pessoa_usuaria, int32_t cd_produto, DateTime inicio) = 0;
};

// Rebuilds the stock of every product of a company from a date; on failure
// returns False with a message for the user.
class BORecalculoGeralEstoque {
 public:
  virtual ~BORecalculoGeralEstoque() = default;
  virtual bool Recalcular(int32_t cd_pessoa_usuaria, DateTime inicio, std::string& mensagem) = 0;
};

}  // namespace bp::host
