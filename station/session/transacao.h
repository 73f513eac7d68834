// One atomic unit of the station's writes. A business object that writes
// more than one row runs them through EmTransacao, so that a failure in any
// of its writes leaves nothing of it behind.
#pragma once

#include <string_view>
#include <type_traits>

#include "bp/db/connection.h"

namespace station {

// Undoes the unit after a failure; never raises (the failure that got here
// is the one the caller must see).
void DesfazerTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada) noexcept;
void IniciarTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada);
void ConcluirTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada);

// Runs `trabalho` atomically and returns what it returns. With no
// transaction open it runs in one of its own, named `nome`, committed at the
// end. Inside the caller's transaction it runs behind a savepoint: a failure
// undoes only this unit and leaves the caller's transaction usable, and the
// caller's commit or rollback decides the rest. Any failure is raised again.
template <class F>
auto EmTransacao(bp::db::Connection &c, std::string_view nome, F &&trabalho)
    -> std::invoke_result_t<F &> {
  const bool aninhada = c.TransactionDepth() > 0;
  IniciarTransacao(c, nome, aninhada);
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<F &>>) {
      trabalho();
      ConcluirTransacao(c, nome, aninhada);
    } else {
      auto resultado = trabalho();
      ConcluirTransacao(c, nome, aninhada);
      return resultado;
    }
  } catch (...) {
    DesfazerTransacao(c, nome, aninhada);
    throw;
  }
}

}  // namespace station
