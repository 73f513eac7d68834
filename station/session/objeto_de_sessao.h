// What the station's business objects share: the session they work in (given
// on creation and replaceable by the library's SetObBOSistema), and the
// readings of nullable columns they all need.
#pragma once

#include <cstdint>
#include <string>

#include "bp/db/connection.h"
#include "bp/host/bo_sistema.h"
#include "bp/host/data_access.h"
#include "bp/money.h"
#include "bp/value.h"

namespace station {

class ObjetoDeSessao {
 protected:
  explicit ObjetoDeSessao(bp::host::BOSistema& sessao) : sessao_(&sessao) {}

  // Keeps the session the library hands over; a null one changes nothing.
  void TrocarSessao(bp::host::BOSistemaRef sessao) {
    if (!sessao) return;
    mantida_ = std::move(sessao);
    sessao_ = mantida_.get();
  }
  bp::host::BOSistema& Sessao() { return *sessao_; }
  bp::db::Connection& Conexao() { return sessao_->ObDAL().Conexao(); }

 private:
  bp::host::BOSistema* sessao_;
  bp::host::BOSistemaRef mantida_;
};

inline bp::Money DinheiroOuZero(const bp::Value& v) {
  return v.IsNull() ? bp::Money() : v.ToMoney();
}
inline int32_t InteiroOuZero(const bp::Value& v) { return v.IsNull() ? 0 : v.ToInt32(); }
inline std::string TextoOuVazio(const bp::Value& v) {
  return v.IsNull() ? std::string() : v.ToText();
}
inline bp::DateTime DataOuVazia(const bp::Value& v) {
  return v.IsNull() ? bp::DateTime() : v.ToDate();
}

// Raises 0x80040202 "Registro nao encontrado" from `origem`.
[[noreturn]] void RegistroNaoEncontrado(const char* origem);

}  // namespace station
