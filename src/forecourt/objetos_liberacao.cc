#include "forecourt/objetos_liberacao.h"

#include <utility>

namespace bp::forecourt {

host::BOSistema& Sessao(const host::BOSistemaRef& session) {
  if (!session) RaiseRuntime(rt::kObjectNotSet, "ObBOSistema");
  return *session;
}

void ObjetosLiberacao::EntregarSessao(const host::BOSistemaRef& session) {
  if (session && !funcionario) {
    // All five or none: a host that cannot create one leaves the set empty.
    host::BOSistema& s = *session;
    auto novo_funcionario = s.CriarFuncionario();
    auto nova_bomba = s.CriarBomba();
    auto novo_abastecimento = s.CriarAbastecimento();
    auto novo_caixa = s.CriarCaixa();
    auto novo_cheque = s.CriarCheque();
    funcionario = std::move(novo_funcionario);
    bomba = std::move(nova_bomba);
    abastecimento = std::move(novo_abastecimento);
    caixa = std::move(novo_caixa);
    cheque = std::move(novo_cheque);
  }
  if (funcionario) funcionario->SetObBOSistema(session);
  if (bomba) bomba->SetObBOSistema(session);
  if (abastecimento) abastecimento->SetObBOSistema(session);
  if (caixa) caixa->SetObBOSistema(session);
  if (cheque) cheque->SetObBOSistema(session);
}

}  // namespace bp::forecourt
