#include "station/session/transacao.h"

namespace station {
namespace {

// The savepoint of a nested unit. Units nest by the stack of savepoints of
// the same name: each rollback or release reaches the most recent one.
constexpr std::string_view kMarca = "station_unidade";

}  // namespace

void IniciarTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada) {
  if (aninhada) {
    c.Savepoint(kMarca);
  } else {
    c.BeginTrans(nome);
  }
}

void ConcluirTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada) {
  if (aninhada) {
    c.ReleaseSavepoint(kMarca);
  } else {
    c.CommitTrans(nome);
  }
}

void DesfazerTransacao(bp::db::Connection &c, std::string_view nome, bool aninhada) noexcept {
  try {
    // The database may already have undone everything on its own (a lost
    // connection): then there is nothing left to undo here.
    if (c.TransactionDepth() == 0) return;
    if (aninhada) {
      c.RollbackToSavepoint(kMarca);
      c.ReleaseSavepoint(kMarca);
    } else {
      c.RollbackTrans(nome);
    }
  } catch (...) {
  }
}

}  // namespace station
