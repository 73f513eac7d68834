// The host business objects that the nozzle-release classes own for their
// whole life, and the checks that a session and an object are there.
#pragma once

#include <memory>
#include <string_view>

#include "bp/erro.h"
#include "bp/host/bo_abastecimento.h"
#include "bp/host/bo_bomba.h"
#include "bp/host/bo_caixa.h"
#include "bp/host/bo_cheque.h"
#include "bp/host/bo_funcionario.h"
#include "bp/host/bo_sistema.h"

namespace bp::forecourt {

// The session, or 91 "Object variable or With block variable not set" when
// the host has not given one.
host::BOSistema& Sessao(const host::BOSistemaRef& session);

// The object, or 91 naming it when it was never created (no session yet).
template <class T>
T& Objeto(const std::unique_ptr<T>& object, std::string_view name) {
  if (!object) RaiseRuntime(rt::kObjectNotSet, std::string(name));
  return *object;
}

// A business object of the host created through one of the session's
// factories and handed the session at once.
template <class T>
std::unique_ptr<T> CriarComSessao(const host::BOSistemaRef& session,
                                  std::unique_ptr<T> (host::BOSistema::*criar)()) {
  std::unique_ptr<T> object = (Sessao(session).*criar)();
  object->SetObBOSistema(session);
  return object;
}

struct ObjetosLiberacao {
  std::unique_ptr<host::BOFuncionario> funcionario;
  std::unique_ptr<host::BOBomba> bomba;
  std::unique_ptr<host::BOAbastecimento> abastecimento;
  std::unique_ptr<host::BOCaixa> caixa;
  std::unique_ptr<host::BOCheque> cheque;

  // Creates the five objects through the first session given (none exist
  // before), then hands each the session.
  void EntregarSessao(const host::BOSistemaRef& session);

  host::BOFuncionario& Funcionario() const { return Objeto(funcionario, "BOFuncionario"); }
  host::BOAbastecimento& Abastecimento() const { return Objeto(abastecimento, "BOAbastecimento"); }
  host::BOCaixa& Caixa() const { return Objeto(caixa, "BOCaixa"); }
  host::BOCheque& Cheque() const { return Objeto(cheque, "BOCheque"); }
};

}  // namespace bp::forecourt
