#include "bp/schema/corrigir_preco_transferencia.h"

#include <string>
#include <vector>

#include "bp/andamento.h"
#include "bp/env.h"
#include "bp/erro.h"
#include "bp/host/bo_cardex.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/unit_of_work.h"
#include "bp/trap.h"

namespace bp::schema {
namespace {

constexpr const char* kClasse = "BPAtualizarBancoDeDados";
constexpr const char* kProc = "CorrigirPrecoDaTransferencia";
constexpr const char* kTitulo = "Corrigindo Custo das transferencias";

// The cost rule: the value that left with the withdrawal (its quantity at
// its unit value, or at its average cost when the row has no unit value)
// entered with the entry, so the entry's unit value is that value divided by
// the quantity entered, in currency precision.
bool CorrigirLinha(host::BOCardex& cardex, int32_t company,
                   const host::TransferenciaEmbalagem& t) {
  host::LancamentoCardex entrada = cardex.Carregar(company, t.cd_lancamento_cardex_entrada);
  const host::LancamentoCardex baixa = cardex.Carregar(company, t.cd_lancamento_cardex_baixa);
  if (entrada.qt_unidade == 0) RaiseRuntime(rt::kDivisionByZero);
  const Money custo_baixa = baixa.vl_unitario != 0 ? Money::FromDouble(baixa.vl_unitario)
                                                   : baixa.vl_custo_medio;
  const Money valor = custo_baixa * baixa.qt_unidade;
  const Money unitario = Money::FromDouble(valor.ToDouble() / entrada.qt_unidade);
  if (Money::FromDouble(entrada.vl_unitario) == unitario) return false;
  entrada.vl_unitario = unitario.ToDouble();
  cardex.Gravar(entrada);
  return true;
}

}  // namespace

void CorrigirPrecoDaTransferencia(host::BOSistema& session) {
  Direct(kClasse, kProc, [&] {
    Env& env = Env::Current();
    host::UnitOfWork work(session, host::Origem(kClasse, kProc));
    std::unique_ptr<host::BOCardex> cardex = session.CriarCardex();
    const int32_t company = session.Cd_PessoaUsuaria();
    const std::vector<host::TransferenciaEmbalagem> list =
        session.EmpresaUsuaria().TransferenciasDeEmbalagem();

    Andamento window(env);
    window.SetCaption(kTitulo);
    window.Show();
    const auto count = static_cast<int32_t>(list.size());
    for (int32_t i = 0; i < count; ++i) {
      const host::TransferenciaEmbalagem& t = list[static_cast<size_t>(i)];
      const std::string produto = " PRODUTO:" + std::to_string(t.cd_produto);
      window.SetAcao(std::string(kTitulo) + " " + produto);
      window.MostrarLinha(i + 1, count);
      try {
        CorrigirLinha(*cardex, company, t);
      } catch (...) {
        // One transfer that cannot be corrected is shown and skipped.
        MessageBoxRequest box;
        box.text = ToErro(std::current_exception()).description + produto;
        box.caption = env.AppTitle();
        box.buttons = Buttons::Ok;
        env.MessageBox(box);
      }
    }
    window.Unload();
    work.End();
  });
}

}  // namespace bp::schema
